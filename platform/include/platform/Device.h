// The graphics device the engine hands out and the game draws through.
//
// It offers the operations the game's drawing code is written against, under
// those operations' names: pre-transformed vertices drawn from user memory,
// render states, two texture stages, textures and render targets, pixel
// shaders and effects. The values of the constants are our own, except the
// vertex-format bits, which the game's code writes as numbers (0x144, 0x244).
//
// Objects are reference counted: every Create/Get that hands out an object
// adds a reference the caller gives back with Release; the device keeps its
// own references to what is set on it (textures, render targets, shaders).
#pragma once

#include <cstddef>
#include <cstdint>

using HRESULT = std::int32_t;

// ---------------------------------------------------------------------------
// Results
constexpr HRESULT D3D_OK = 0;
constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086Cu);
constexpr HRESULT D3DERR_DEVICELOST = static_cast<HRESULT>(0x88760868u);
constexpr HRESULT D3DERR_DEVICENOTRESET = static_cast<HRESULT>(0x88760869u);
constexpr HRESULT D3DERR_DRIVERINTERNALERROR = static_cast<HRESULT>(0x88760827u);
constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086Au);
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = static_cast<HRESULT>(0x8876017Cu);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);

inline bool FAILED(HRESULT result)
{
    return result < 0;
}
inline bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}

// ---------------------------------------------------------------------------
// Plain records
struct RECT {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

enum D3DFORMAT : std::uint32_t {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_A8R8G8B8 = 1, // 32-bit, alpha in the top byte
    D3DFMT_X8R8G8B8 = 2, // 32-bit, top byte ignored
    D3DFMT_R5G6B5 = 3,
    D3DFMT_D16 = 10,
    D3DFMT_D24S8 = 11,
};

enum D3DPOOL : std::uint32_t {
    D3DPOOL_DEFAULT = 0, // lost with the device
    D3DPOOL_MANAGED = 1, // survives a reset
    D3DPOOL_SYSTEMMEM = 2,
    D3DPOOL_SCRATCH = 3,
};

constexpr std::uint32_t D3DUSAGE_RENDERTARGET = 0x1;
constexpr std::uint32_t D3DUSAGE_DEPTHSTENCIL = 0x2;

enum D3DRESOURCETYPE : std::uint32_t {
    D3DRTYPE_SURFACE = 1,
    D3DRTYPE_TEXTURE = 3,
};

struct D3DSURFACE_DESC {
    D3DFORMAT Format;
    D3DRESOURCETYPE Type;
    std::uint32_t Usage;
    D3DPOOL Pool;
    std::uint32_t Width;
    std::uint32_t Height;
};

// Pixels of a locked rectangle: Pitch bytes between rows, 4 bytes a pixel
// (B, G, R, A in memory order: the 32-bit value 0xAARRGGBB little-endian).
struct D3DLOCKED_RECT {
    std::int32_t Pitch;
    void* pBits;
};

constexpr std::uint32_t D3DLOCK_READONLY = 0x10;
constexpr std::uint32_t D3DLOCK_DISCARD = 0x2000;

struct D3DDISPLAYMODE {
    std::uint32_t Width;
    std::uint32_t Height;
    std::uint32_t RefreshRate;
    D3DFORMAT Format;
};

struct D3DCAPS9 {
    std::uint32_t PixelShaderVersion; // 0xFFFF0000 | major << 8 | minor
    std::uint32_t VertexShaderVersion;
    std::uint32_t MaxTextureWidth;
    std::uint32_t MaxTextureHeight;
    std::uint32_t MaxSimultaneousTextures;
};

constexpr std::uint32_t D3DPS_VERSION(std::uint32_t major, std::uint32_t minor)
{
    return 0xFFFF0000u | (major << 8) | minor;
}

enum D3DSWAPEFFECT : std::uint32_t {
    D3DSWAPEFFECT_DISCARD = 1,
};

enum D3DDEVTYPE : std::uint32_t {
    D3DDEVTYPE_HAL = 1,
    D3DDEVTYPE_REF = 2,
};

struct SDL_Window;

struct D3DPRESENT_PARAMETERS {
    std::uint32_t BackBufferWidth;
    std::uint32_t BackBufferHeight;
    D3DFORMAT BackBufferFormat;
    std::uint32_t BackBufferCount;
    std::uint32_t MultiSampleType;
    std::uint32_t MultiSampleQuality;
    D3DSWAPEFFECT SwapEffect;
    SDL_Window* hDeviceWindow;
    bool Windowed;
    bool EnableAutoDepthStencil;
    D3DFORMAT AutoDepthStencilFormat;
    std::uint32_t Flags;
    std::uint32_t FullScreen_RefreshRateInHz;
    std::uint32_t PresentationInterval;
};

// ---------------------------------------------------------------------------
// Vertex formats: the bits the game's code writes as numbers.
constexpr std::uint32_t D3DFVF_XYZRHW = 0x004;
constexpr std::uint32_t D3DFVF_DIFFUSE = 0x040;
constexpr std::uint32_t D3DFVF_TEX1 = 0x100;
constexpr std::uint32_t D3DFVF_TEX2 = 0x200;

// The four vertex records drawn: positions are pre-transformed screen pixels
// (rhw 1), the colour is 0xAARRGGBB.
constexpr std::uint32_t FVF_TEXTURED = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;     // 0x144
constexpr std::uint32_t FVF_COLOURED = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;                   // 0x44
constexpr std::uint32_t FVF_TWO_TEXTURES = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX2; // 0x244
constexpr std::uint32_t FVF_TEXTURE_ONLY = D3DFVF_XYZRHW | D3DFVF_TEX1;                  // 0x104

struct TexturedVertex {
    float x, y, z, rhw;
    std::uint32_t colour;
    float u, v;
};
struct ColouredVertex {
    float x, y, z, rhw;
    std::uint32_t colour;
};
struct TwoTextureVertex {
    float x, y, z, rhw;
    std::uint32_t colour;
    float u0, v0;
    float u1, v1;
};
struct TextureOnlyVertex {
    float x, y, z, rhw;
    float u, v;
};
static_assert(sizeof(TexturedVertex) == 28);
static_assert(sizeof(ColouredVertex) == 20);
static_assert(sizeof(TwoTextureVertex) == 36);
static_assert(sizeof(TextureOnlyVertex) == 24);

enum D3DPRIMITIVETYPE : std::uint32_t {
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

constexpr std::uint32_t D3DCLEAR_TARGET = 0x1;
constexpr std::uint32_t D3DCLEAR_ZBUFFER = 0x2;
constexpr std::uint32_t D3DCLEAR_STENCIL = 0x4;

// ---------------------------------------------------------------------------
// States
enum D3DRENDERSTATETYPE : std::uint32_t {
    D3DRS_ZENABLE = 0,
    D3DRS_ZWRITEENABLE,
    D3DRS_ALPHABLENDENABLE,
    D3DRS_SRCBLEND,
    D3DRS_DESTBLEND,
    D3DRS_BLENDOP,
    D3DRS_LIGHTING,
    D3DRS_CULLMODE,
    D3DRS_ALPHATESTENABLE,
    D3DRS_COUNT
};

enum D3DBLEND : std::uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
};

enum D3DBLENDOP : std::uint32_t {
    D3DBLENDOP_ADD = 1,
};

enum D3DCULL : std::uint32_t {
    D3DCULL_NONE = 1,
};

enum D3DTEXTURESTAGESTATETYPE : std::uint32_t {
    D3DTSS_COLOROP = 0,
    D3DTSS_COLORARG1,
    D3DTSS_COLORARG2,
    D3DTSS_ALPHAOP,
    D3DTSS_ALPHAARG1,
    D3DTSS_ALPHAARG2,
    D3DTSS_TEXCOORDINDEX,
    D3DTSS_COUNT
};

enum D3DTEXTUREOP : std::uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
};

// Texture-stage arguments.
constexpr std::uint32_t D3DTA_DIFFUSE = 0;
constexpr std::uint32_t D3DTA_CURRENT = 1;
constexpr std::uint32_t D3DTA_TEXTURE = 2;

enum D3DSAMPLERSTATETYPE : std::uint32_t {
    D3DSAMP_ADDRESSU = 0,
    D3DSAMP_ADDRESSV,
    D3DSAMP_MAGFILTER,
    D3DSAMP_MINFILTER,
    D3DSAMP_MIPFILTER,
    D3DSAMP_COUNT
};

enum D3DTEXTUREADDRESS : std::uint32_t {
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_CLAMP = 3,
};

enum D3DTEXTUREFILTERTYPE : std::uint32_t {
    D3DTEXF_NONE = 0,
    D3DTEXF_POINT = 1,
    D3DTEXF_LINEAR = 2,
};

// ---------------------------------------------------------------------------
// Objects
class Direct3DResource {
public:
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~Direct3DResource() = default;
};

class Direct3DSurface9 : public Direct3DResource {
public:
    virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
    // rect null = the whole surface.
    virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) = 0;
    virtual HRESULT UnlockRect() = 0;
};

class Direct3DTexture9 : public Direct3DResource {
public:
    virtual std::uint32_t GetLevelCount() = 0;
    virtual HRESULT GetLevelDesc(std::uint32_t level, D3DSURFACE_DESC* desc) = 0;
    virtual HRESULT LockRect(std::uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) = 0;
    virtual HRESULT UnlockRect(std::uint32_t level) = 0;
    virtual HRESULT GetSurfaceLevel(std::uint32_t level, Direct3DSurface9** surface) = 0;
};

class Direct3DPixelShader9 : public Direct3DResource {};

// Unused by the game (never requested); kept so the engine's interface can name it.
class Direct3DSprite9 : public Direct3DResource {};

// A parameter of an effect, looked up by name; null when absent.
using D3DXHANDLE = const void*;

// An effect: a program with named parameters, drawn in passes.
class D3DXEffect : public Direct3DResource {
public:
    virtual D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) = 0;
    virtual D3DXHANDLE GetTechniqueByName(const char* name) = 0;
    virtual HRESULT SetTechnique(D3DXHANDLE technique) = 0;
    virtual HRESULT SetFloat(D3DXHANDLE parameter, float value) = 0;
    virtual HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, std::uint32_t count) = 0;
    virtual HRESULT SetTexture(D3DXHANDLE parameter, Direct3DTexture9* texture) = 0;
    virtual HRESULT Begin(std::uint32_t* passes, std::uint32_t flags) = 0;
    virtual HRESULT BeginPass(std::uint32_t pass) = 0;
    virtual HRESULT EndPass() = 0;
    virtual HRESULT End() = 0;
    virtual HRESULT OnLostDevice() = 0;
    virtual HRESULT OnResetDevice() = 0;
};

constexpr std::uint32_t D3DXSHADER_SKIPVALIDATION = 0x1;

class Direct3DDevice9 : public Direct3DResource {
public:
    // Loss and reset
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) = 0;
    virtual HRESULT Present() = 0;
    virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;
    virtual HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) = 0;

    // Frames
    virtual HRESULT Clear(std::uint32_t rectCount, const RECT* rects, std::uint32_t flags, std::uint32_t colour,
                          float z, std::uint32_t stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;

    // States
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, std::uint32_t* value) = 0;
    virtual HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) = 0;
    virtual HRESULT SetSamplerState(std::uint32_t sampler, D3DSAMPLERSTATETYPE type, std::uint32_t value) = 0;
    virtual HRESULT SetFVF(std::uint32_t fvf) = 0;
    virtual HRESULT SetTexture(std::uint32_t stage, Direct3DTexture9* texture) = 0;

    // Drawing: vertices from caller memory, `stride` bytes apart.
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* vertices,
                                    std::uint32_t stride) = 0;

    // Resources
    virtual HRESULT CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                                  D3DFORMAT format, D3DPOOL pool, Direct3DTexture9** texture) = 0;
    virtual HRESULT CreateOffscreenPlainSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                                D3DPOOL pool, Direct3DSurface9** surface) = 0;
    virtual HRESULT CreateDepthStencilSurface(std::uint32_t width, std::uint32_t height, D3DFORMAT format,
                                              Direct3DSurface9** surface) = 0;
    virtual HRESULT SetDepthStencilSurface(Direct3DSurface9* surface) = 0;
    virtual HRESULT GetRenderTarget(std::uint32_t index, Direct3DSurface9** surface) = 0;
    virtual HRESULT SetRenderTarget(std::uint32_t index, Direct3DSurface9* surface) = 0;
    // Copies the picture last presented into an A8R8G8B8 surface of the back buffer's size.
    virtual HRESULT GetFrontBufferData(std::uint32_t swapChain, Direct3DSurface9* surface) = 0;

    // Programmable shading: `data` holds `length` bytes of a program descriptor.
    virtual HRESULT CreatePixelShader(const void* data, std::size_t length, Direct3DPixelShader9** shader) = 0;
    virtual HRESULT SetPixelShader(Direct3DPixelShader9* shader) = 0;
    virtual HRESULT SetPixelShaderConstantF(std::uint32_t startRegister, const float* values,
                                            std::uint32_t vector4Count) = 0;
    virtual HRESULT CreateEffect(const void* data, std::size_t length, std::uint32_t flags, D3DXEffect** effect) = 0;
};

// The effect creation call the game's code is written against; forwards to
// the device's CreateEffect. Macros, include handler, pool and error buffer
// are not supported and must be null.
HRESULT D3DXCreateEffect(Direct3DDevice9* device, const void* data, std::uint32_t length, const void* macros,
                         void* include, std::uint32_t flags, void* pool, D3DXEffect** effect, void** errors);
