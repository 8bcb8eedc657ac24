// The battle's contacts: members and enemies pushing each other apart, the
// party's shots hitting enemies, enemy bodies and shots hitting members, the
// damage of those hits, and the queries the party and enemy code ask about
// who touches whom. One exists, a member of the game object, reached
// through TheBattleTouch.
#pragma once

#include <cstdint>

#include "core/Parts.h"

struct CharaShotNode;
struct EnemyShotNode;

// One obstacle gathered by the escape search.
struct TouchEntry {
    EnemyShotNode* object; // the enemy shot, or null for an enemy
    float angle;
    std::uint8_t kind; // 0 enemy, 1 enemy shot
    std::uint8_t enemyIndex;
};

constexpr int TOUCH_ENTRY_COUNT = 8;
// Frames a party shot leaves an enemy alone after hitting it.
constexpr std::uint8_t SHOT_HIT_COOLDOWN = 25;
// Frames of being crushed after which a member loses all its HP.
constexpr int CRUSH_FRAMES = 150;
constexpr int CRUSH_COUNTER_MAX = 511;
// How near a wall each member counts as standing against it.
constexpr float WallMarginTable[3] = {36.0f, 36.0f, 24.0f};

class CBattleTouch {
public:
    void InitBattleTouch();

    // Members and enemies moving into each other, one axis at a time.
    void TestMemberTouch(int member, int side, bool resolveTogether);
    void ResolveMemberTouches(std::uint32_t enemyMask, int member, int side);
    void PushMemberOutOfEnemy(int enemy, int member, int side);
    void TestEnemyTouch(int enemy, int side);

    // The action phase's contact passes, in this order.
    void UpdateBattleTouch();
    void CancelEnemyShotsByShots();
    void UpdateEnemyBodyContact();
    void UpdateEnemyShotHits();

    // The damage of the three kinds of hit.
    std::int32_t CalcShotDamageToEnemy(int enemy, const CharaShotNode& shot);
    std::int32_t CalcContactDamageToMember(int enemy, int member, float power);
    std::int32_t CalcEnemyShotDamageToMember(const EnemyShotNode& shot, int member);

    // Queries of the party and enemy code.
    bool IsMemberTouchingEnemy(int member);
    bool IsEnemyTouchingMember(int enemy);
    bool IsSpotBlockedByEnemy(int member, float x, float y);
    bool IsRectTouchingEnemy(float left, float top, float right, float bottom, int enemy);
    bool IsMemberTouchingEnemyAt(int member, int enemy, float x, float y);
    // Members within range `rangeIndex` of the point that stand in the
    // enemy's line of fire across (X) or along (Y); `out` gets one of them.
    bool FindTargetsAlignedX(int enemy, float px, float py, int rangeIndex, int& out);
    bool FindTargetsAlignedY(int enemy, float px, float py, int rangeIndex, int& out);
    int ChooseAlignedTarget(float px, float py, int markCount, const bool marks[3]);
    bool IsMemberNearEnemy(int member, float enemyMargin, float shotMargin);
    // 0 clear, 1 touched by something moving, 2 touching only still things.
    int IsMemberNearEnemyEx(float x, float y, float enemyMargin, float shotMargin, int excluded, bool harmfulOnly);
    bool IsThirdMemberStrikeReady();

    // The escape search of a hemmed-in member: 0 nothing near, 1 a free
    // direction in `angle`, 2-5 a blow toward side 0-3 clears the way.
    int FindMemberEscapeDirection(int member, float margin, float& angle);
    bool CanFirstMemberStrikeThrough(int facing);
    bool CanSecondMemberStrikeThrough(int facing);

    static std::uint32_t DirectionBitsFromAngle(float angle, std::uint32_t wallBits);
    std::uint32_t MemberTouchDirectionBits(int member, std::uint32_t wallBits);

    bool FixedDamageMode() const { return (flags & 1u) != 0; }

    TouchEntry entries[TOUCH_ENTRY_COUNT];
    std::uint8_t count = 0;
    std::uint8_t order[TOUCH_ENTRY_COUNT];
    std::uint8_t mergeScratch[TOUCH_ENTRY_COUNT];
    std::uint32_t flagWord = 0; // bit 0: the battle's boss flag, kept by the enemy set-up
    std::uint32_t flags = 0;    // bit 0: fixedDamageMode, written by the enemy set-up

private:
    void RamMember(int enemy, int member, int side);
    void ApplyPartyAreaStrike();
    // True when the shot is spent and must leave the list.
    bool HitEnemyWithShot(int enemy, CharaShotNode& shot);
    void KnockBackEnemyFromShot(int enemy, const CharaShotNode& shot);
    void HitMemberByEnemyBody(int enemy, int member);
    void HurtMemberByBody(int enemy, int member, std::int32_t damage, int side, int level);
    void CheckEnemyTouchParty();
    void HitMemberWithEnemyShot(const EnemyShotNode& shot, int member);
    // The escape search's steps.
    bool GatherEscapeEntries(int member, float margin);
    void SortEntriesByAngle();
    float FindWidestGap(std::uint32_t wallBits);
};
