// The enemy group on its own: the kinds loaded from a list, its neighbours
// as stand-ins behind the shared pointers, pictures served from memory, a
// map header for the encounter tables and the game's generator seeded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "RecordWords.h"
#include "fakes/FakeEngine.h"
#include "EnemyParts.h"
#include "GameWorld.h"
#include "SampleData.h"
#include "battle/BattleBackground.h"
#include "battle/BattleTouch.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "field/Map.h"
#include "party/Character.h"

namespace enemytest {

// A battle record as an event names it: count, tune, flee label, flags,
// retry mode, pattern, then the kinds.
inline std::vector<std::uint8_t> FormationBytes(std::vector<std::int32_t> kinds, int pattern, std::uint32_t flags = 0,
                                                int count = -1)
{
    std::vector<std::uint32_t> words = {static_cast<std::uint32_t>(count < 0 ? kinds.size() : count),
                                        4,
                                        0,
                                        flags,
                                        0xFFFFFFFE,
                                        static_cast<std::uint32_t>(pattern)};
    for (std::int32_t kind : kinds)
        words.push_back(static_cast<std::uint32_t>(kind) & 0xFFFF);
    return testsupport::WordsToBytes(words);
}

using testsupport::WordsToBytes;

// A symbol's encounter record: the seed in word 8, the left-out mask in word 10.
inline std::vector<std::uint8_t> EncounterBytes(std::uint32_t seed, std::uint32_t leaveOut = 0,
                                                std::uint32_t word11 = 0)
{
    std::vector<std::uint32_t> words(12, 0);
    words[8] = seed;
    words[10] = leaveOut;
    words[11] = word11;
    return WordsToBytes(words);
}

// The encounter fields of a map header, set by name.
class MapHeader {
public:
    MapHeader() : bytes(136, 0) {}
    void Candidate(int i, int kind, int weight, int limit, int cost)
    {
        Put16(18 + 2 * i, kind);
        bytes[60 + i] = static_cast<std::uint8_t>(weight);
        bytes[70 + i] = static_cast<std::uint8_t>(limit);
        bytes[80 + i] = static_cast<std::uint8_t>(cost);
    }
    void Group(int g, int kind, int weight, int size, int low, int high, int pattern, int shuffle)
    {
        Put16(38 + 2 * g, kind);
        bytes[102 + g] = static_cast<std::uint8_t>(weight);
        bytes[106 + g] = static_cast<std::uint8_t>(size);
        bytes[110 + g] = static_cast<std::uint8_t>(low);
        bytes[114 + g] = static_cast<std::uint8_t>(high);
        bytes[118 + g] = static_cast<std::uint8_t>(pattern);
        bytes[122 + g] = static_cast<std::uint8_t>(shuffle);
    }
    void Budget(int low, int high) { Bits(128, 10, 4, low), Bits(128, 14, 4, high); }
    void FixedPatternChance(int percent) { Bits(132, 0, 7, percent); }
    void Put16(int at, int value)
    {
        bytes[at] = static_cast<std::uint8_t>(value);
        bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    void Bits(int at, int shift, int width, std::uint32_t value)
    {
        std::uint32_t word = 0;
        for (int i = 0; i < 4; ++i)
            word |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
        const std::uint32_t mask = ((1u << width) - 1u) << shift;
        word = (word & ~mask) | ((value << shift) & mask);
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
    }
    std::vector<std::uint8_t> bytes;
};

class EnemyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.Keep(ZephFilePack, &pack);
        world.Keep(ZephError, &error);
        for (int g = 0; g < ENEMY_GRAPHIC_COUNT; ++g)
            pack.images[PACK_ENEMY_GRAPHIC_FIRST + g] = {128, 128};
        for (int entry : PACK_ENEMY_GROUP_TEXTURES)
            pack.images[entry] = {128, 128};
        parts = std::make_unique<EnemyParts>();
        parts->Publish(world);
        SeedGameRandom(12345);
        LoadKinds(sampledata::SampleEnemyKinds());
        group().InitEnemy();
    }

    void TearDown() override { group().ReleaseEnemy(); }

    static void LoadKinds(const std::vector<EnemyKind>& kinds)
    {
        const std::vector<std::uint8_t> bytes = WriteEnemyKinds(kinds);
        ASSERT_TRUE(LoadEnemyKinds(bytes.data(), bytes.size()));
    }

    // Makes `header` the current map and reads its table sizes.
    void UseMap(MapHeader& header)
    {
        map = header.bytes;
        CurrentMap = map.data();
        group().ReadMapEnemyFlags();
    }

    bool SetupFormation(const std::vector<std::uint8_t>& record, int mode = 2, bool forceBoss = false,
                        bool strong = false)
    {
        return group().SetupEnemyBattle(record, {}, mode, forceBoss, false, strong);
    }
    bool SetupEncounter(const std::vector<std::uint8_t>& record, int mode = 2, bool strong = false)
    {
        return group().SetupEnemyBattle({}, record, mode, false, false, strong);
    }

    int KindOf(int slot) const { return static_cast<int>(GetBits(parts->group.Records[slot].KindWord, 0, 10)); }
    bool CarriesDrop(int slot) const { return (parts->group.Records[slot].KindWord & KIND_WORD_CARRIES_DROP) != 0; }
    CEnemyGroup& group() { return parts->group; }
    const EnemyRecord& record(int slot) { return parts->group.Records[slot]; }

    testsupport::GameWorld world;
    std::unique_ptr<EnemyParts> parts;
    fakes::FakeFilePack pack;
    fakes::RecordingError error;
    std::vector<std::uint8_t> map;
};

} // namespace enemytest
