// The banner's life: starting on a map change, the preparation frames and
// the showing phases.
#include "field/MapNameEffect.h"

#include "core/Parts.h"
#include "core/PlaceNames.h"
#include "core/ZephGlobals.h"
#include "field/Map.h"
#include "media/Shader.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "MapNameEffect";
constexpr std::uint32_t kClearWhite = 0x00FFFFFFu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr int kAlphaStep = 8;
// Walking between these two places shows no banner.
constexpr int kJoinedPlaceA = 14;
constexpr int kJoinedPlaceB = 15;
// The map's flag word B: the banner is allowed.
constexpr std::uint32_t kFlagBBannerAllowed = 1u << 8;

bool IsJoinedPlace(int place)
{
    return place == kJoinedPlaceA || place == kJoinedPlaceB;
}

std::uint32_t WithAlpha(int alpha)
{
    return static_cast<std::uint32_t>(alpha) << 24 | (kClearWhite & 0x00FFFFFFu);
}

} // namespace

void CMapNameEffect::InitMapNameEffect()
{
    const float corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        plainQuad[i] = TexturedVertex{0, 0, kDepth, 1.0f, kClearWhite, corners[i][0], corners[i][1]};
        shadedQuad[i] =
            TwoTextureVertex{0, 0, kDepth, 1.0f, kWhite, corners[i][0], corners[i][1], corners[i][0], corners[i][1]};
    }
    x = 0;
    text = nullptr;
    for (int i = 0; i < kTargetCount; ++i) {
        targets[i] = nullptr;
        surfaces[i] = nullptr;
    }
    colour = kClearWhite;
    cutSize[0] = cutSize[1] = 1.0f;
    stageIndex[0] = stageIndex[1] = 0;
    width = 0;
    height = kHeight;
    frameCounter = 0;
    nameLength = 0;
    state = kPreparing;
    phase = kFadeIn;
    active = pending = shaderMode = 0;
    leftSide = 1;
}

void CMapNameEffect::InitMapNameText()
{
    text = CreateTextTextureProc != nullptr ? CreateTextTextureProc() : nullptr;
    if (text == nullptr) {
        REPORT_ERROR(kSource, 68, ERROR_NO_MEMORY);
        return;
    }
    // Height 26 with a black edge of 4, proportional, drawn at once.
    if (!text->Init(26, 0, "ＭＳ ゴシック", 6, kWhite, 0, 0, 4, 1.0f, 0, 4, 0xFF000000u, 0, 0, true, -1, -1, 0, 0.0f,
                    false))
        REPORT_ERROR(kSource, 77, ERROR_TEXT_INIT);
}

void CMapNameEffect::ReleaseMapNameEffect()
{
    ClearMapNameEffect();
    active = 0;
    if (text != nullptr) {
        text->Release();
        text = nullptr;
    }
}

void CMapNameEffect::ClearMapNameEffect()
{
    ReleaseMapNameCapture();
    if (text != nullptr)
        text->ClearGlyphs();
}

void CMapNameEffect::StopMapNameEffect()
{
    ClearMapNameEffect();
    active = 0;
}

const char16_t* CMapNameEffect::PlaceName() const
{
    const int p = TheMap->PlaceNumber();
    return p >= 0 && p < PLACE_NAME_COUNT ? PlaceNameTable[p] : u"";
}

void CMapNameEffect::StartMapNameEffect(bool newPlace)
{
    ClearMapNameEffect();
    active = 0;
    const int p = TheMap->PlaceNumber();
    const int q = TheGameData->lastPlaceShown;
    if (p != q) {
        if (!(IsJoinedPlace(p) && IsJoinedPlace(q)))
            pending = 1;
        TheGameData->lastPlaceShown = p;
    }
    // A place without a name (34 or more) is remembered but never shown.
    const bool named = p >= 0 && p < PLACE_NAME_COUNT;
    if ((pending == 0 && !newPlace) || (TheMap->FlagsB() & kFlagBBannerAllowed) == 0 || !named)
        return;
    active = 1;
    pending = 0;
    width = 0;
    state = kPreparing;
    phase = kFadeIn;
    frameCounter = 0;
    colour = kClearWhite;
    x = 0;
    nameLength = 0;
    for (const char16_t* c = PlaceName(); *c != 0; ++c)
        ++nameLength;
    shaderMode = TheShader != nullptr && TheShader->bannerShadersUsable && TheGameData->effectOption == 0 ? 1 : 0;
    cutSize[0] = cutSize[1] = 1.0f;
}

void CMapNameEffect::UpdateMapNameEffect()
{
    if (active == 0)
        return;
    if (state == kPreparing)
        UpdatePreparation();
    else
        UpdateShowing();
}

void CMapNameEffect::UpdatePreparation()
{
    ++frameCounter;
    bool ok = true;
    switch (frameCounter) {
    case kMeasureFrame:
        ok = MeasureMapName();
        break;
    case kTargetsFrame:
        ok = CreateMapNameTargets();
        break;
    case kRenderFrame:
        ok = RenderMapNameText();
        break;
    case kFirstPassFrame:
        ok = shaderMode == 0 || RenderMapNamePass(1);
        break;
    case kSecondPassFrame:
        ok = shaderMode == 0 || RenderMapNamePass(2);
        break;
    case kShowFrame:
        StartShowing();
        break;
    default:
        if (frameCounter >= 2 && frameCounter <= nameLength + 1)
            ok = PrepareMapNameGlyph(frameCounter - 2);
        break;
    }
    if (!ok)
        StopMapNameEffect();
}

void CMapNameEffect::StartShowing()
{
    state = kShowing;
    phase = kFadeIn;
    frameCounter = 1;
    colour = WithAlpha(kAlphaStep);
    cutSize[0] = cutSize[1] = kCutSizeMax;
    StepMapNameCut(true);
    if (active != 0)
        PlaceMapNameBanner();
    if (active != 0)
        RestoreMapNameEffect();
}

void CMapNameEffect::UpdateShowing()
{
    RestoreMapNameEffect();
    if (active == 0)
        return;
    ++frameCounter;
    switch (phase) {
    case kFadeIn:
        if (frameCounter * kAlphaStep < 255) {
            colour = WithAlpha(frameCounter * kAlphaStep);
            StepMapNameCut(true);
            return;
        }
        frameCounter = 0;
        colour = kWhite;
        if (shaderMode != 0) {
            phase = kSharpen;
            stageIndex[0] = 1;
            stageIndex[1] = 2;
        } else {
            phase = kHold;
        }
        return;
    case kSharpen:
        if (frameCounter % kCrossFadeFrames != 0)
            return;
        if (stageIndex[0] == 0) {
            phase = kHold;
            frameCounter = 0;
        } else {
            --stageIndex[0];
            --stageIndex[1];
        }
        return;
    case kHold:
        if (frameCounter < kHoldFrames)
            return;
        if (shaderMode != 0) {
            phase = kBlur;
            frameCounter = 0;
            stageIndex[0] = 1;
            stageIndex[1] = 0;
        } else {
            BeginMapNameFadeOut();
        }
        return;
    case kBlur:
        if (frameCounter % kCrossFadeFrames != 0)
            return;
        if (stageIndex[0] < 2) {
            ++stageIndex[0];
            ++stageIndex[1];
        } else {
            BeginMapNameFadeOut();
        }
        return;
    case kFadeOut:
        if (frameCounter * kAlphaStep < 255) {
            colour = WithAlpha(255 - frameCounter * kAlphaStep);
            StepMapNameCut(false);
            return;
        }
        frameCounter = 0;
        colour = kClearWhite;
        StopMapNameEffect();
        return;
    }
}

void CMapNameEffect::BeginMapNameFadeOut()
{
    phase = kFadeOut;
    frameCounter = 1;
    colour = WithAlpha(255 - kAlphaStep);
    cutSize[0] = cutSize[1] = 1.0f;
    StepMapNameCut(false);
}
