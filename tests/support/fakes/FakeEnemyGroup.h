// Enemies placed by hand in an enemy group, without kinds or pictures: a
// slot gets its place, size, centre, hit box, alpha and kind id as the
// battle's queries read them, neutral to every colour, and can be defeated;
// the group's last-defeated slot can be set; a placed enemy can run a pull on
// a member. For tests of the party's aim, magic, shots and movement.
#pragma once

#include <cmath>

#include "core/EnemyDefs.h"
#include "enemies/Enemy.h"
#include "party/Character.h"

namespace fakes {

class FakeEnemyGroup {
public:
    explicit FakeEnemyGroup(CEnemyGroup& group) : group_(group) { group_.SetEnemyCount(0); }

    // An enemy of `width` × `height` with its top-left at (x, y); the count
    // grows to cover the slot. Its hit box is its whole picture.
    EnemyRecord& Place(int slot, float x, float y, float width = 32.0f, float height = 32.0f, int kind = 0)
    {
        EnemyRecord& record = group_.Records[slot];
        record = EnemyRecord{};
        record.PosX = record.PrevX = x;
        record.PosY = record.PrevY = y;
        record.Width = width;
        record.Height = height;
        record.CenterX = x + width / 2.0f;
        record.CenterY = y + height / 2.0f;
        record.HitBox = {0.0f, 0.0f, width, height};
        record.BodyBox = record.HitBox;
        record.Alpha = 255;
        for (auto& resist : record.ElementResist)
            resist = kNeutralResist; // every colour hurts it at the plain rate
        record.Hp = record.MaxHp = 100;
        SetBits(record.KindWord, KIND_WORD_KIND, 10, static_cast<std::uint32_t>(kind));
        group_.KindDefs[slot] = &PlacedKind(); // a slot without a kind is not in use
        if (group_.EnemyCount() <= slot)
            group_.SetEnemyCount(slot + 1);
        return record;
    }

    // A kind of the slot's own, blank until the test sets its fields; the
    // slot keeps it until placed again.
    EnemyKindDef& OwnKind(int slot)
    {
        kinds_[slot] = EnemyKindDef{};
        group_.KindDefs[slot] = &kinds_[slot];
        return kinds_[slot];
    }

    // An enemy in `slot` running a pull (action type 43) on `member`, placed
    // `distance` px from the member's centre against the direction of
    // (pullX, pullY) so that the pull it gives the member is that vector. The
    // group asks the party to take pulls from now on.
    EnemyRecord& PullMember(int slot, int member, float pullX, float pullY, float distance = 64.0f)
    {
        constexpr int kPullAction = 43;
        const float kDistance = distance;
        const BattleMember& m = TheCharacter->members[member];
        const float length = std::hypot(pullX, pullY);
        EnemyRecord& record =
            Place(slot, m.centerX - pullX / length * kDistance - 16.0f, m.centerY - pullY / length * kDistance - 16.0f);
        EnemyKindDef& kind = OwnKind(slot);
        kind.ActionCount = 1;
        pulls_[slot] = EnemyActionDef{};
        pulls_[slot].ActionType = kPullAction;
        pulls_[slot].ActionParam0 = length;
        group_.ActionDefs[slot] = &pulls_[slot];
        // Running it as an enemy's frame leaves it: free to act, its type noted.
        record.FlagsA |= FLAGS_A_ACTION_RUNNING | FLAGS_A_MAY_ACT;
        record.FlagsC |= FLAGS_C_ACTING;
        record.ActionType = kPullAction;
        SetBits(record.FlagsB, FLAGS_B_ACTION_MEMBER, 2, static_cast<std::uint32_t>(member));
        group_.pullFlag = 1;
        return record;
    }

    void Defeat(int slot) { group_.Records[slot].FlagsA |= kDefeated; }
    void SetLastDefeated(int slot) { SetBits(group_.GroupBits2, 0, 4, static_cast<std::uint32_t>(slot)); }

private:
    static constexpr std::uint32_t kDefeated = 1u << 27;
    static constexpr std::uint8_t kNeutralResist = 3; // the element table's 1.0
    // Placed enemies share one blank kind: no name, no actions, no picture.
    static const EnemyKindDef& PlacedKind()
    {
        static const EnemyKindDef blank{};
        return blank;
    }
    CEnemyGroup& group_;
    EnemyKindDef kinds_[ENEMY_SLOTS]{};
    EnemyActionDef pulls_[ENEMY_SLOTS]{};
};

} // namespace fakes
