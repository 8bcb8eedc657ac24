// A stand-in engine library for tests of the game frame: every factory makes
// a small fake that records its calls into one shared log, and any call can
// be made to fail. Built as libZeph.so in its own folder; tests copy it into
// a game folder of their own and the game loads it like the real engine.
#pragma once

#include <string>
#include <vector>

struct FakeEngineControl {
    // "Interface::Operation" names that fail (for example "CGraphic::Init"),
    // and factories that answer null ("CreateMidi").
    std::vector<std::string> failing;
    // Every call in order, as "Interface::Operation".
    std::vector<std::string> calls;
    // Results Present and TestCooperativeLevel give, consumed front first;
    // when empty they succeed.
    std::vector<int> presentResults;
    std::vector<int> cooperativeResults;
    // Midi and sound fades: how many more UpdateFade(s) calls each stays fading.
    int midiFadeSteps = 0;
    int soundFadeSteps = 0;

    bool Fails(const std::string& what) const
    {
        for (const auto& name : failing)
            if (name == what)
                return true;
        return false;
    }
};

// Exported by the fake library.
using FakeEngineControlProc = FakeEngineControl* (*)();
