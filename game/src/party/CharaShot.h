// The party's shots: member 0's blow (kind 0, attached to it), member 1's
// straight shot (kind 1), member 2's magic (kind 2) and homing shot (kind
// 3), each a node of one list, moved once a frame and drawn as one quad.
// Contact with enemies is the contact pass's; it reads the nodes' fields and
// removes spent nodes through RemoveCharaShot.
#pragma once

#include <cstdint>

#include "media/Texture.h"
#include "party/PartyWords.h"

struct BattleMember;

enum CharaShotKind : std::uint32_t {
    SHOT_ATTACHED = 0,
    SHOT_STRAIGHT = 1,
    SHOT_MAGIC = 2,
    SHOT_HOMING = 3,
};

// shotBits
using ShotSubtype = PackedField<0, 6>;
using ShotHitBox = PackedField<6, 4>;
using ShotElement = PackedField<10, 3>;
using ShotDirection = PackedField<13, 3>;
using ShotTarget = PackedField<16, 3>;
using ShotKind = PackedField<19, 2>;
using ShotHitsLeft = PackedField<21, 2>;
using ShotKnockback = PackedField<23, 2>;
using ShotOrbitMember = PackedField<25, 2>;
using ShotOwner = PackedField<27, 2>;
using ShotInView = PackedField<29, 1>;
using ShotLocked = PackedField<30, 1>;
using ShotFlag31 = PackedField<31, 1>;
// powerBits
using ShotPower = PackedField<0, 21>;
using ShotEffectIndex = PackedField<21, 4>;
using ShotAttackUpLevel = PackedField<25, 2>;
using ShotCancelsEnemyShots = PackedField<27, 1>;
using ShotAttackUp = PackedField<28, 1>;
using ShotWeakened = PackedField<29, 1>;
using ShotWeakenedMore = PackedField<30, 1>;
using ShotWeakenedMost = PackedField<31, 1>;
// specialBits
using ShotSpecialCode = PackedField<0, 6>;
using ShotMagical = PackedField<6, 1>;

constexpr std::int32_t SHOT_MAX_POWER = 999999;
constexpr std::int16_t STRAIGHT_SHOT_LIFE = 61;

struct CharaShotNode {
    CharaShotNode* prev;
    CharaShotNode* next;
    float texU[4], texV[4];
    float x, y;
    float prevX, prevY;
    float width, height;
    float spin;
    float heading;
    std::int16_t age;
    std::int16_t life;
    std::uint8_t hitCooldown[8];
    std::uint32_t shotBits;
    std::uint32_t powerBits;
    std::uint32_t specialBits;

    std::uint32_t Kind() const { return ShotKind::Get(shotBits); }
    int Direction() const { return static_cast<int>(ShotDirection::Get(shotBits)); }
    int Subtype() const { return static_cast<int>(ShotSubtype::Get(shotBits)); }
};

// What a new shot is made of.
struct CharaShotSpec {
    std::uint32_t kind;
    float x, y;
    std::int32_t power;
    std::int16_t startAge;
    const BattleMember* ownerRecord;
    int owner;
    int direction;
    int knockback;
    int subtype;
    std::uint8_t specialCode;
    int orbitMember;
};

class CCharaShot {
public:
    void InitCharaShot();
    void ReleaseCharaShot();
    void ResetCharaShotCounters();
    void ClearCharaShots();

    // Appends a shot; false (reported) when no node can be had.
    bool CreateCharaShot(const CharaShotSpec& spec);
    void RemoveCharaShot(CharaShotNode* node);
    void UpdateCharaShot();
    void DrawCharaShot(CharaShotNode* node, float z);

    float GetCharaShotDamage(const CharaShotNode& node) const;
    // Removes every attached blow (a member hit or interrupted).
    void StopChargeShot();
    std::uint32_t CountMagicShotsOfSubtype(int subtype) const;
    bool AnyStraightShotAlive() const;
    // Whether the first straight shot flying in `direction` (0-3) has reached
    // the enemy's box edge on its side; false with no such shot.
    bool CharaShotHitsEnemy(int direction, int enemySlot) const;
    // Whether a magic shot lies wholly inside the field enlarged by 16 px.
    bool AnyCharaShotInRect() const;
    // The heading from the point to the nearest magic shot inside that
    // field; false (angle 0) with none, or when its centre is the point.
    bool NearestCharaShot(float& angle, float px, float py) const;
    // Magic not started yet goes; running magic fades out within 32 frames.
    void ExpireCharaShots();

    CharaShotNode areaProbe;
    CharaShotNode* head;
    CharaShotNode* attachedShot;
    TexturedVertex quad[4];
    CTexture* texture;
    CharaShotNode* tail;
    float trackX, trackY;
    std::int32_t straightCount[4];
    std::int32_t burstCount;
    std::int16_t straightLife;
    std::int16_t shotAlpha;
    std::uint8_t attachedVisible;

private:
    void SetupAttachedShot(CharaShotNode& node);
    void SetupStraightShot(CharaShotNode& node);
    void SetupMagicShot(CharaShotNode& node);
    void SetupHomingShot(CharaShotNode& node);
    void SetCell(CharaShotNode& node, float left, float top, float right, float bottom) const;
    // Each may remove the node.
    void UpdateAttachedShot(CharaShotNode& node);
    void UpdateStraightShot(CharaShotNode& node);
    void UpdateMagicShot(CharaShotNode& node);
    void UpdateHomingShot(CharaShotNode& node);
    std::uint32_t ShotAlphaOf(const CharaShotNode& node) const;
};
