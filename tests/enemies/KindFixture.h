// Enemies of chosen kinds with their periodic special, creation set-up and
// knock-back counter switched on and no actions or movements of their own,
// and the shots they leave in the list.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "EnemyActFixture.h"
#include "core/BattleAngles.h"
#include "enemies/kinds/KindHooks.h"

namespace enemytest {

class KindFixture : public EnemyActTest {
protected:
    void SetUp() override
    {
        EnemyActTest::SetUp();
        LoadKindsLike([](EnemyKind&) {});
    }

    void LoadKindsLike(const std::function<void(EnemyKind&)>& change)
    {
        std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
        for (EnemyKind& k : kinds) {
            k.def.FirstActionDelay = 0;
            k.def.FirstMoveDelay = 0;
            k.def.TurnChance = 0;
            k.def.PeriodicSpecial = 1;
            k.def.CreationHook = 1;
            k.def.KnockbackCounter = 1;
            k.def.GuardsFront = 0;
            k.def.Invulnerable = 0;
            k.def.PhaseRotation = 0;
            k.moves.clear();
            k.actions.clear();
            change(k);
            k.def.MoveCount = static_cast<std::int32_t>(k.moves.size());
            k.def.ActionCount = static_cast<std::int32_t>(k.actions.size());
        }
        FreeEnemyKinds();
        LoadKinds(kinds);
        shots().ClearEnemyShots();
    }
    // A fresh group with one enemy of `kind` in slot 0 at full HP.
    void One(int kind, float x = 300, float y = 200)
    {
        Fresh();
        Make(0, kind, x, y);
    }
    void Make(int slot, int kind, float x = 300, float y = 200)
    {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, kind, x, y, false, false, 3));
        group().SetEnemyCount(std::max(group().EnemyCount(), slot + 1));
    }
    void Fresh()
    {
        group().SetEnemyCount(0);
        group().GroupBits2 = 0;
        group().GroupDeadline = 0;
        group().FrameCounter = 0;
        shots().ClearEnemyShots();
    }
    void SetHpPercent(int slot, int percent)
    {
        EnemyRecord& r = group().Records[slot];
        r.MaxHp = 1000;
        r.Hp = percent * 10;
    }
    void SetStage(int slot, int stage) { SetKindField(group().Records[slot], FLAGS_E_KIND_STAGE, stage); }

    std::vector<const EnemyShotNode*> Shots()
    {
        std::vector<const EnemyShotNode*> out;
        for (const EnemyShotNode* n = shots().ShotHead; n != nullptr; n = n->Next)
            if (!n->Removed)
                out.push_back(n);
        return out;
    }
    static bool Near(float a, float b, float eps = 1e-3f) { return std::fabs(a - b) <= eps; }
};

} // namespace enemytest
