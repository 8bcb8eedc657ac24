#include "SdlPresenter.h"

#include <SDL.h>

#include <cstring>

SdlPresenter::~SdlPresenter()
{
    if (texture_ != nullptr)
        SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr)
        SDL_DestroyRenderer(renderer_);
}

bool SdlPresenter::SetMode(bool fullScreen, std::uint32_t width, std::uint32_t height)
{
    if (window_ == nullptr) {
        fullScreen_ = fullScreen;
        return true;
    }
    if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
        return false;
    if (!fullScreen)
        SDL_SetWindowSize(window_, static_cast<int>(width), static_cast<int>(height));
    fullScreen_ = fullScreen;
    return true;
}

bool SdlPresenter::Prepare(const PixelImage& picture)
{
    if (failed_)
        return false;
    // A renderer drawing through the window's surface keeps the old size after
    // the window changes size: start again with a fresh one.
    int windowWidth = 0, windowHeight = 0, outputWidth = 0, outputHeight = 0;
    SDL_GetWindowSizeInPixels(window_, &windowWidth, &windowHeight);
    if (renderer_ != nullptr && (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0 ||
                                 outputWidth != windowWidth || outputHeight != windowHeight)) {
        if (texture_ != nullptr)
            SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
    }
    if (renderer_ == nullptr) {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
        if (renderer_ == nullptr) {
            failed_ = true;
            return false;
        }
    }
    if (texture_ != nullptr && (textureWidth_ != picture.width || textureHeight_ != picture.height)) {
        SDL_DestroyTexture(texture_);
        texture_ = nullptr;
    }
    if (texture_ == nullptr) {
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                     static_cast<int>(picture.width), static_cast<int>(picture.height));
        if (texture_ == nullptr)
            return false;
        textureWidth_ = picture.width;
        textureHeight_ = picture.height;
        // Letterboxing: the picture keeps its shape inside any window size.
        SDL_RenderSetLogicalSize(renderer_, static_cast<int>(picture.width), static_cast<int>(picture.height));
    }
    return true;
}

void SdlPresenter::Show(const PixelImage& picture)
{
    if (window_ == nullptr || picture.pixels.empty() || !Prepare(picture))
        return;
    // The one copy of the frame: straight into the streaming texture's memory.
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 4;
    for (std::uint32_t y = 0; y < picture.height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(pixels) + static_cast<std::size_t>(y) * pitch,
                    picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, rowBytes);
    SDL_UnlockTexture(texture_);
    // Black bars only where the picture leaves some: a picture of the
    // window's own shape covers every pixel, and clearing first would write
    // the whole window twice.
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    if (static_cast<std::uint64_t>(outputWidth) * picture.height !=
        static_cast<std::uint64_t>(outputHeight) * picture.width) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}
