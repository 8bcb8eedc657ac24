// The encounter transition: a meeting on the map (an event's battle command
// or the player touching an enemy symbol) freezes the field into a captured
// picture, changes the music, plays the encounter sound, closes two black
// bands with soft edges over the picture from the top and the bottom, holds
// black for a few frames and then sets the battle up.
#pragma once

#include <cstdint>

#include "battle/EncountParameters.h"
#include "core/GameConstants.h"
#include "platform/Device.h"

struct MapSymbolRecord;

// The closing bands move 8 pixels a frame behind 256-pixel soft edges
// (ENCOUNT_EFFECT_FRAMES of them); black holds 8 frames more.
constexpr int ENCOUNT_BAND_STEP = 8;
constexpr int ENCOUNT_SOFT_EDGE = 256;
constexpr int ENCOUNT_BLACK_FRAMES = 8;
constexpr int SE_ENCOUNT = 23;

enum EncountPhaseValue : std::int32_t {
    ENCOUNT_CLOSING = 0,
    ENCOUNT_BLACK = 1,
};

class CEncountEffect {
public:
    void InitEncountEffect();
    void ReleaseEncountEffect() { ReleaseEncountTextures(); }
    // The source is the touched symbol (fromSymbol) or the battle command's
    // argument words.
    void StartEncountEffect(const void* source, bool fromSymbol);
    void UpdateEncountEffect();
    void DrawEncountEffect();
    bool IsEncountEffectReady() const { return CaptureTexture != nullptr; }
    void ReleaseEncountTextures();
    void CaptureEncountScreen();
    // Ends the transition and starts the battle.
    void StartBattleFromEncount();

    TexturedVertex PictureQuad[4];
    ColouredVertex BandQuad[4];
    const MapSymbolRecord* EncountSymbol;
    Direct3DTexture9* CaptureTexture;
    Direct3DSurface9* CaptureSurface;
    // The command's words, kept as the enemy group reads a record.
    std::uint8_t EncountRecord[ENCOUNT_RECORD_BYTES];
    std::int32_t EncountWords[ENCOUNT_EVENT_WORDS];
    std::int32_t EncountPhase;
    std::int32_t EncountFrame;
    std::uint8_t FromSymbol;
    std::uint8_t BattleTune;
    std::uint8_t CaptureFailed;
    std::uint8_t FromEvent;

private:
    void DrawCapturedPicture();
    void DrawBand(float top, float bottom, std::uint32_t topColour, std::uint32_t bottomColour);
    // The battle could not be set up: back to the field as if it never began.
    void AbandonEncount();
};
