// The party on its own in a battle, in a test world of its own: the real
// party object, every battle neighbour a stand-in, keys held and pushed by the test, sounds recorded.
// The party is set up for a battle and in the action phase; each member has
// 100 HP, 50 SP and 100 ST of as much, and member 0 leads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "GameWorld.h"
#include "RecordingEngine.h"
#include "battle/BattleBackground.h"
#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/BattleTouch.h"
#include "battle/MagicCircle.h"
#include "core/Random.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "media/PlaySE.h"
#include "party/BattleButtons.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/Leader.h"
#include "party/MemberActions.h"
#include "party/PartyBattle.h"
#include "record/Pipkorn.h"

namespace partytest {

// The input object as the party reads it: buttons held and pushed this
// frame, directions held.
class BattleKeys final : public Zeph::CKeyInput {
public:
    std::uint32_t held = 0;
    std::uint32_t pushed = 0;
    std::uint32_t directions = 0; // 1 up, 2 down, 4 left, 8 right

    Zeph::HResult Init(void*, bool, bool, std::uint8_t, const std::uint8_t*, const std::uint8_t*) override { return 0; }
    void Update() override {}
    int GetDirectionPush() override { return 0; }
    int GetDirectionHold() override { return static_cast<int>(directions); }
    int GetDirectionRelease() override { return 0; }
    bool IsUpPush() override { return false; }
    bool IsUpHold() override { return (directions & 1u) != 0; }
    bool IsUpRelease() override { return false; }
    bool IsDownPush() override { return false; }
    bool IsDownHold() override { return (directions & 2u) != 0; }
    bool IsDownRelease() override { return false; }
    bool IsLeftPush() override { return false; }
    bool IsLeftHold() override { return (directions & 4u) != 0; }
    bool IsLeftRelease() override { return false; }
    bool IsRightPush() override { return false; }
    bool IsRightHold() override { return (directions & 8u) != 0; }
    bool IsRightRelease() override { return false; }
    bool IsButtonPush(std::uint8_t button) override { return ((pushed >> button) & 1u) != 0; }
    bool IsButtonHold(std::uint8_t button) override { return ((held >> button) & 1u) != 0; }
    bool IsButtonRelease(std::uint8_t) override { return false; }
    int GetButtonPushMask(int) override { return static_cast<int>(pushed); }
    int GetButtonHoldMask(int) override { return static_cast<int>(held); }
    int GetButtonReleaseMask(int) override { return 0; }
    void SetAcquire(bool) override {}
    Zeph::HResult Reset() override { return 0; }
    void Release() override {}
};

constexpr std::uint32_t Bit(int button)
{
    return 1u << button;
}

class PartyBattleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheCharacter = &party;
        TheBattleBackground = &panel;
        TheBattleMenu = &menu;
        TheBattleEffect = &effect;
        TheMagicCircle = &circles;
        TheBattleTouch = &touch;
        TheEnemyGroup = &enemies;
        TheCharaShot = &shots;
        TheGameData = &data;
        ZephKeyInput = &keys;
        ZephSoundStatic = &soundObject;
        ThePlaySE = &player;
        SeedGameRandom(1);
        // Far from any earlier effect, so no sound is held back by the repeat guard.
        for (int i = 0; i < 4; ++i)
            player.CountPlaySEFrame();
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            party.maxHp[m] = party.baseMaxHp[m] = party.hp[m] = 100;
            party.maxSp[m] = party.sp[m] = 50;
            party.maxSt[m] = party.st[m] = 100;
        }
        SetupPartyForBattle(0, true, false, false);
        party.SetBattlePhase(BATTLE_PHASE_ACTION);
        world.TraceSceneCalls();
        log.clear();
    }

    // One action-phase frame of the party; pushes last one frame.
    bool Frame()
    {
        player.CountPlaySEFrame();
        const bool ran = UpdatePartyBattle();
        keys.pushed = 0;
        return ran;
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // The sound effects played since the last call, in order.
    std::vector<int> TakeSounds()
    {
        std::vector<int> ids;
        for (const std::string& call : log)
            if (call.rfind("Play(", 0) == 0)
                ids.push_back(std::stoi(call.substr(5)));
        log.clear();
        return ids;
    }

    // How often a stand-in entry (with its argument, "StartMemberAttack(0)") ran.
    static int Count(const std::string& call)
    {
        const auto& calls = SceneTrace::Calls();
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    void SetLeader(int member) { LeaderField::Set(party.partyWordC, static_cast<std::uint32_t>(member)); }
    void GiveEffect(int member, int status) { party.members[member].effectBits |= 1u << status; }
    std::uint32_t Action(int member) const { return party.members[member].Action(); }

    CCharacter party;
    CBattleBackground panel{};
    CBattleMenu menu{};
    CBattleEffect effect{};
    CMagicCircle circles{};
    CBattleTouch touch{};
    CEnemyGroup enemies{};
    CCharaShot shots{};
    GameData data;
    BattleKeys keys;
    CallLog log;
    RecordingSoundStatic soundObject{log};
    CPlaySE player;
    // Last: gone first, putting every global back before the parts go.
    testsupport::GameWorld world;
};

// The first seed from which the game's generator draws values that satisfy
// each test in turn: a draw scripted by its range.
inline std::uint32_t SeedDrawing(const std::vector<std::function<bool(int)>>& draws)
{
    for (std::uint32_t seed = 0;; ++seed) {
        SeedGameRandom(seed);
        bool all = true;
        for (const auto& accept : draws)
            all = all && accept(GameRandom());
        if (all)
            return seed;
    }
}

inline std::function<bool(int)> Within(int low, int high)
{
    return [low, high](int draw) { return draw >= low && draw < high; };
}

} // namespace partytest
