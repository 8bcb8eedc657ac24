// Pictures of the game and the quads they are drawn on.
//
// Every picture but text is a screen-aligned quad the game draws itself,
// textured from an image of the resource pack. CTexture owns one loaded image
// (the quads' vertex records are the device's); the cache helpers skip the
// SetFVF and SetTexture calls that would set what is already set.
#pragma once

#include <cstdint>

#include "platform/Device.h"

// One image a part owns. The record owns its texture: only ReleaseTexture
// gives it back (to the engine's pack reader), and destruction runs it.
class CTexture {
public:
    Direct3DTexture9* texture = nullptr;
    // Size of mip level 0 in texels; floats because every use divides by them.
    float width = 0.0f;
    float height = 0.0f;

    CTexture() = default;
    ~CTexture() { ReleaseTexture(); }
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    void InitTexture();
    // Loads image `entry` of pack `pack`. The caller releases what the record
    // holds first; on failure the record keeps whatever the pack reader made.
    bool LoadTexture(int pack, int entry);
    void ReleaseTexture();
    int GetTextureWidthInt() const { return static_cast<int>(width); }

    // Texture coordinates of a pixel rectangle of the image, corners in strip
    // order (top-left, top-right, bottom-left, bottom-right); no half-texel offset.
    void RectToUV(float left, float top, float right, float bottom, float u[4], float v[4]) const;
    void PixelToU(float left, float right, float u[4]) const;
    void PixelToV(float top, float bottom, float v[4]) const;
};

inline Direct3DTexture9* GetTextureHandle(const CTexture& record)
{
    return record.texture;
}

// ---------------------------------------------------------------------------
// The render-state caches (CurrentFvf, CurrentTexture) in front of the device.

// Sets the vertex format unless the cache says it is already set.
void SetCachedFvf(std::uint32_t fvf);
// Sets stage 0's texture (null for untextured drawing) unless already set.
void SetCachedTexture(Direct3DTexture9* texture);
// After BeginScene or a render-target switch the device state is unknown:
// forget both caches and empty stage 0.
void ResetRenderStateCaches();

// Draws four vertices in strip order (top-left, top-right, bottom-left,
// bottom-right) as two triangles.
HRESULT DrawQuadStrip(const void* vertices, std::uint32_t stride);
// Draws a textured quad in strip order with the record's texture; nothing
// without a record or without its texture.
void DrawTexturedQuad(const CTexture* texture, const TexturedVertex quad[4]);
