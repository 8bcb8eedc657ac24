// One enemy acting on its own: a kind made for the case from a stub of the
// sample data, the shot list with its sheets, the party standing in three
// places, and the sounds, circles and effects its frames reach.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "EnemyFixture.h"
#include "battle/BattleEffect.h"
#include "battle/BattleServices.h"
#include "battle/MagicCircle.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyShot.h"
#include "fakes/RecordingDevice.h"
#include "media/PlaySE.h"

namespace enemytest {

class EnemyActTest : public EnemyTest {
protected:
    static constexpr int kKind = 30;

    void SetUp() override
    {
        EnemyTest::SetUp();
        pack.images[PACK_ENEMY_SHOTS] = {128, 32};
        pack.images[PACK_ENEMY_WHIRL] = {64, 64};
        world.Keep(D3DDevice, static_cast<Direct3DDevice9*>(&device));
        world.Keep(ThePlaySE, &player);
        world.Keep(ZephSoundStatic, &sounds);
        world.Keep(TheMagicCircle, &circles);
        world.Keep(TheBattleEffect, &effect);
        world.TraceSceneCalls();
        const float places[3][2] = {{100, 400}, {300, 420}, {500, 400}};
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            parts->party.SetMemberPosX(m, places[m][0]);
            parts->party.SetMemberPosY(m, places[m][1]);
            parts->party.maxSt[m] = parts->party.st[m] = 100;
        }
        shots().InitEnemyShot();
    }

    void TearDown() override
    {
        shots().ReleaseEnemyShot();
        EnemyTest::TearDown();
    }

    // An action that fires one volley of one shot at frame 0 and lasts 30 frames.
    static EnemyActionDef Act(int type, int weight = 10)
    {
        EnemyActionDef a{};
        a.ActionType = type;
        a.Length = 30;
        a.RetryDelay = 20;
        a.Weight = weight;
        a.HpMaxPercent = 100;
        a.IconId = -1;
        a.ActionCount16 = 100;
        a.ActionLength18 = 100;
        a.ActionParam0 = 2.0f;
        a.ShotSlots = 1;
        a.ShotsPerVolley = 1;
        a.Repeats = 1;
        return a;
    }
    static EnemyMoveDef Mv(int type, int weight = 10)
    {
        EnemyMoveDef m{};
        m.MoveType = type;
        m.Speed = 1.0f;
        m.Duration = 40;
        m.RetryDelay = 10;
        m.Weight = weight;
        m.HpMaxPercent = 100;
        return m;
    }

    // A 400-frame movement used once, at `speed`, with `period` and `param`.
    static EnemyMoveDef Move(int type, float speed = 2.0f, int period = 0, int param = 0)
    {
        EnemyMoveDef m = Mv(type);
        m.Speed = speed;
        m.Period = period;
        m.Param = param;
        m.Duration = 400;
        m.MaxUses = 1;
        return m;
    }

    // Slot 0 becomes the one enemy of the battle, of the stub kind changed by
    // `change`, at (x, y) facing down, free to act at once.
    void OneEnemy(const std::function<void(EnemyKind&)>& change, float x = 300, float y = 200)
    {
        std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
        EnemyKind& k = kinds[kKind];
        k.def.FirstActionDelay = 0;
        k.def.FirstMoveDelay = 0;
        k.def.TurnChance = 0;
        k.def.KnockbackCounter = 0; // a plain fighter: the arena's kind 30 counters light blows
        k.moves.clear();
        k.actions.clear();
        change(k);
        k.def.MoveCount = static_cast<std::int32_t>(k.moves.size());
        k.def.ActionCount = static_cast<std::int32_t>(k.actions.size());
        FreeEnemyKinds();
        LoadKinds(kinds);
        group().Records[0] = EnemyRecord{};
        shots().ClearEnemyShots();
        ASSERT_TRUE(group().CreateEnemy(0, kKind, x, y, false, false, 3));
        group().SetEnemyCount(1);
    }

    // Another enemy of the same kind in `slot`, at (x, y).
    void AddEnemy(int slot, float x, float y)
    {
        group().Records[slot] = EnemyRecord{};
        ASSERT_TRUE(group().CreateEnemy(slot, kKind, x, y, false, false, 3));
        group().SetEnemyCount(std::max(group().EnemyCount(), slot + 1));
    }

    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
            group().UpdateEnemy();
    }

    // The generator's next value after seeding with `seed`, skipping `skip` values.
    static int PeekRandom(std::uint32_t seed, int skip = 0)
    {
        SeedGameRandom(seed);
        for (int i = 0; i < skip; ++i)
            GameRandom();
        const int value = GameRandom();
        SeedGameRandom(seed);
        return value;
    }

    int Noted(const std::string& call) const
    {
        int count = 0;
        for (const std::string& c : SceneTrace::Calls())
            count += c == call ? 1 : 0;
        return count;
    }
    int Played(int id) const
    {
        int count = 0;
        for (const std::string& c : soundLog)
            count += c == "Play(" + std::to_string(id) + ")" ? 1 : 0;
        return count;
    }

    CEnemyShotList& shots() { return parts->shots; }
    EnemyRecord& rec() { return group().Records[0]; }
    int Facing() { return static_cast<int>(GetBits(rec().FlagsA, FLAGS_A_FACING, 2)); }

    fakes::RecordingDevice device;
    fakes::CallLog soundLog;
    fakes::RecordingSoundStatic sounds{soundLog};
    CPlaySE player;
    CMagicCircle circles{};
    CBattleEffect effect{};
};

} // namespace enemytest
