#include "battle/EncountEffect.h"

#include <algorithm>
#include <cstring>

#include "battle/BattleEffect.h"
#include "battle/GameOverEffect.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

namespace {

constexpr float kPictureDepth = 0.1f;
constexpr float kBandDepth = 0.05f;
constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;
constexpr int kFieldTrack = 0;
constexpr int kBattleTrack = 1;
constexpr int kTuneWord = 1;

} // namespace

void CEncountEffect::InitEncountEffect()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (int i = 0; i < 4; ++i) {
        const bool right = (i & 1) != 0;
        const bool bottom = (i & 2) != 0;
        PictureQuad[i] = {right ? SCREEN_WIDTH - 0.5f : -0.5f,
                          bottom ? SCREEN_HEIGHT - 0.5f : -0.5f,
                          kPictureDepth,
                          1.0f,
                          kOpaqueWhite,
                          right ? 1.0f : 0.0f,
                          bottom ? 1.0f : 0.0f};
        BandQuad[i] = {right ? SCREEN_WIDTH - 0.5f : -0.5f, 0.0f, kBandDepth, 1.0f, 0};
    }
}

void CEncountEffect::StartEncountEffect(const void* source, bool fromSymbol)
{
    TheMapCharacter->ClearBalloonState();
    TheMapCharacter->SetArrivalCheck();
    TheMapNameEffect->StopMapNameEffect();
    SceneState = SCENE_ENCOUNT;

    EncountSymbol = nullptr;
    std::memset(EncountRecord, 0, sizeof EncountRecord);
    std::memset(EncountWords, 0, sizeof EncountWords);
    EncountPhase = ENCOUNT_CLOSING;
    EncountFrame = 0;
    CaptureFailed = 0;
    FromSymbol = fromSymbol ? 1 : 0;
    FromEvent = 0;
    BattleTune = TheMap->Header().battleTune;
    if (fromSymbol) {
        EncountSymbol = static_cast<const MapSymbolRecord*>(source);
    } else if (source != nullptr) {
        std::memcpy(EncountWords, source, sizeof EncountWords);
        EventEncountRecord(EncountWords, EncountRecord);
        FromEvent = 1;
        BattleTune = static_cast<std::uint8_t>(EncountWords[kTuneWord] & 0xFF);
    }

    // Only a map whose battle tune differs from its field tune switches music.
    if (TheCharacter->MusicSwitchOn()) {
        ThePlayBGM->FadeOut(kFieldTrack, ENCOUNT_EFFECT_MS);
        ThePlayBGM->LoadTune(kBattleTrack, BattleTune, false);
    }
    PlaySoundEffect(SE_ENCOUNT);
    CaptureEncountScreen();
}

void CEncountEffect::ReleaseEncountTextures()
{
    if (CaptureSurface != nullptr)
        CaptureSurface->Release();
    if (CaptureTexture != nullptr)
        CaptureTexture->Release();
    CaptureSurface = nullptr;
    CaptureTexture = nullptr;
}

void CEncountEffect::CaptureEncountScreen()
{
    CaptureFailed = TheGameOverEffect->RenderSceneToTexture(CaptureTexture, CaptureSurface, false, false) ? 0 : 1;
}

void CEncountEffect::UpdateEncountEffect()
{
    if (EncountPhase == ENCOUNT_CLOSING) {
        if (++EncountFrame >= ENCOUNT_EFFECT_FRAMES) {
            EncountPhase = ENCOUNT_BLACK;
            ReleaseEncountTextures();
            EncountFrame = 0;
        }
    } else if (++EncountFrame >= ENCOUNT_BLACK_FRAMES) {
        StartBattleFromEncount();
    }
}

void CEncountEffect::DrawCapturedPicture()
{
    if (CaptureFailed != 0 || CaptureTexture == nullptr) {
        TheScreenEffect->DrawMapLayers();
        return;
    }
    D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    SetCachedTexture(CaptureTexture);
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(PictureQuad, sizeof(TexturedVertex));
    D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
}

void CEncountEffect::DrawBand(float top, float bottom, std::uint32_t topColour, std::uint32_t bottomColour)
{
    BandQuad[0].y = BandQuad[1].y = top;
    BandQuad[2].y = BandQuad[3].y = bottom;
    BandQuad[0].colour = BandQuad[1].colour = topColour;
    BandQuad[2].colour = BandQuad[3].colour = bottomColour;
    DrawQuadStrip(BandQuad, sizeof(ColouredVertex));
}

// Each soft edge enters with its clear end leading until the clear ends meet
// in the middle; then the edges shrink towards the middle behind solid black.
void CEncountEffect::DrawEncountEffect()
{
    if (EncountPhase != ENCOUNT_CLOSING)
        return;
    DrawCapturedPicture();
    SetCachedTexture(nullptr);
    SetCachedFvf(FVF_COLOURED);
    const float d = static_cast<float>(EncountFrame * ENCOUNT_BAND_STEP);
    const float edge = static_cast<float>(ENCOUNT_SOFT_EDGE);
    const float g = std::min(ENCOUNT_EFFECT_TRAVEL - d, edge);
    if (g > 0.0f) {
        const std::uint32_t inner = 255u - static_cast<std::uint32_t>(g * 255.0f / edge);
        const std::uint32_t innerColour = inner << 24;
        DrawBand(d - edge - 0.5f, d - edge + g - 0.5f, kOpaqueBlack, innerColour);
        DrawBand(SCREEN_HEIGHT + edge - d - g - 0.5f, SCREEN_HEIGHT + edge - d - 0.5f, innerColour, kOpaqueBlack);
    }
    const float e = d - edge;
    if (e > 0.0f) {
        DrawBand(-0.5f, e - 0.5f, kOpaqueBlack, kOpaqueBlack);
        DrawBand(SCREEN_HEIGHT - e - 0.5f, SCREEN_HEIGHT - 0.5f, kOpaqueBlack, kOpaqueBlack);
    }
}

void CEncountEffect::StartBattleFromEncount()
{
    TheBattleEffect->ResetBattle();
    SceneState = SCENE_BATTLE;
    EncountParameters p{};
    BattleRecordBytes fixedRecord;
    BattleRecordBytes encounterRecord;
    if (FromSymbol != 0 && EncountSymbol != nullptr) {
        p = SymbolEncountParameters(*EncountSymbol, TheMap->Header());
        SymbolEncountRecord(*EncountSymbol, EncountRecord);
        encounterRecord = BattleRecordBytes(EncountRecord, 4 * ENCOUNT_SYMBOL_WORDS);
    } else if (FromEvent != 0) {
        p = EventEncountParameters(EncountWords);
        fixedRecord = BattleRecordBytes(EncountRecord, sizeof EncountRecord);
    }
    SetupPartyForBattle(p.battleKind, p.escapeAllowed, p.itemLimit, false);
    if (!TheEnemyGroup->SetupEnemyBattle(fixedRecord, encounterRecord, p.battleKind, p.enemyOption, false,
                                         p.symbolOption)) {
        AbandonEncount();
        return;
    }
    TheBattleEffect->UpdateBattleOpening();
}

// The event goes on as after a battle that tells nothing; the symbol is let
// go; the field's music comes back.
void CEncountEffect::AbandonEncount()
{
    SceneState = SCENE_FIELD;
    if (FromEvent != 0 && MapSceneState == MAP_SCENE_EVENT)
        TheEvent->SetEventBattleResult(false, false);
    if (FromSymbol != 0 && TheObject->HoldsEncounteredSymbol())
        TheObject->ForgetEncounteredSymbol();
    if (TheCharacter->MusicSwitchOn())
        ThePlayBGM->Play(kFieldTrack);
}
