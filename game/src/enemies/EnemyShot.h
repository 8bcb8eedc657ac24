// The enemies' projectiles: a list of shot nodes in creation order, each a
// 16 × 16 sprite of the shot sheet with its motion, action and hit fields
// packed into four words, moved once a battle frame, drawn one by one by the
// battle's draw-order list and removed when spent, used up or off the field.
// A second list holds the whirls: rotating ground effects that push the
// party members away from their centre or pull them in.
#pragma once

#include <cstdint>

#include "media/Texture.h"
#include "party/PartyServices.h"
#include "platform/Device.h"

struct EnemyRecord;

namespace eshot {
// BitsA
using Motion = PackedField<0, 6>;
using Action = PackedField<6, 6>;
using AimKind = PackedField<12, 7>;
using EdgeMode = PackedField<19, 4>;
using Element = PackedField<23, 3>;
using Hits = PackedField<26, 3>;
using Knock = PackedField<29, 2>;
using Visible = PackedField<31, 1>;
// BitsB
using Chance = PackedField<0, 7>;
using ChildCount = PackedField<7, 6>;
using ChildRow = PackedField<13, 6>;
using TargetMode = PackedField<19, 4>;
using OwnerSlot = PackedField<23, 3>;
using Target = PackedField<26, 2>;
using Erasable = PackedField<28, 1>;
using TargetChosen = PackedField<29, 1>;
using Ending = PackedField<30, 1>;
using Once = PackedField<31, 1>;
// BitsC (Attack is signed, at most 999999)
using Attack = PackedField<0, 21>;
using Ailment = PackedField<21, 6>;
using AttackUpLevel = PackedField<27, 2>;
using Spread = PackedField<29, 2>;
using AttackUp = PackedField<31, 1>;
// BitsD
using AilmentRate = PackedField<0, 4>;
using ActionCount = PackedField<4, 4>;
using BurstSlot = PackedField<8, 4>;
using OrbitSlot = PackedField<12, 3>;
using Weak90 = PackedField<15, 1>;
using Weak85 = PackedField<16, 1>;
using Weak75 = PackedField<17, 1>;
using Magic = PackedField<18, 1>;
} // namespace eshot

constexpr int ENEMY_SHOT_SIZE = 16;
constexpr int ENEMY_SHOT_MAX_ATTACK = 999999;
constexpr int ENEMY_SHOT_ENDING_FRAMES = 16;
constexpr int ENEMY_SHOT_FADE_FRAMES = 32;
// How far past the screen a shot may fly before it is dropped.
constexpr float ENEMY_SHOT_OFF_SCREEN = 240.0f;
// A child row that starts without the firing sound.
constexpr int ENEMY_SHOT_SILENT_ROW = 61;

namespace whirl {
using Opacity = PackedField<9, 8>;
using Kind = PackedField<17, 5>;
using Fading = PackedField<22, 1>;
} // namespace whirl

constexpr int ENEMY_WHIRL_SIZE = 48;
// The most whirls drawn in a frame.
constexpr int ENEMY_WHIRL_DRAW_MAX = 32;
// The whirls standing together push or pull by at most this much a frame.
constexpr float ENEMY_WHIRL_STRENGTH_CAP = 8.0f;
constexpr int ENEMY_WHIRL_FADE_STEP = 16;

struct EnemySubShot {
    EnemySubShot* Prev;
    EnemySubShot* Next;
    float X, Y; // top-left of the 48 × 48 sprite
    float Depth;
    float Strength; // pixels a frame: positive pushes away, negative pulls in
    float Spin;
    std::int16_t Age; // negative while it waits
    std::int16_t Duration;
    std::uint32_t Bits;

    int Opacity() const { return static_cast<int>(whirl::Opacity::Get(Bits)); }
    bool Fading() const { return whirl::Fading::IsSet(Bits); }
    // Started, not fading, of the one kind that acts.
    bool Active() const { return Age >= 1 && !Fading() && whirl::Kind::Get(Bits) == 0; }
};

struct EnemyShotNode {
    EnemyShotNode* Prev;
    EnemyShotNode* Next;
    float U[4], V[4];
    float X, Y;
    float Speed;
    float VelX, VelY;
    float Angle;
    float Turn;
    float Accel;
    float Power;
    std::int32_t Age;
    std::int32_t Life;
    std::int16_t Period;
    std::int16_t Index;
    std::uint32_t BitsA, BitsB, BitsC, BitsD;
    // Marked by a removal during a walk; swept once the walk is over.
    bool Removed;

    int Attack() const;
    bool Started() const { return Age >= 0; }
};

// What a new shot is made of; every small field is masked to its width.
struct EnemyShotSpec {
    float x, y, speed, angle, turn, accel, power;
    std::int32_t attack;
    std::int32_t startAge;
    std::int32_t lifeMin, lifeMax;
    const EnemyRecord* owner; // its status effects strengthen or weaken the shot; may be null
    std::int16_t period, index;
    int element, aimKind, motion, action, edgeMode, knock;
    bool magic, erasable;
    int hits, targetMode;
    bool once;
    int chance, childCount, childRow, ownerSlot, orbitSlot, spread, ailment, ailmentRate;
};

class CEnemyShotList {
public:
    CEnemyShotList() = default;
    CEnemyShotList(const CEnemyShotList&) = delete;
    CEnemyShotList& operator=(const CEnemyShotList&) = delete;
    ~CEnemyShotList() { ClearEnemyShots(); }

    void InitEnemyShot();
    void ReleaseEnemyShot();

    // Appends a shot; null (reported) when no node can be had.
    EnemyShotNode* CreateEnemyShot(const EnemyShotSpec& spec);
    void UpdateEnemyShot();
    void DrawEnemyShotSprite(const EnemyShotNode* node, float depth);
    void ClearEnemyShots();
    // Safe at any time, also from inside a walk of the list (the node is then
    // only marked and freed once the walk is over).
    void RemoveEnemyShot(EnemyShotNode* node);
    void RemoveEnemyShotsOfOwner(int slot);
    // A walk of the list from outside (the battle's contact passes): shots
    // removed meanwhile are only marked, and freed when the last walk ends.
    void BeginShotWalk() { ++walkDepth_; }
    void EndShotWalk()
    {
        --walkDepth_;
        FreeMarked();
    }
    void ShortenEnemyShots(int slot, int motion, bool magic, int element, bool reset);
    bool HasEnemyShotOfOwner(int slot) const;
    bool HasEnemyShotOfOwnerTarget(int slot, int element, bool magic) const;
    bool FindEnemyShotAim(int& member, int slot, int element, bool magic);
    bool HasShotKind14OfSide(int slot) const;

    // Whirls. A kind-0 whirl that would take the whirls' total strength
    // above the cap is not made (null, as for a failed allocation).
    EnemySubShot* CreateEnemySubShot(float x, float y, float strength, int startAge, int duration, int kind);
    bool HasActiveSubShot() const;
    // An active whirl pulling on the field's centre.
    bool HasSubShotAtCenter() const;
    // The speeds of the whirls in the list, fading ones left out.
    float SumSubShotSpeed() const;
    // The member's drift from the whirls this frame.
    void UpdateCharacterShotState(int member) const;
    void DrawEnemyWhirls();
    int CountSubShots() const;
    // The shots' fade after a win, 255 at a battle's set-up.
    void SetShotFade(int alpha) { Alpha = static_cast<std::int16_t>(alpha); }
    // Live shots (not removed), for tests and the bench.
    int CountEnemyShots() const;

    EnemyShotNode* ShotHead = nullptr;
    EnemyShotNode* ShotTail = nullptr;
    EnemySubShot* SubShotHead = nullptr;
    EnemySubShot* SubShotTail = nullptr;
    EnemySubShot* SubShotDrawList[ENEMY_WHIRL_DRAW_MAX]{};
    int SubShotDrawCount = 0;
    TexturedVertex Quad[4]{};
    CTexture* ShotTexture = nullptr;
    CTexture* SubShotTexture = nullptr;
    float SubShotU[4]{}, SubShotV[4]{};
    std::int16_t Alpha = 255;

private:
    void UpdateEnemySubShots();
    void RemoveSubShot(EnemySubShot* whirl);
    void DrawWhirl(const EnemySubShot& whirl);
    void FreeMarked();
    EnemyShotNode* NextLive(EnemyShotNode* node) const;

    int walkDepth_ = 0;
    bool marked_ = false;
};

// Clamps the top-left corner of a shot sprite into the battle field.
void ClampToBattleField(float& x, float& y);
// The shot's attack factor with its owner's strengthening and weakening.
float GetEffectiveShotPower(const EnemyShotNode& node);
// The party's ailment bits that a hit of ailment kind `kind` gives.
std::uint32_t GetShotKindMask(int kind, int rate, bool all);
// Whether the party's movement may pass through the shot.
bool ShotIgnoresTouch(const EnemyShotNode& node);
