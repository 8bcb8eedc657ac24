#include <gtest/gtest.h>

#include <cstring>
#include <cstdarg>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "GameWorld.h"
#include "SampleData.h"
#include "core/GameDataTables.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "core/EnemyDefParser.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every bit of a record belongs to at most one field, and every field lies
// inside its record and clear of the kind's name.
template <class Def, std::size_t N> void ExpectDisjoint(const DefField<Def> (&fields)[N], int size, bool hasName)
{
    std::vector<std::string> owner(static_cast<std::size_t>(size) * 8);
    if (hasName)
        for (int bit = ENEMY_NAME_OFFSET * 8; bit < (ENEMY_NAME_OFFSET + 2 * ENEMY_NAME_UNITS) * 8; ++bit)
            owner[bit] = "Name";
    for (const DefField<Def>& f : fields) {
        const int first = (f.offset & ~3) * 8 + f.shift + 8 * (f.offset & 3);
        ASSERT_LE(first + f.width, size * 8) << f.name;
        ASSERT_LE(f.shift + 8 * (f.offset & 3) + f.width, 32) << f.name << " crosses its word";
        for (int bit = first; bit < first + f.width; ++bit) {
            EXPECT_EQ(owner[bit], "") << f.name << " shares bit " << bit << " with " << owner[bit];
            owner[bit] = f.name;
        }
    }
}

TEST(EnemyDefFields, EveryBitHasOneOwner)
{
    ExpectDisjoint(kKindFields, ENEMY_KIND_RECORD_SIZE, true);
    ExpectDisjoint(kMoveFields, ENEMY_MOVE_RECORD_SIZE, false);
    ExpectDisjoint(kActionFields, ENEMY_ACTION_RECORD_SIZE, false);
}

// A seeded random value that fits the field.
template <class Def> void Randomise(Def& def, const DefField<Def>& f)
{
    if (f.form == FieldForm::Float) {
        def.*f.real = static_cast<float>(GameRandom() - 16384) / 64.0f;
        return;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(GameRandom()) << 17 ^ static_cast<std::uint32_t>(GameRandom());
    if (f.width < 32)
        bits &= (1u << f.width) - 1u;
    std::int32_t value = static_cast<std::int32_t>(bits);
    if (f.form == FieldForm::Signed && f.width < 32 && (bits >> (f.width - 1)))
        value = static_cast<std::int32_t>(bits | ~((1u << f.width) - 1u));
    def.*f.value = value;
}

// Random kinds, then the fields the loader checks put in range.
std::vector<EnemyKind> RandomKinds()
{
    SeedGameRandom(2024);
    std::vector<EnemyKind> kinds(ENEMY_KIND_TOTAL);
    for (EnemyKind& k : kinds) {
        for (const auto& f : kKindFields)
            Randomise(k.def, f);
        k.moves.resize(static_cast<std::size_t>(GameRandom() % (ENEMY_MAX_MOVES + 1)));
        k.actions.resize(static_cast<std::size_t>(GameRandom() % (ENEMY_MAX_ACTIONS + 1)));
        const int moves = static_cast<int>(k.moves.size());
        const int actions = static_cast<int>(k.actions.size());
        k.def.MaxHp = static_cast<std::int32_t>(1 + static_cast<std::uint32_t>(k.def.MaxHp) % ENEMY_MAX_HP);
        k.def.NameLength %= ENEMY_NAME_UNITS + 1;
        for (int i = 0; i < k.def.NameLength; ++i)
            k.def.Name[i] = static_cast<char16_t>(0x3041 + GameRandom() % 80);
        k.def.AiType %= ENEMY_AI_TYPE_LIMIT + 1;
        k.def.GraphicId %= 183;
        k.def.DropItemId %= ARMOR_ROW_COUNT; // a row of every table
        for (EnemyMoveDef& m : k.moves) {
            for (const auto& f : kMoveFields)
                Randomise(m, f);
            m.FallbackMove %= moves;
            m.NextMove %= moves;
        }
        for (EnemyActionDef& a : k.actions) {
            for (const auto& f : kActionFields)
                Randomise(a, f);
            a.FallbackAction %= actions;
            a.NextAction %= actions;
            a.GaugeMember %= ENEMY_STOCK_LIMIT + 1;
            a.ShotSlots |= 1;
            a.ActionCount16 = a.ActionCount16 % (ENEMY_KIND_TOTAL - 1) + 1;
            if (a.ActionType == ENEMY_ACTION_STOCK_DRAIN)
                a.Param &= ~7;
        }
    }
    return kinds;
}

template <class Def, std::size_t N>
void ExpectSame(const Def& a, const Def& b, const DefField<Def> (&fields)[N], const std::string& where)
{
    for (const DefField<Def>& f : fields) {
        if (f.form == FieldForm::Float)
            EXPECT_EQ(std::memcmp(&(a.*f.real), &(b.*f.real), sizeof(float)), 0) << where << " " << f.name;
        else
            EXPECT_EQ(a.*f.value, b.*f.value) << where << " " << f.name;
    }
}

TEST(EnemyDefParser, WrittenKindsReadBackInEveryField)
{
    const std::vector<EnemyKind> kinds = RandomKinds();
    const Bytes bytes = WriteEnemyKinds(kinds);
    std::vector<EnemyKind> read;
    EnemyDefFault fault;
    ASSERT_TRUE(ParseEnemyKinds(bytes.data(), bytes.size(), read, fault)) << fault.Line();
    ASSERT_EQ(read.size(), kinds.size());
    for (std::size_t n = 0; n < kinds.size(); ++n) {
        const std::string where = "kind " + std::to_string(n);
        EnemyKindDef expected = kinds[n].def;
        expected.MoveCount = static_cast<std::int32_t>(kinds[n].moves.size());
        expected.ActionCount = static_cast<std::int32_t>(kinds[n].actions.size());
        ExpectSame(read[n].def, expected, kKindFields, where);
        EXPECT_EQ(std::u16string(read[n].def.Name, read[n].def.NameLength),
                  std::u16string(expected.Name, expected.NameLength))
            << where;
        ASSERT_EQ(read[n].moves.size(), kinds[n].moves.size()) << where;
        ASSERT_EQ(read[n].actions.size(), kinds[n].actions.size()) << where;
        for (std::size_t i = 0; i < kinds[n].moves.size(); ++i)
            ExpectSame(read[n].moves[i], kinds[n].moves[i], kMoveFields, where + " move " + std::to_string(i));
        for (std::size_t i = 0; i < kinds[n].actions.size(); ++i)
            ExpectSame(read[n].actions[i], kinds[n].actions[i], kActionFields, where + " action " + std::to_string(i));
    }
}

// Kind 3 of the sample data (the caster) has movements and actions: where
// its records start in the entry.
struct CasterRecords {
    Bytes bytes;
    std::size_t kind = 0, move = 0, action = 0;
};
CasterRecords Caster()
{
    CasterRecords c;
    const std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    c.bytes = WriteEnemyKinds(kinds);
    for (int n = 0; n < 3; ++n)
        c.kind += ENEMY_KIND_RECORD_SIZE + ENEMY_MOVE_RECORD_SIZE * kinds[n].moves.size() +
                  ENEMY_ACTION_RECORD_SIZE * kinds[n].actions.size();
    c.move = c.kind + ENEMY_KIND_RECORD_SIZE;
    c.action = c.move + ENEMY_MOVE_RECORD_SIZE * kinds[3].moves.size();
    return c;
}

void PokeBits(Bytes& b, std::size_t word, int shift, int width, std::uint32_t value)
{
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i)
        w |= static_cast<std::uint32_t>(b[word + i]) << (8 * i);
    const std::uint32_t mask = (width == 32 ? 0xFFFFFFFFu : (1u << width) - 1u) << shift;
    w = (w & ~mask) | ((value << shift) & mask);
    for (int i = 0; i < 4; ++i)
        b[word + i] = static_cast<std::uint8_t>(w >> (8 * i));
}

TEST(EnemyDefParser, FieldsAreReadWhereTheStoredLayoutPutsThem)
{
    enum Record { Kind, Move, Action };
    struct Case {
        const char* name;
        Record record;
        int word, shift, width;
        std::uint32_t raw;
        std::function<std::int32_t(const EnemyKind&)> field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"MaxHp u32 at 0", Kind, 0, 0, 32, 123456, [](auto& k) { return k.def.MaxHp; }, 123456},
        {"FixedHp u32 at 4", Kind, 4, 0, 32, 777, [](auto& k) { return k.def.FixedHp; }, 777},
        {"Defence i16 at 12", Kind, 12, 0, 16, 0xFFFE, [](auto& k) { return k.def.Defence; }, -2},
        {"DefenceB i16 at 14", Kind, 12, 16, 16, 300, [](auto& k) { return k.def.DefenceB; }, 300},
        {"HitBox bottom byte 51", Kind, 48, 24, 8, 99, [](auto& k) { return k.def.HitBottom; }, 99},
        {"AiType w56 27-31", Kind, 56, 27, 5, 23, [](auto& k) { return k.def.AiType; }, 23},
        {"DropChance w60 16-19", Kind, 60, 16, 4, 9, [](auto& k) { return k.def.DropChance; }, 9},
        {"Invulnerable w64 29", Kind, 64, 29, 1, 1, [](auto& k) { return k.def.Invulnerable; }, 1},
        {"SizeClass w72 26-28", Kind, 72, 26, 3, 5, [](auto& k) { return k.def.SizeClass; }, 5},
        {"second fixed value byte 77", Kind, 76, 8, 8, 200, [](auto& k) { return k.def.TestSeenBy1; }, 200},
        {"FlinchFrames w76 24-30", Kind, 76, 24, 7, 100, [](auto& k) { return k.def.FlinchFrames; }, 100},
        {"AllSeen KindFlags 0", Kind, 80, 0, 1, 1, [](auto& k) { return k.def.AllSeen; }, 1},
        {"GuardsFront KindFlags 6", Kind, 80, 6, 1, 1, [](auto& k) { return k.def.GuardsFront; }, 1},
        {"ContactEffect KindFlags 23-28", Kind, 80, 23, 6, 45, [](auto& k) { return k.def.ContactEffect; }, 45},
        {"Period i16 at 12", Move, 12, 0, 16, 0xFFFF, [](auto& k) { return k.moves[1].Period; }, -1},
        {"Shielded w24 28", Move, 24, 28, 1, 1, [](auto& k) { return k.moves[1].Shielded; }, 1},
        {"StepDivisor byte 29 bits 0-3", Move, 28, 8, 4, 11, [](auto& k) { return k.moves[1].StepDivisor; }, 11},
        {"NextMove byte 29 bits 4-6", Move, 28, 12, 3, 2, [](auto& k) { return k.moves[1].NextMove; }, 2},
        {"ShieldedPastDuration w28 17", Move, 28, 17, 1, 1, [](auto& k) { return k.moves[1].ShieldedPastDuration; }, 1},
        {"TargetKindId u16 at 30", Action, 28, 16, 16, 4321, [](auto& k) { return k.actions[1].TargetKindId; }, 4321},
        {"IconId w32 23-27 signed", Action, 32, 23, 5, 0x1F, [](auto& k) { return k.actions[1].IconId; }, -1},
        {"ShotKnock w36 27-28", Action, 36, 27, 2, 3, [](auto& k) { return k.actions[1].ShotKnock; }, 3},
        {"ShotChildRow w40 14-20", Action, 40, 14, 7, 77, [](auto& k) { return k.actions[1].ShotChildRow; }, 77},
        {"ShotSpread w44 24-25", Action, 44, 24, 2, 2, [](auto& k) { return k.actions[1].ShotSpread; }, 2},
        {"ShotAilmentRate w52 18-21", Action, 52, 18, 4, 13, [](auto& k) { return k.actions[1].ShotAilmentRate; }, 13},
        {"TestKind w56 0-10 signed", Action, 56, 0, 11, 0x7FF, [](auto& k) { return k.actions[1].TestKind; }, -1},
        {"ShotAilment w56 11-16", Action, 56, 11, 6, 40, [](auto& k) { return k.actions[1].ShotAilment; }, 40},
        {"PrivateCopy w56 24", Action, 56, 24, 1, 1, [](auto& k) { return k.actions[1].PrivateCopy; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CasterRecords caster = Caster();
        const std::size_t base = c.record == Kind   ? caster.kind
                                 : c.record == Move ? caster.move + ENEMY_MOVE_RECORD_SIZE
                                                    : caster.action + ENEMY_ACTION_RECORD_SIZE;
        PokeBits(caster.bytes, base + static_cast<std::size_t>(c.word), c.shift, c.width, c.raw);
        std::vector<EnemyKind> read;
        EnemyDefFault fault;
        ASSERT_TRUE(ParseEnemyKinds(caster.bytes.data(), caster.bytes.size(), read, fault)) << fault.Line();
        EXPECT_EQ(c.field(read[3]), c.expected);
    }
}

TEST(EnemyDefParser, BadEntriesAreRefusedNamingKindRecordAndField)
{
    using Kinds = std::vector<EnemyKind>;
    struct Case {
        const char* name;
        std::function<void(Kinds&)> breakKinds;
        std::function<void(Bytes&)> breakBytes;
        const char* line;
    };
    auto shot = [](Kinds& k) -> EnemyActionDef& { return k[1].actions[1]; };
    const Case cases[] = {
        {"truncated", nullptr, [](Bytes& b) { b.pop_back(); }, "enemy kind 193, kind record, record"},
        {"trailing bytes", nullptr, [](Bytes& b) { b.push_back(0); }, "1 bytes follow the last kind"},
        {"31 actions", [](Kinds& k) { k[4].actions.assign(31, k[4].actions[1]); }, nullptr,
         "enemy kind 4, kind record, ActionCount: 31 is outside 0-16"},
        {"15 moves", [](Kinds& k) { k[4].moves.assign(15, k[4].moves[0]); }, nullptr,
         "enemy kind 4, kind record, MoveCount: 15 is outside 0-8"},
        {"next move 5 of 3", [](Kinds& k) { k[3].moves[2].NextMove = 5; }, nullptr,
         "enemy kind 3, move 2, NextMove: 5 is outside 0-2"},
        {"fallback move 3 of 3", [](Kinds& k) { k[3].moves[0].FallbackMove = 3; }, nullptr,
         "enemy kind 3, move 0, FallbackMove: 3 is outside 0-2"},
        {"next action 9 of 2", [](Kinds& k) { k[3].actions[1].NextAction = 9; }, nullptr,
         "enemy kind 3, action 1, NextAction: 9 is outside 0-1"},
        {"fallback action 15 of 2", [](Kinds& k) { k[3].actions[0].FallbackAction = 15; }, nullptr,
         "enemy kind 3, action 0, FallbackAction: 15 is outside 0-1"},
        {"name of 15", [](Kinds& k) { k[9].def.NameLength = 15; }, nullptr,
         "enemy kind 9, kind record, NameLength: 15 is outside 0-11"},
        {"HP 0", [](Kinds& k) { k[2].def.MaxHp = 0; }, nullptr, "enemy kind 2, kind record, MaxHp: 0 is outside"},
        {"HP 10,000,000", [](Kinds& k) { k[2].def.MaxHp = 10000000; }, nullptr, "MaxHp: 10000000 is outside"},
        {"AI 30", [](Kinds& k) { k[150].def.AiType = 30; }, nullptr,
         "enemy kind 150, kind record, AiType: 30 is outside 0-23"},
        {"picture 300", [](Kinds& k) { k[0].def.GraphicId = 300; }, nullptr, "GraphicId: 300 is outside 0-182"},
        {"summon 300", [](Kinds& k) { k[5].actions[0].ActionCount16 = 300; }, nullptr,
         "enemy kind 5, action 0, ActionCount16: summons kind 300 is outside 0-193"},
        {"drop row 99", [](Kinds& k) { k[7].def.DropItemId = 99; }, nullptr,
         "enemy kind 7, kind record, DropItemId: row 99 of category 7 does not exist"},
        {"weapon row 35", [](Kinds& k) { k[2].def.DropItemId = 35; }, nullptr, "row 35 of category 1"},
        {"slots 0", [&](Kinds& k) { shot(k).ShotSlots = 0; }, nullptr,
         "enemy kind 1, action 1, ShotSlots: 0 on a shot action"},
        {"stock 6", [&](Kinds& k) { shot(k).GaugeMember = 6; }, nullptr, "GaugeMember: 6 is outside 0-5"},
        {"drain of stock 7",
         [&](Kinds& k) {
             shot(k).ActionType = ENEMY_ACTION_STOCK_DRAIN;
             shot(k).ActionCount16 = 10;
             shot(k).Param = 7;
         },
         nullptr, "Param: stock 7 is outside 0-5"},
        {"drain period 0",
         [&](Kinds& k) {
             shot(k).ActionType = ENEMY_ACTION_STOCK_DRAIN;
             shot(k).ActionCount16 = 0;
         },
         nullptr, "ActionCount16: a drain period of 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Kinds kinds = sampledata::SampleEnemyKinds();
        if (c.breakKinds)
            c.breakKinds(kinds);
        Bytes bytes = WriteEnemyKinds(kinds);
        if (c.breakBytes)
            c.breakBytes(bytes);
        std::vector<EnemyKind> read;
        EnemyDefFault fault;
        EXPECT_FALSE(ParseEnemyKinds(bytes.data(), bytes.size(), read, fault));
        EXPECT_NE(fault.Line().find(c.line), std::string::npos) << fault.Line();
    }
}

// The error object's line, formatted.
class CapturingError : public Zeph::CError {
public:
    std::vector<std::string> lines;
    void SetFlags(std::uint8_t*, std::uint8_t*) override {}
    void Error(const char*, int, int, const char* format, ...) override
    {
        char text[512] = {};
        std::va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        lines.emplace_back(text);
    }
    std::uint8_t IsError() override { return lines.empty() ? 0 : 1; }
    void ShowError() override {}
    void Warning(int, const char*, ...) override {}
    void Release() override {}
};

TEST(EnemyKinds, ABadEntryIsReportedOnceAndKeepsNothing)
{
    CapturingError error;
    testsupport::GameWorld world;
    world.Keep(ZephError, &error);
    std::vector<EnemyKind> kinds = sampledata::SampleEnemyKinds();
    Bytes good = WriteEnemyKinds(kinds);
    ASSERT_TRUE(LoadEnemyKinds(good.data(), good.size()));
    ASSERT_NE(FindEnemyKind(193), nullptr);
    EXPECT_EQ(FindEnemyKind(194), nullptr);
    EXPECT_EQ(FindEnemyKind(-1), nullptr);

    kinds[12].def.AiType = 31;
    Bytes bad = WriteEnemyKinds(kinds);
    EXPECT_FALSE(LoadEnemyKinds(bad.data(), bad.size()));
    EXPECT_EQ(FindEnemyKind(0), nullptr);
    ASSERT_EQ(error.lines.size(), 1u);
    EXPECT_EQ(error.lines[0], "enemy kind 12, kind record, AiType: 31 is outside 0-23");
}

} // namespace
