// A game-data record and a party of three, installed as the game's own for
// one case: every member at 200 of 200 HP and 50 of 50 SP, full gauges, no
// effects, nobody knocked out, stocks empty with maxima of 200, five of each
// item 0 to 47 held; sounds are recorded. Cases change what they test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "party/Character.h"
#include "CurrentMapStub.h"
#include "record/Pipkorn.h"
#include "media/PlaySE.h"
#include "GameWorld.h"
#include "fakes/FakeEngine.h"
#include "core/ZephGlobals.h"

struct PartyWorld {
    PartyWorld()
    {
        TheGameData = &data;
        TheCharacter = &party;
        ThePlaySE = &player;
        ZephSoundStatic = &sounds;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            SetMemberMaxHP(m, 200, 0);
            party.hp[m] = 200;
            party.maxSp[m] = party.sp[m] = 50;
            party.maxSt[m] = party.st[m] = 100;
            for (int s = 0; s < 4; ++s)
                party.statsA[m][s] = 10;
        }
        for (int k = 0; k < STOCK_COUNT; ++k)
            party.stockMax[k] = 200;
        for (int item = 0; item < 48; ++item)
            data.heldItems[item] = 5;
    }
    PartyWorld(const PartyWorld&) = delete;
    PartyWorld& operator=(const PartyWorld&) = delete;

    void Hp(int a, int b, int c)
    {
        party.hp[0] = a;
        party.hp[1] = b;
        party.hp[2] = c;
    }
    void Sp(int a, int b, int c)
    {
        party.sp[0] = static_cast<std::int16_t>(a);
        party.sp[1] = static_cast<std::int16_t>(b);
        party.sp[2] = static_cast<std::int16_t>(c);
    }
    void KnockOut(int member) { party.members[member].state |= MEMBER_KNOCKED_OUT; }
    void SetLeader(int member, bool healFirst)
    {
        party.partyWordC = (party.partyWordC & ~(3u << 18) & ~(1u << 25)) | static_cast<std::uint32_t>(member) << 18 |
                           (healFirst ? 1u << 25 : 0u);
    }
    // A current map whose flag word B is `flagsB`.
    void EnterMap(std::uint32_t flagsB) { map.Enter(24, 18, 0, flagsB); }
    // The effects played, in order.
    std::vector<std::string> Sounds() const { return log; }

    GameData data;
    CCharacter party;
    fakes::CallLog log;
    fakes::RecordingSoundStatic sounds{log};
    CPlaySE player;
    CurrentMapStub map;
    // Last: made before the constructor sets the globals, gone first.
    testsupport::GameWorld world;
};

inline std::unique_ptr<PartyWorld> MakeWorld()
{
    return std::make_unique<PartyWorld>();
}
