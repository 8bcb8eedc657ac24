// Enemies placed by hand in an enemy group, without kinds or pictures: a
// slot gets its place, size, centre, hit box, alpha and kind id as the
// battle's queries read them, neutral to every colour, and can be defeated; the group's last-defeated
// slot can be set. For tests of the party's aim, magic and shots.
#pragma once

#include "core/EnemyDefs.h"
#include "enemies/Enemy.h"

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

    void Defeat(int slot) { group_.Records[slot].FlagsA |= kDefeated; }
    void SetLastDefeated(int slot) { SetBits(group_.GroupBits2, 0, 4, static_cast<std::uint32_t>(slot)); }

private:
    static constexpr std::uint32_t kDefeated = 1u << 27;
    static constexpr std::uint8_t kNeutralResist = 4;
    // Placed enemies share one blank kind: no name, no actions, no picture.
    static const EnemyKindDef& PlacedKind()
    {
        static const EnemyKindDef blank{};
        return blank;
    }
    CEnemyGroup& group_;
    EnemyKindDef kinds_[ENEMY_SLOTS]{};
};

} // namespace fakes
