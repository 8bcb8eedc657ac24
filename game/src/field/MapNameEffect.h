// The place-name banner: on entering a map of another place, the place's name
// fades in at the bottom of the field screen, stays for three seconds and
// fades out again. The first 45 frames prepare it (glyphs, measuring, render
// targets, the name rendered into a target); with the banner shaders usable
// and screen effects on, the name is blurred twice into further targets, the
// fades reveal it through the banner cut effect and it sharpens in and blurs
// out between the blurred copies. Otherwise it is one alpha-ramped quad.
#pragma once

#include <cstdint>

#include "Zeph.h"
#include "platform/Device.h"

class CMapNameEffect {
public:
    static constexpr int kTargetCount = 3;
    static constexpr int kHeight = 38;
    static constexpr float kTop = 476.0f - static_cast<float>(kHeight);
    static constexpr float kDepth = 0.41f;
    static constexpr int kHoldFrames = 180;
    static constexpr int kCrossFadeFrames = 32;
    static constexpr float kCutSizeMax = 17.0f;
    // The frames of preparation on which its steps run.
    static constexpr int kMeasureFrame = 20;
    static constexpr int kTargetsFrame = 25;
    static constexpr int kRenderFrame = 30;
    static constexpr int kFirstPassFrame = 35;
    static constexpr int kSecondPassFrame = 40;
    static constexpr int kShowFrame = 45;

    enum State : std::int32_t { kPreparing = 0, kShowing = 1 };
    enum Phase : std::int32_t { kFadeIn = 0, kSharpen = 1, kHold = 2, kBlur = 3, kFadeOut = 4 };

    void InitMapNameEffect();
    void InitMapNameText();
    void ReleaseMapNameEffect();

    void StartMapNameEffect(bool newPlace);
    void UpdateMapNameEffect();
    void DrawMapNameEffect();
    void StopMapNameEffect();

    // Around a device reset: the targets live in the default pool.
    bool IsMapNameEffectActive() const;
    void ReleaseMapNameCapture();
    void RestoreMapNameEffect();

    bool IsActive() const { return active != 0; }
    State CurrentState() const { return state; }
    Phase CurrentPhase() const { return phase; }
    int FrameCounter() const { return frameCounter; }
    std::uint32_t BannerColour() const { return colour; }
    float CutWidth() const { return cutSize[0]; }
    float CutHeight() const { return cutSize[1]; }
    int StageIndex(int stage) const { return stageIndex[stage]; }
    int Width() const { return width; }
    float X() const { return x; }
    bool OnLeftSide() const { return leftSide != 0; }
    bool InShaderMode() const { return shaderMode != 0; }
    Zeph::CTextTexture* Text() const { return text; }

private:
    void ClearMapNameEffect();
    void UpdatePreparation();
    void UpdateShowing();
    void StartShowing();
    void BeginMapNameFadeOut();
    void EndPhase(Phase next);

    bool MeasureMapName();
    bool CreateMapNameTargets();
    bool RenderMapNameText();
    bool RenderMapNamePass(int pass);
    bool RenderMapNamePasses(int before);
    bool PrepareMapNameGlyph(int index);
    bool BeginTargetScene(int target);
    void EndTargetScene();
    void PlaceMapNameBanner();
    void StepMapNameCut(bool fadingIn);
    void DrawShadedQuad();
    void DrawPlainQuad();
    void DrawThroughCutEffect();

    const char16_t* PlaceName() const;

    TexturedVertex plainQuad[4];
    TwoTextureVertex shadedQuad[4];
    float x;
    Zeph::CTextTexture* text;
    Direct3DTexture9* targets[kTargetCount];
    Direct3DSurface9* surfaces[kTargetCount];
    std::uint32_t colour;
    float cutSize[2];
    std::int32_t stageIndex[2];
    std::int32_t width;
    std::int32_t height;
    std::int32_t frameCounter;
    std::int32_t nameLength;
    State state;
    Phase phase;
    std::uint8_t active;
    std::uint8_t pending;
    std::uint8_t shaderMode;
    std::uint8_t leftSide;
};
