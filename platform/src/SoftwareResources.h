// Surfaces and textures of the software device: plain ARGB pixels in memory.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "DeviceLedger.h"
#include "platform/Device.h"

// The pixels of one surface: 0xAARRGGBB, rows packed (pitch = width).
struct PixelImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool opaque = false; // X8R8G8B8: the top byte reads as 0xFF
    std::vector<std::uint32_t> pixels;
    // Whether every pixel's alpha reads as 0xFF (see EveryPixelOpaque): -1
    // until asked again after the pixels may have changed.
    mutable std::int8_t everyPixelOpaque = -1;
};

// Whether every pixel of `image` has alpha 0xFF, worked out once after each
// change (a source-over draw of such a texture is a plain copy).
bool EveryPixelOpaque(const PixelImage& image);

class SoftwareTexture;

// Counts this object in the ledger while it lives, when it is in the default pool.
class DefaultPoolMark {
public:
    DefaultPoolMark(DeviceLedgerPtr ledger, D3DPOOL pool);
    ~DefaultPoolMark();
    DefaultPoolMark(const DefaultPoolMark&) = delete;
    DefaultPoolMark& operator=(const DefaultPoolMark&) = delete;

private:
    DeviceLedgerPtr ledger_;
    bool counted_;
};

class SoftwareSurface final : public Direct3DSurface9 {
public:
    // A surface of its own (container null) or a level of a texture, whose
    // reference count it shares. One of its own counts against Reset when
    // in the default pool, unless `countedForReset` is false (the back buffer).
    SoftwareSurface(const D3DSURFACE_DESC& desc, SoftwareTexture* container, DeviceLedgerPtr ledger,
                    bool countedForReset = true);

    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) override;
    HRESULT UnlockRect() override;

    // The pixels, to be changed; what the surface owes (see OwePixels) is
    // copied in first.
    PixelImage& Image()
    {
        PayOwedPixels();
        image_.everyPixelOpaque = -1;
        return image_;
    }
    // The pixels, about to be overwritten whole: nothing owed is copied.
    PixelImage& ImageToOverwrite()
    {
        owedFrom_ = nullptr;
        image_.everyPixelOpaque = -1;
        return image_;
    }
    // Hands this surface's pixels to `image` (of the same size) in exchange
    // for its storage, without a copy; the surface still reads as before,
    // owing its pixels from `image` until it is next looked at or overwritten.
    // `image` must stay unchanged while owed.
    void LendPixels(PixelImage& image);
    bool OwesPixels() const { return owedFrom_ != nullptr; }
    const D3DSURFACE_DESC& Desc() const { return desc_; }
    bool HasPixels() const { return !image_.pixels.empty(); }
    bool IsRenderTarget() const { return (desc_.Usage & D3DUSAGE_RENDERTARGET) != 0; }
    std::uint32_t References() const;

private:
    ~SoftwareSurface() override = default;
    friend class SoftwareTexture;

    void PayOwedPixels();

    D3DSURFACE_DESC desc_;
    SoftwareTexture* container_;
    std::unique_ptr<DefaultPoolMark> poolMark_;
    DeviceLedgerPtr ledger_; // whose pending draws a lock waits for
    std::atomic<std::uint32_t> references_{1};
    PixelImage image_;
    const PixelImage* owedFrom_ = nullptr;
    bool locked_ = false;
};

class SoftwareTexture final : public Direct3DTexture9 {
public:
    SoftwareTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                    D3DFORMAT format, D3DPOOL pool, DeviceLedgerPtr ledger);

    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    std::uint32_t GetLevelCount() override;
    HRESULT GetLevelDesc(std::uint32_t level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(std::uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, std::uint32_t flags) override;
    HRESULT UnlockRect(std::uint32_t level) override;
    HRESULT GetSurfaceLevel(std::uint32_t level, Direct3DSurface9** surface) override;

    const PixelImage& TopImage() const { return levels_.front()->image_; }
    D3DPOOL Pool() const { return levels_.front()->desc_.Pool; }

private:
    ~SoftwareTexture() override;

    std::atomic<std::uint32_t> references_{1};
    DefaultPoolMark poolMark_;
    std::vector<SoftwareSurface*> levels_;
};

// The number of levels of a full chain down to 1 × 1.
std::uint32_t FullChainLength(std::uint32_t width, std::uint32_t height);

// Whether a format can hold pixels on this device.
bool IsColourFormat(D3DFORMAT format);
