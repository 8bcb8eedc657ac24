// The contact tests on their own: the party's battle world with the real
// contact part, enemies placed by hand (each slot with a kind of its own)
// and the enemy shot list. Members 1 and 2 stand far off in the top-left
// corner unless a test moves them.
#pragma once

#include <gtest/gtest.h>

#include "PartyWorld.h"
#include "battle/BattleTouch.h"
#include "enemies/EnemyServices.h"
#include "enemies/EnemyShot.h"
#include "fakes/FakeEnemyGroup.h"
#include "party/CharaShot.h"

namespace touchtest {

class TouchTest : public partytest::PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        TheEnemyShotList = &enemyShots;
        touch.InitBattleTouch();
        Place(1, 0.0f, 90.0f);
        Place(2, 40.0f, 90.0f);
    }

    void TearDown() override
    {
        enemyShots.ClearEnemyShots();
        enemies.crushCheck = 0;
        PartyBattleTest::TearDown();
    }

    void Place(int member, float x, float y)
    {
        party.SetMemberPosX(member, x);
        party.SetMemberPosY(member, y);
    }

    // An enemy with a 32 × 32 body and hurt box and a kind of its own.
    EnemyKindDef& Enemy(int slot, float x, float y)
    {
        placer.Place(slot, x, y);
        EnemyKindDef& kind = placer.OwnKind(slot);
        kind.FlinchFrames = 8;
        return kind;
    }

    // Gives or takes one of the record's contact roles (ENEMY_ROLE_*).
    void SetRole(int slot, std::uint8_t role, bool on)
    {
        std::uint8_t& roles = enemies.Records[slot].TouchRoles;
        roles = on ? static_cast<std::uint8_t>(roles | role) : static_cast<std::uint8_t>(roles & ~role);
    }

    // A party shot of `kind` from `owner`, its top-left at (x, y), box row 8
    // (2..29 on both axes); the new node is returned.
    CharaShotNode& Shot(std::uint32_t kind, int owner, float x, float y, int power = 100)
    {
        CharaShotSpec spec{};
        spec.kind = kind;
        spec.x = x;
        spec.y = y;
        spec.power = power;
        spec.owner = owner;
        EXPECT_TRUE(shots.CreateCharaShot(spec));
        CharaShotNode& node = *shots.tail;
        ShotHitBox::Set(node.shotBits, 8);
        node.age = 1;
        return node;
    }

    int ShotCount() const
    {
        int n = 0;
        for (const CharaShotNode* s = shots.head; s != nullptr; s = s->next)
            ++n;
        return n;
    }

    CEnemyShotList enemyShots;
    fakes::FakeEnemyGroup placer{enemies};
};

} // namespace touchtest
