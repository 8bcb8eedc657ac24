// The magic circles: timed ground marks under a casting actor. A circle
// first draws its outline stroke by stroke over a fading-in guide, then runs
// through five frames with a growing inner piece, and fades out over 64
// frames when its time is up or its owner is interrupted. A looping sound
// plays while any circle lives.
#pragma once

#include <cstdint>
#include <list>

#include "platform/Device.h"

class CTexture;

constexpr int MAGIC_CIRCLE_DRAWN = 32;
constexpr int MAGIC_CIRCLE_FADE_FRAMES = 64;
constexpr int MAGIC_CIRCLE_STROKE_LENGTH = 98;
constexpr int MAGIC_CIRCLE_ROW = 21;
constexpr int MAGIC_CIRCLE_SIDE_PARTY = 1;
constexpr int MAGIC_CIRCLE_SIDE_ENEMY = 0;

struct MagicCircleRecord {
    float x = 0.0f, y = 0.0f; // screen top-left of the circle
    float depth = 1.0f;
    float imageRow = 0.0f;
    std::int32_t elapsed = 0;
    std::int32_t duration = 1;
    std::uint32_t colour = 0xFFFFFFFFu;
    int fadeCounter = 0;
    int slot = 0;
    int kind = 0;
    int side = 0;
    bool dying = false;
    bool large = false;
};

class CMagicCircle {
public:
    void InitMagicCircle();
    void ReleaseMagicCircle();

    // A circle under its owner (side 1 a party member) for `duration` frames;
    // off screen until the next placing.
    void SpawnMagicCircle(int side, int slot, int duration, int kind, bool large);
    // Every live circle of that owner starts dying.
    void KillMagicCircles(int side, int slot);
    bool HasMagicCircleOfSide(int side, int slot) const;
    // A live circle of that kind; with enemiesOnly only enemy circles count.
    bool HasMagicCircle(int kind, bool enemiesOnly) const;
    bool HasMagicCircleOfKind(int kind) const;
    // The enemy slot with a live circle that outlasts `margin` frames, nearest to the party.
    bool PickMagicCircleSlot(int& slot, int margin) const;

    void UpdateDyingMagicCircles();
    void UpdateMagicCircle();
    void DrawMagicCircles();
    // Switches the looping sound on when a circle lives.
    void AnyMagicCircle() const;
    void ClearMagicCircles();

    const std::list<MagicCircleRecord>& Circles() const { return circles; }
    int DrawCount() const { return drawCount; }
    const MagicCircleRecord* CircleInDrawOrder(int i) const { return drawList[order[i]].record; }

private:
    struct DrawEntry {
        const MagicCircleRecord* record;
        float key;
    };

    void SortMagicCircles(int low, int high);
    void DrawCircle(const MagicCircleRecord& circle);
    void DrawPiece(const MagicCircleRecord& circle, float left, float top, float right, float bottom, float texLeft,
                   float texTop, float texRight, float texBottom, std::uint32_t colour);

    TexturedVertex quad[4] = {};
    DrawEntry drawList[MAGIC_CIRCLE_DRAWN] = {};
    CTexture* texture = nullptr;
    std::list<MagicCircleRecord> circles;
    std::uint16_t order[MAGIC_CIRCLE_DRAWN] = {};
    std::uint16_t scratch[MAGIC_CIRCLE_DRAWN] = {};
    int drawCount = 0;
};
