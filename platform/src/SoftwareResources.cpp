#include "SoftwareResources.h"

#include <algorithm>

#include "TileBins.h"

DefaultPoolMark::DefaultPoolMark(DeviceLedgerPtr ledger, D3DPOOL pool)
    : ledger_(std::move(ledger)), counted_(pool == D3DPOOL_DEFAULT && ledger_ != nullptr)
{
    if (counted_)
        ++ledger_->defaultPoolObjects;
}

DefaultPoolMark::~DefaultPoolMark()
{
    if (counted_)
        --ledger_->defaultPoolObjects;
}

bool IsColourFormat(D3DFORMAT format)
{
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

bool EveryPixelOpaque(const PixelImage& image)
{
    if (image.everyPixelOpaque < 0)
        image.everyPixelOpaque = image.opaque || std::all_of(image.pixels.begin(), image.pixels.end(),
                                                             [](std::uint32_t pixel) { return pixel >> 24 == 0xFF; })
                                     ? 1
                                     : 0;
    return image.everyPixelOpaque != 0;
}

std::uint32_t FullChainLength(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t levels = 1;
    while (width > 1 || height > 1) {
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        ++levels;
    }
    return levels;
}

// ---------------------------------------------------------------------------
SoftwareSurface::SoftwareSurface(const D3DSURFACE_DESC& desc, SoftwareTexture* container, DeviceLedgerPtr ledger,
                                 bool countedForReset)
    : desc_(desc), container_(container), ledger_(ledger)
{
    if (container_ == nullptr && countedForReset)
        poolMark_ = std::make_unique<DefaultPoolMark>(std::move(ledger), desc.Pool);
    if (IsColourFormat(desc.Format)) {
        image_.width = desc.Width;
        image_.height = desc.Height;
        image_.opaque = desc.Format == D3DFMT_X8R8G8B8;
        image_.pixels.assign(static_cast<std::size_t>(desc.Width) * desc.Height, 0);
    }
}

std::uint32_t SoftwareSurface::AddRef()
{
    if (container_ != nullptr)
        return container_->AddRef();
    return ++references_;
}

std::uint32_t SoftwareSurface::Release()
{
    if (container_ != nullptr)
        return container_->Release();
    const std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

std::uint32_t SoftwareSurface::References() const
{
    return references_;
}

HRESULT SoftwareSurface::GetDesc(D3DSURFACE_DESC* desc)
{
    if (desc == nullptr)
        return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

void SoftwareSurface::LendPixels(PixelImage& image)
{
    PayOwedPixels();
    image_.pixels.swap(image.pixels);
    image_.everyPixelOpaque = -1;
    image.everyPixelOpaque = -1;
    owedFrom_ = &image;
}

void SoftwareSurface::PayOwedPixels()
{
    if (owedFrom_ == nullptr)
        return;
    std::copy(owedFrom_->pixels.begin(), owedFrom_->pixels.end(), image_.pixels.begin());
    owedFrom_ = nullptr;
}

HRESULT SoftwareSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t /*flags*/)
{
    if (locked == nullptr || locked_ || !HasPixels())
        return D3DERR_INVALIDCALL;
    // Whoever locks may read or change these pixels: every draw made before
    // must be on them, and none kept may read them later.
    if (ledger_ != nullptr && ledger_->pendingTiles != nullptr)
        ledger_->pendingTiles->DrawAll();
    PayOwedPixels();
    image_.everyPixelOpaque = -1; // the locker may write any pixel
    RECT area{0, 0, static_cast<std::int32_t>(image_.width), static_cast<std::int32_t>(image_.height)};
    if (rect != nullptr) {
        if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
            rect->right > area.right || rect->bottom > area.bottom)
            return D3DERR_INVALIDCALL;
        area = *rect;
    }
    locked->Pitch = static_cast<std::int32_t>(image_.width * 4);
    locked->pBits = image_.pixels.data() + static_cast<std::size_t>(area.top) * image_.width + area.left;
    locked_ = true;
    return D3D_OK;
}

HRESULT SoftwareSurface::UnlockRect()
{
    if (!locked_)
        return D3DERR_INVALIDCALL;
    locked_ = false;
    return D3D_OK;
}

// ---------------------------------------------------------------------------
SoftwareTexture::SoftwareTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                                 D3DFORMAT format, D3DPOOL pool, DeviceLedgerPtr ledger)
    : poolMark_(ledger, pool)
{
    if (levels == 0)
        levels = FullChainLength(width, height);
    for (std::uint32_t level = 0; level < levels; ++level) {
        D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, usage, pool, width, height};
        levels_.push_back(new SoftwareSurface(desc, this, ledger));
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
    }
}

SoftwareTexture::~SoftwareTexture()
{
    for (SoftwareSurface* level : levels_)
        delete level;
}

std::uint32_t SoftwareTexture::AddRef()
{
    return ++references_;
}

std::uint32_t SoftwareTexture::Release()
{
    const std::uint32_t left = --references_;
    if (left == 0)
        delete this;
    return left;
}

std::uint32_t SoftwareTexture::GetLevelCount()
{
    return static_cast<std::uint32_t>(levels_.size());
}

HRESULT SoftwareTexture::GetLevelDesc(std::uint32_t level, D3DSURFACE_DESC* desc)
{
    if (level >= levels_.size())
        return D3DERR_INVALIDCALL;
    return levels_[level]->GetDesc(desc);
}

HRESULT SoftwareTexture::LockRect(std::uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags)
{
    if (level >= levels_.size())
        return D3DERR_INVALIDCALL;
    return levels_[level]->LockRect(locked, rect, flags);
}

HRESULT SoftwareTexture::UnlockRect(std::uint32_t level)
{
    if (level >= levels_.size())
        return D3DERR_INVALIDCALL;
    return levels_[level]->UnlockRect();
}

HRESULT SoftwareTexture::GetSurfaceLevel(std::uint32_t level, Direct3DSurface9** surface)
{
    if (surface == nullptr || level >= levels_.size())
        return D3DERR_INVALIDCALL;
    levels_[level]->AddRef();
    *surface = levels_[level];
    return D3D_OK;
}
