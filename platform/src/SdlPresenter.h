// Shows the device's pictures in its SDL window: a streaming texture scaled
// to the window, letterboxed when the window's shape differs (desktop full
// screen). Without a window it shows nothing and every call succeeds.
#pragma once

#include <cstdint>

#include "SoftwareResources.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class SdlPresenter {
public:
    explicit SdlPresenter(SDL_Window* window) : window_(window) {}
    ~SdlPresenter();
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Desktop full screen, or a window whose inside is width × height.
    bool SetMode(bool fullScreen, std::uint32_t width, std::uint32_t height);
    bool FullScreen() const { return fullScreen_; }

    void Show(const PixelImage& picture);

private:
    bool Prepare(const PixelImage& picture);

    SDL_Window* window_;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::uint32_t textureWidth_ = 0;
    std::uint32_t textureHeight_ = 0;
    bool fullScreen_ = false;
    bool failed_ = false; // no renderer could be made: stop trying every frame
};
