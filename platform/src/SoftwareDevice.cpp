#include "SoftwareDevice.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

#include "SoftwareProgramObjects.h"
#include "SpanKernels.h"
#include "platform/Headless.h"
#include "platform/PixelShaderVersion.h"
#include "platform/SoftwareDevice.h"

namespace {

constexpr std::uint32_t kMaxTextureSize = 4096;
constexpr std::uint32_t kMaxPrimitives = 1u << 20;
constexpr std::uint32_t kDefaultWidth = 640;
constexpr std::uint32_t kDefaultHeight = 480;
constexpr int kMostDrawingWorkers = 3;

template <class T> void Hold(T*& slot, T* object)
{
    if (object != nullptr)
        object->AddRef();
    if (slot != nullptr)
        slot->Release();
    slot = object;
}

bool ValidBlend(std::uint32_t value)
{
    return value == D3DBLEND_ZERO || value == D3DBLEND_ONE || value == D3DBLEND_SRCALPHA ||
           value == D3DBLEND_INVSRCALPHA;
}

bool ValidTextureOp(std::uint32_t value)
{
    return value == D3DTOP_DISABLE || value == D3DTOP_SELECTARG1 || value == D3DTOP_SELECTARG2 ||
           value == D3DTOP_MODULATE;
}

bool ValidArgument(std::uint32_t value)
{
    return value == D3DTA_DIFFUSE || value == D3DTA_CURRENT || value == D3DTA_TEXTURE;
}

// Vertex layout of a supported format: position (x, y, z, rhw), an optional
// colour, up to two coordinate pairs.
struct VertexLayout {
    bool diffuse;
    std::uint32_t texCoordSets;
    std::uint32_t size;
};

bool LayoutOf(std::uint32_t fvf, VertexLayout& layout)
{
    const std::uint32_t known = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | 0xF00;
    if ((fvf & ~known) != 0 || (fvf & D3DFVF_XYZRHW) == 0)
        return false;
    layout.diffuse = (fvf & D3DFVF_DIFFUSE) != 0;
    layout.texCoordSets = (fvf >> 8) & 0xF;
    if (layout.texCoordSets > 2)
        return false;
    layout.size = 16 + (layout.diffuse ? 4 : 0) + 8 * layout.texCoordSets;
    return true;
}

std::uint32_t VertexCount(D3DPRIMITIVETYPE type, std::uint32_t primitives)
{
    return type == D3DPT_TRIANGLELIST ? primitives * 3 : primitives + 2;
}

} // namespace

// ---------------------------------------------------------------------------
SoftwareDevice::SoftwareDevice(const D3DPRESENT_PARAMETERS& parameters)
    : ledger_(std::make_shared<DeviceLedger>()), parameters_(parameters), presenter_(parameters.hDeviceWindow),
      pixelShaderVersion_(plat::ReportedPixelShaderVersion())
{
    ledger_->device = this;
    ledger_->pendingTiles = &bins_;
    ResetStates();
    // Tiles are shared among threads only when a player watches: headless
    // runs keep to one thread unless a test asks for more.
    if (!plat::IsHeadless()) {
        const int spare = static_cast<int>(std::thread::hardware_concurrency()) - 1;
        bins_.SetWorkers(std::clamp(spare, 0, kMostDrawingWorkers));
    }
}

bool SoftwareDevice::Start()
{
    if (parameters_.BackBufferWidth == 0)
        parameters_.BackBufferWidth = kDefaultWidth;
    if (parameters_.BackBufferHeight == 0)
        parameters_.BackBufferHeight = kDefaultHeight;
    if (!MakeBackBuffer(parameters_.BackBufferWidth, parameters_.BackBufferHeight, parameters_.BackBufferFormat))
        return false;
    Hold<SoftwareSurface>(renderTarget_, backBuffer_);
    return presenter_.SetMode(!parameters_.Windowed, parameters_.BackBufferWidth, parameters_.BackBufferHeight);
}

SoftwareDevice::~SoftwareDevice()
{
    bins_.DrawAll();
    ledger_->pendingTiles = nullptr;
    backBuffer_->Image(); // whoever still holds the back buffer gets its own pixels back
    DropHeldObjects();
    Hold<SoftwareSurface>(renderTarget_, nullptr);
    if (backBuffer_ != nullptr)
        backBuffer_->Release();
    ledger_->device = nullptr;
}

std::uint32_t SoftwareDevice::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

bool SoftwareDevice::MakeBackBuffer(std::uint32_t width, std::uint32_t height, D3DFORMAT format)
{
    if (format == D3DFMT_UNKNOWN)
        format = D3DFMT_X8R8G8B8;
    if (!IsColourFormat(format) || width > kMaxTextureSize || height > kMaxTextureSize)
        return false;
    if (backBuffer_ != nullptr) {
        const D3DSURFACE_DESC& old = backBuffer_->Desc();
        if (old.Width == width && old.Height == height && old.Format == format)
            return true;
        backBuffer_->Image(); // settle what it owes the front buffer before that changes
        backBuffer_->Release();
        backBuffer_ = nullptr;
    }
    D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, width, height};
    try {
        // The back buffer is the device's own: it does not count against Reset.
        backBuffer_ = new SoftwareSurface(desc, nullptr, ledger_, false);
        frontBuffer_.width = width;
        frontBuffer_.height = height;
        frontBuffer_.pixels.assign(static_cast<std::size_t>(width) * height, 0xFF000000u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void SoftwareDevice::ResetStates()
{
    renderStates_.fill(0);
    renderStates_[D3DRS_SRCBLEND] = D3DBLEND_ONE;
    renderStates_[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
    renderStates_[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
    renderStates_[D3DRS_LIGHTING] = 1;
    renderStates_[D3DRS_CULLMODE] = D3DCULL_NONE;
    for (std::uint32_t s = 0; s < kStageCount; ++s) {
        auto& stage = stageStates_[s];
        stage[D3DTSS_COLOROP] = s == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
        stage[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
        stage[D3DTSS_COLORARG2] = D3DTA_CURRENT;
        stage[D3DTSS_ALPHAOP] = s == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
        stage[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
        stage[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
        stage[D3DTSS_TEXCOORDINDEX] = s;
        auto& sampler = samplerStates_[s];
        sampler[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        sampler[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        sampler[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
    }
    for (auto& constant : constants_)
        constant.fill(0.0f);
    fvf_ = 0;
}

void SoftwareDevice::DropHeldObjects()
{
    for (auto& texture : textures_)
        Hold<SoftwareTexture>(texture, nullptr);
    Hold<SoftwarePixelShader>(pixelShader_, nullptr);
    Hold<SoftwareSurface>(renderTarget_, backBuffer_);
    Hold<SoftwareSurface>(depthStencil_, nullptr);
    activeEffect_ = nullptr;
}

void SoftwareDevice::UnbindEffect(const SoftwareEffect* effect)
{
    if (activeEffect_ == effect)
        activeEffect_ = nullptr;
}

// ---------------------------------------------------------------------------
// Loss and reset
void SoftwareDevice::SimulateLoss(int lostPolls)
{
    cooperation_ = Cooperation::Lost;
    lostPolls_ = std::max(0, lostPolls);
}

HRESULT SoftwareDevice::TestCooperativeLevel()
{
    switch (cooperation_) {
    case Cooperation::Ready:
        return D3D_OK;
    case Cooperation::Lost:
        if (lostPolls_ > 0) {
            --lostPolls_;
            return D3DERR_DEVICELOST;
        }
        cooperation_ = Cooperation::NotReset;
        return D3DERR_DEVICENOTRESET;
    case Cooperation::NotReset:
        break;
    }
    return D3DERR_DEVICENOTRESET;
}

HRESULT SoftwareDevice::Reset(D3DPRESENT_PARAMETERS* parameters)
{
    if (parameters == nullptr)
        return D3DERR_INVALIDCALL;
    if (cooperation_ == Cooperation::Lost && lostPolls_ > 0)
        return D3DERR_DEVICELOST;
    inScene_ = false;
    bins_.DrawAll(); // lets go of the textures the kept draws hold
    DropHeldObjects();
    ResetStates();
    // Everything in the default pool must have been given back first, and the
    // effects told; the back buffer may be held only by the device itself.
    if (ledger_->defaultPoolObjects != 0 || ledger_->effectsNotLost != 0 || backBuffer_->References() != 2) {
        cooperation_ = Cooperation::NotReset;
        return D3DERR_INVALIDCALL;
    }
    D3DPRESENT_PARAMETERS wanted = *parameters;
    if (wanted.BackBufferWidth == 0)
        wanted.BackBufferWidth = kDefaultWidth;
    if (wanted.BackBufferHeight == 0)
        wanted.BackBufferHeight = kDefaultHeight;
    if (wanted.hDeviceWindow == nullptr)
        wanted.hDeviceWindow = parameters_.hDeviceWindow;
    Hold<SoftwareSurface>(renderTarget_, nullptr);
    const bool made = MakeBackBuffer(wanted.BackBufferWidth, wanted.BackBufferHeight, wanted.BackBufferFormat);
    Hold<SoftwareSurface>(renderTarget_, backBuffer_);
    if (!made || !presenter_.SetMode(!wanted.Windowed, wanted.BackBufferWidth, wanted.BackBufferHeight)) {
        cooperation_ = Cooperation::NotReset;
        return D3DERR_NOTAVAILABLE;
    }
    parameters_ = wanted;
    cooperation_ = Cooperation::Ready;
    return D3D_OK;
}

HRESULT SoftwareDevice::Present()
{
    if (cooperation_ != Cooperation::Ready)
        return D3DERR_DEVICELOST;
    bins_.DrawAll();
    // The back buffer's storage becomes the front buffer: no copy here. The
    // back buffer reads as before, and a frame that starts with a whole clear
    // never copies it back.
    if (!backBuffer_->OwesPixels())
        backBuffer_->LendPixels(frontBuffer_);
    presenter_.Show(frontBuffer_);
    return D3D_OK;
}

HRESULT SoftwareDevice::GetDeviceCaps(D3DCAPS9* caps)
{
    if (caps == nullptr)
        return D3DERR_INVALIDCALL;
    caps->PixelShaderVersion = pixelShaderVersion_;
    caps->VertexShaderVersion = 0xFFFE0200u;
    caps->MaxTextureWidth = kMaxTextureSize;
    caps->MaxTextureHeight = kMaxTextureSize;
    caps->MaxSimultaneousTextures = 2;
    return D3D_OK;
}

HRESULT SoftwareDevice::GetDisplayMode(D3DDISPLAYMODE* mode)
{
    if (mode == nullptr)
        return D3DERR_INVALIDCALL;
    *mode = {parameters_.BackBufferWidth, parameters_.BackBufferHeight, 60, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

// ---------------------------------------------------------------------------
// Frames
HRESULT SoftwareDevice::Clear(std::uint32_t rectCount, const RECT* rects, std::uint32_t flags, std::uint32_t colour,
                              float /*z*/, std::uint32_t /*stencil*/)
{
    if ((rectCount != 0 && rects == nullptr) || (flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) != 0)
        return D3DERR_INVALIDCALL;
    if (cooperation_ != Cooperation::Ready || (flags & D3DCLEAR_TARGET) == 0)
        return D3D_OK;
    bins_.DrawAll();
    const FillKernel fill = ChosenSpanKernels().fill[kSpanReplace];
    if (rectCount == 0) {
        // A whole clear is kept with the draws after it: each band is cleared
        // while in the cache, just before they are drawn on it.
        PixelImage& target = renderTarget_->ImageToOverwrite();
        if (binning_)
            bins_.KeepClear(target, colour, fill);
        else
            fill(target.pixels.data(), static_cast<int>(target.pixels.size()), colour);
        return D3D_OK;
    }
    PixelImage& target = renderTarget_->Image();
    for (std::uint32_t i = 0; i < rectCount; ++i) {
        const RECT& r = rects[i];
        const std::int32_t left = std::max(r.left, 0),
                           right = std::min(r.right, static_cast<std::int32_t>(target.width));
        const std::int32_t top = std::max(r.top, 0),
                           bottom = std::min(r.bottom, static_cast<std::int32_t>(target.height));
        for (std::int32_t y = top; y < bottom && left < right; ++y)
            fill(target.pixels.data() + static_cast<std::size_t>(y) * target.width + left, right - left, colour);
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::BeginScene()
{
    if (inScene_)
        return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

HRESULT SoftwareDevice::EndScene()
{
    if (!inScene_)
        return D3DERR_INVALIDCALL;
    inScene_ = false;
    bins_.DrawAll();
    return D3D_OK;
}

// ---------------------------------------------------------------------------
// States
HRESULT SoftwareDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value)
{
    if (state >= D3DRS_COUNT)
        return D3DERR_INVALIDCALL;
    if ((state == D3DRS_SRCBLEND || state == D3DRS_DESTBLEND) && !ValidBlend(value))
        return D3DERR_INVALIDCALL;
    if (state == D3DRS_BLENDOP && value != D3DBLENDOP_ADD)
        return D3DERR_INVALIDCALL;
    renderStates_[state] = value;
    return D3D_OK;
}

HRESULT SoftwareDevice::GetRenderState(D3DRENDERSTATETYPE state, std::uint32_t* value)
{
    if (state >= D3DRS_COUNT || value == nullptr)
        return D3DERR_INVALIDCALL;
    *value = renderStates_[state];
    return D3D_OK;
}

HRESULT SoftwareDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value)
{
    if (stage >= kStageCount || type >= D3DTSS_COUNT)
        return D3DERR_INVALIDCALL;
    const bool op = type == D3DTSS_COLOROP || type == D3DTSS_ALPHAOP;
    const bool argument = type != D3DTSS_TEXCOORDINDEX && !op;
    if ((op && !ValidTextureOp(value)) || (argument && !ValidArgument(value)) ||
        (type == D3DTSS_TEXCOORDINDEX && value > 1))
        return D3DERR_INVALIDCALL;
    stageStates_[stage][type] = value;
    return D3D_OK;
}

HRESULT SoftwareDevice::SetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t value)
{
    if (sampler >= kStageCount || type >= D3DSAMP_COUNT)
        return D3DERR_INVALIDCALL;
    const bool address = type == D3DSAMP_ADDRESSU || type == D3DSAMP_ADDRESSV;
    if (address && value != D3DTADDRESS_WRAP && value != D3DTADDRESS_CLAMP)
        return D3DERR_INVALIDCALL;
    if (!address && value != D3DTEXF_NONE && value != D3DTEXF_POINT && value != D3DTEXF_LINEAR)
        return D3DERR_INVALIDCALL;
    samplerStates_[sampler][type] = value;
    return D3D_OK;
}

HRESULT SoftwareDevice::SetFVF(std::uint32_t fvf)
{
    VertexLayout layout;
    if (!LayoutOf(fvf, layout))
        return D3DERR_INVALIDCALL;
    fvf_ = fvf;
    return D3D_OK;
}

HRESULT SoftwareDevice::SetTexture(std::uint32_t stage, Direct3DTexture9* texture)
{
    auto* ours = dynamic_cast<SoftwareTexture*>(texture);
    if (stage >= kStageCount || (texture != nullptr && ours == nullptr))
        return D3DERR_INVALIDCALL;
    Hold(textures_[stage], ours);
    return D3D_OK;
}

// ---------------------------------------------------------------------------
// Drawing
bool SoftwareDevice::FillShading(ShadingSetup& setup, std::uint32_t texCoordSets, bool constantDiffuse,
                                 std::uint32_t diffuse) const
{
    setup.target = &renderTarget_->Image();
    setup.texCoordSets = static_cast<int>(texCoordSets);
    setup.constantDiffuse = constantDiffuse;
    setup.diffuseColour = diffuse;
    for (int s = 0; s < 2; ++s) {
        const auto& states = stageStates_[static_cast<std::size_t>(s)];
        const auto& sampler = samplerStates_[static_cast<std::size_t>(s)];
        StageSettings& stage = setup.stage[s];
        stage.colourOp = states[D3DTSS_COLOROP];
        stage.colourArg1 = states[D3DTSS_COLORARG1];
        stage.colourArg2 = states[D3DTSS_COLORARG2];
        stage.alphaOp = states[D3DTSS_ALPHAOP];
        stage.alphaArg1 = states[D3DTSS_ALPHAARG1];
        stage.alphaArg2 = states[D3DTSS_ALPHAARG2];
        // A coordinate set the vertices lack reads the first one.
        stage.texCoordIndex = states[D3DTSS_TEXCOORDINDEX] < texCoordSets ? states[D3DTSS_TEXCOORDINDEX] : 0;
        const SoftwareTexture* texture = textures_[static_cast<std::size_t>(s)];
        stage.texture = texture != nullptr ? &texture->TopImage() : nullptr;
        stage.sampler.linear =
            sampler[D3DSAMP_MAGFILTER] == D3DTEXF_LINEAR || sampler[D3DSAMP_MINFILTER] == D3DTEXF_LINEAR;
        stage.sampler.clampU = sampler[D3DSAMP_ADDRESSU] == D3DTADDRESS_CLAMP;
        stage.sampler.clampV = sampler[D3DSAMP_ADDRESSV] == D3DTADDRESS_CLAMP;
    }
    // The second stage takes part only for vertices with two coordinate sets
    // and with a texture on it.
    setup.stageCount =
        texCoordSets >= 2 && setup.stage[1].colourOp != D3DTOP_DISABLE && setup.stage[1].texture != nullptr ? 2 : 1;
    setup.blend.enabled = renderStates_[D3DRS_ALPHABLENDENABLE] != 0;
    setup.blend.source = renderStates_[D3DRS_SRCBLEND];
    setup.blend.destination = renderStates_[D3DRS_DESTBLEND];
    // An effect's pass takes the place of a pixel shader set on the device.
    if (activeEffect_ != nullptr)
        setup.program = activeEffect_->Prepare(constants_.front().data());
    else if (pixelShader_ != nullptr)
        setup.program = pixelShader_->Prepare(constants_.front().data());
    return setup.target != nullptr && !setup.target->pixels.empty();
}

template <class Use>
void SoftwareDevice::PrepareTriangles(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const SpanTarget& target,
                                      Use use)
{
    const RasterVertex* v = vertices_.data();
    PreparedPrimitive primitive;
    if (type == D3DPT_TRIANGLESTRIP && primitiveCount == 2) {
        switch (PrepareAlignedQuad(target, v, primitive)) {
        case QuadPreparation::Ready:
            use(primitive);
            return;
        case QuadPreparation::Empty:
            return;
        case QuadPreparation::NotAligned:
            break;
        }
    }
    for (std::uint32_t i = 0; i < primitiveCount; ++i) {
        bool covers = false;
        switch (type) {
        case D3DPT_TRIANGLELIST:
            covers = PrepareTriangle(target, v[3 * i], v[3 * i + 1], v[3 * i + 2], primitive);
            break;
        case D3DPT_TRIANGLESTRIP:
            covers = PrepareTriangle(target, v[i], v[i + 1], v[i + 2], primitive);
            break;
        case D3DPT_TRIANGLEFAN:
            covers = PrepareTriangle(target, v[0], v[i + 1], v[i + 2], primitive);
            break;
        }
        if (covers)
            use(primitive);
    }
}

bool SoftwareDevice::ReadsItsTarget(const ShadingSetup& setup)
{
    for (int s = 0; s < 2; ++s) {
        if (setup.stage[s].texture == setup.target)
            return true;
    }
    return false;
}

HRESULT SoftwareDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                                        std::uint32_t stride)
{
    VertexLayout layout;
    if (!inScene_ || vertices == nullptr || !LayoutOf(fvf_, layout) || stride < layout.size ||
        primitiveCount > kMaxPrimitives ||
        (type != D3DPT_TRIANGLELIST && type != D3DPT_TRIANGLESTRIP && type != D3DPT_TRIANGLEFAN))
        return D3DERR_INVALIDCALL;
    if (cooperation_ != Cooperation::Ready || primitiveCount == 0)
        return D3D_OK;

    const std::uint32_t count = VertexCount(type, primitiveCount);
    vertices_.resize(count);
    const auto* bytes = static_cast<const std::uint8_t*>(vertices);
    std::uint32_t firstColour = 0xFFFFFFFFu;
    bool constantDiffuse = true;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* source = bytes + static_cast<std::size_t>(i) * stride;
        RasterVertex& vertex = vertices_[i];
        std::memcpy(&vertex.x, source, 4);
        std::memcpy(&vertex.y, source + 4, 4);
        std::uint32_t colour = 0xFFFFFFFFu;
        if (layout.diffuse)
            std::memcpy(&colour, source + 16, 4);
        if (i == 0)
            firstColour = colour;
        constantDiffuse = constantDiffuse && colour == firstColour;
        vertex.attribute[0] = static_cast<float>((colour >> 16) & 0xFF);
        vertex.attribute[1] = static_cast<float>((colour >> 8) & 0xFF);
        vertex.attribute[2] = static_cast<float>(colour & 0xFF);
        vertex.attribute[3] = static_cast<float>(colour >> 24);
        const std::uint8_t* coordinates = source + 16 + (layout.diffuse ? 4 : 0);
        for (std::uint32_t c = 0; c < 2 * layout.texCoordSets; ++c)
            std::memcpy(&vertex.attribute[kTexCoordAttribute + c], coordinates + 4 * c, 4);
        for (std::uint32_t c = 2 * layout.texCoordSets; c < 4; ++c)
            vertex.attribute[kTexCoordAttribute + c] = 0.0f;
    }

    ShadingSetup setup;
    if (!FillShading(setup, layout.texCoordSets, constantDiffuse, firstColour))
        return D3DERR_INVALIDCALL;
    // A program's state lives in its shader or effect and changes with the
    // next draw, and a draw reading its own target must see every earlier
    // draw whole: those are drawn at once, after what is kept.
    if (!binning_ || setup.program != nullptr || ReadsItsTarget(setup)) {
        bins_.DrawAll();
        SpanShader shader;
        SpanTarget target = MakeSpanTarget(setup, shader);
        if (!binning_)
            target.shadeRows = nullptr; // the reference goes row by row too
        const PixelRect whole{0, 0, target.width, target.height};
        PrepareTriangles(type, primitiveCount, target, [&](const PreparedPrimitive& primitive) {
            DrawPrepared(target, primitive, whole, &scratch_);
        });
        return D3D_OK;
    }
    const SpanTarget& target = bins_.BeginDraw(setup, textures_.data(), setup.stageCount);
    PrepareTriangles(type, primitiveCount, target, [&](const PreparedPrimitive& primitive) { bins_.Add(primitive); });
    return D3D_OK;
}

// ---------------------------------------------------------------------------
// Resources
HRESULT SoftwareDevice::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                      std::uint32_t usage, D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture)
{
    if (texture == nullptr)
        return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize || !IsColourFormat(format) ||
        (usage & ~D3DUSAGE_RENDERTARGET) != 0 || levels > FullChainLength(width, height) ||
        ((usage & D3DUSAGE_RENDERTARGET) != 0 && pool != D3DPOOL_DEFAULT) || pool == D3DPOOL_SCRATCH)
        return D3DERR_INVALIDCALL;
    try {
        *texture = new SoftwareTexture(width, height, levels, usage, format, pool, ledger_);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::CreateOffscreenPlainSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                                    D3DPOOL pool, Direct3DSurface9** surface)
{
    if (surface == nullptr)
        return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize || !IsColourFormat(format) ||
        pool == D3DPOOL_MANAGED)
        return D3DERR_INVALIDCALL;
    try {
        *surface = new SoftwareSurface({format, D3DRTYPE_SURFACE, 0, pool, width, height}, nullptr, ledger_);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return D3D_OK;
}

HRESULT SoftwareDevice::CreateDepthStencilSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                                  Direct3DSurface9** surface)
{
    if (surface == nullptr)
        return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (width == 0 || height == 0 || width > kMaxTextureSize || height > kMaxTextureSize ||
        (format != D3DFMT_D16 && format != D3DFMT_D24S8))
        return D3DERR_INVALIDCALL;
    // Depth is accepted and kept but never tested: the surface holds no pixels.
    *surface = new (std::nothrow) SoftwareSurface(
        {format, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT, width, height}, nullptr, ledger_);
    return *surface != nullptr ? D3D_OK : E_OUTOFMEMORY;
}

HRESULT SoftwareDevice::SetDepthStencilSurface(Direct3DSurface9* surface)
{
    auto* ours = dynamic_cast<SoftwareSurface*>(surface);
    if (surface != nullptr && (ours == nullptr || (ours->Desc().Usage & D3DUSAGE_DEPTHSTENCIL) == 0))
        return D3DERR_INVALIDCALL;
    Hold(depthStencil_, ours);
    return D3D_OK;
}

HRESULT SoftwareDevice::GetRenderTarget(std::uint32_t index, Direct3DSurface9** surface)
{
    if (surface == nullptr || index != 0)
        return D3DERR_INVALIDCALL;
    renderTarget_->AddRef();
    *surface = renderTarget_;
    return D3D_OK;
}

HRESULT SoftwareDevice::SetRenderTarget(std::uint32_t index, Direct3DSurface9* surface)
{
    auto* ours = dynamic_cast<SoftwareSurface*>(surface);
    if (index != 0 || ours == nullptr || !ours->IsRenderTarget() || !ours->HasPixels())
        return D3DERR_INVALIDCALL;
    // What was drawn on the old target may be read as a texture next.
    if (ours != renderTarget_)
        bins_.DrawAll();
    Hold(renderTarget_, ours);
    return D3D_OK;
}

HRESULT SoftwareDevice::GetFrontBufferData(std::uint32_t swapChain, Direct3DSurface9* surface)
{
    auto* ours = dynamic_cast<SoftwareSurface*>(surface);
    if (swapChain != 0 || ours == nullptr || ours->Desc().Format != D3DFMT_A8R8G8B8 ||
        ours->Desc().Width != frontBuffer_.width || ours->Desc().Height != frontBuffer_.height)
        return D3DERR_INVALIDCALL;
    if (cooperation_ != Cooperation::Ready)
        return D3DERR_DEVICELOST;
    bins_.DrawAll(); // the surface written may be a texture kept draws read
    // The front buffer has no alpha: the copy is opaque.
    auto& pixels = ours->Image().pixels;
    std::transform(frontBuffer_.pixels.begin(), frontBuffer_.pixels.end(), pixels.begin(),
                   [](std::uint32_t pixel) { return pixel | 0xFF000000u; });
    return D3D_OK;
}

// ---------------------------------------------------------------------------
// Programs
HRESULT SoftwareDevice::CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader)
{
    if (shader == nullptr)
        return D3DERR_INVALIDCALL;
    *shader = SoftwarePixelShader::Create(data, length);
    return *shader != nullptr ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT SoftwareDevice::SetPixelShader(Direct3DPixelShader9* shader)
{
    auto* ours = dynamic_cast<SoftwarePixelShader*>(shader);
    if (shader != nullptr && ours == nullptr)
        return D3DERR_INVALIDCALL;
    Hold(pixelShader_, ours);
    return D3D_OK;
}

HRESULT SoftwareDevice::SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                                std::uint32_t vector4Count)
{
    if (values == nullptr || startRegister >= kConstantRegisters || vector4Count > kConstantRegisters - startRegister)
        return D3DERR_INVALIDCALL;
    for (std::uint32_t i = 0; i < vector4Count; ++i)
        std::copy(values + 4 * i, values + 4 * i + 4, constants_[startRegister + i].begin());
    return D3D_OK;
}

HRESULT SoftwareDevice::CreateEffect(const void* data, std::size_t length, std::uint32_t /*flags*/, D3DXEffect** effect)
{
    if (effect == nullptr)
        return D3DERR_INVALIDCALL;
    *effect = SoftwareEffect::Create(data, length, ledger_);
    return *effect != nullptr ? D3D_OK : D3DERR_INVALIDCALL;
}

// ---------------------------------------------------------------------------
namespace plat {

HRESULT CreateSoftwareDevice(const D3DPRESENT_PARAMETERS& parameters, Direct3DDevice9** device)
{
    if (device == nullptr)
        return D3DERR_INVALIDCALL;
    *device = nullptr;
    auto* made = new (std::nothrow) SoftwareDevice(parameters);
    if (made == nullptr)
        return E_OUTOFMEMORY;
    if (!made->Start()) {
        made->Release();
        return D3DERR_NOTAVAILABLE;
    }
    *device = made;
    return D3D_OK;
}

bool SimulateDeviceLoss(Direct3DDevice9* device, int lostPolls)
{
    auto* ours = dynamic_cast<SoftwareDevice*>(device);
    if (ours == nullptr)
        return false;
    ours->SimulateLoss(lostPolls);
    return true;
}

bool SetReportedPixelShaderVersion(Direct3DDevice9* device, std::uint32_t version)
{
    auto* ours = dynamic_cast<SoftwareDevice*>(device);
    if (ours == nullptr)
        return false;
    ours->SetPixelShaderVersion(version);
    return true;
}

bool SetDrawingWorkers(Direct3DDevice9* device, int workers)
{
    auto* ours = dynamic_cast<SoftwareDevice*>(device);
    if (ours == nullptr)
        return false;
    ours->SetDrawingWorkers(std::clamp(workers, 0, 64));
    return true;
}

bool SetTileBinning(Direct3DDevice9* device, bool on)
{
    auto* ours = dynamic_cast<SoftwareDevice*>(device);
    if (ours == nullptr)
        return false;
    ours->SetTileBinning(on);
    return true;
}

bool IsShowingFullScreen(Direct3DDevice9* device)
{
    auto* ours = dynamic_cast<SoftwareDevice*>(device);
    return ours != nullptr && ours->ShowingFullScreen();
}

} // namespace plat
