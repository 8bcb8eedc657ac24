// The party's services for the field, the menus, the events and the saves:
// a new game's party, the figures equipment gives, the leader and the
// switches, recovery and event damage, learning magic and the stocks
// regenerating on steps.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "EquipmentTables.h"
#include "PartyFixture.h"
#include "battle/BattleBackground.h"
#include "core/Random.h"
#include "fakes/FakeKeyInput.h"
#include "party/BattleButtons.h"
#include "party/Equipment.h"
#include "party/PartyOptions.h"
#include "party/PartyRecovery.h"
#include "party/PartyServices.h"
#include "party/PartyStats.h"

namespace {

using testsupport::GuardRow;

class PartyServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheBattleBackground = &panel;
        ZephKeyInput = &keys;
    }

    // The sounds played since the last call; the player's repeat guard is
    // passed first, so the same sound twice in a row is heard twice.
    std::vector<std::string> TakeSounds()
    {
        std::vector<std::string> sounds;
        for (const std::string& call : w->log)
            if (call.rfind("Play(", 0) == 0)
                sounds.push_back(call);
        w->log.clear();
        for (int i = 0; i < 8; ++i)
            w->player.CountPlaySEFrame();
        return sounds;
    }
    static std::string Sound(int id) { return "Play(" + std::to_string(id) + ")"; }

    CCharacter& party() { return w->party; }

    std::unique_ptr<PartyWorld> w = MakeWorld();
    testsupport::EquipmentTables tables;
    CBattleBackground panel{};
    fakes::FakeKeyInput keys;
};

// ---------------------------------------------------------------------------
// New game

TEST_F(PartyServicesTest, NewGamePartyAfterTheRefreshAndTheFirstMap)
{
    for (int m = 0; m < 3; ++m)
        tables.Weapon(m, 0, u"W", 7, 30 + m, 1);
    party().money = 500;
    party().learned[5] = 1;
    party().quickSlots[0][0] = {3, 1};
    party().quickSlots[0][3] = {2, 9};
    party().quickSlots[1][5] = {1, 4};
    InitPartyNewGame();
    RefreshPartyDisplay();
    const std::uint8_t maxima[STOCK_COUNT] = {10, 0, 255, 40, 1, 200};
    SetPartyStockMax(maxima);

    const std::int16_t stats[3][4] = {{20 + 7, 0, 10, 6}, {18 + 7, 0, 12, 10}, {5, 20 + 7, 7, 15}};
    const int maxHp[3] = {200, 160, 120};
    for (int m = 0; m < 3; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(party().level[m], 1);
        EXPECT_EQ(party().exp[m], 0);
        EXPECT_EQ(party().hp[m], maxHp[m]);
        EXPECT_EQ(party().maxHp[m], maxHp[m]);
        EXPECT_EQ(party().maxSp[m], 30 + m);
        EXPECT_EQ(party().sp[m], 30 + m) << "255 cut to the weapon's maximum";
        EXPECT_EQ(party().maxSt[m], 105);
        EXPECT_EQ(party().st[m], 105);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(party().statsB[m][s], stats[m][s]) << s;
        EXPECT_EQ(party().equipment[EQUIP_WEAPON][m], 0);
        EXPECT_EQ(party().equipment[EQUIP_ARMOR][m], 0);
        EXPECT_EQ(party().equipment[EQUIP_ACCESSORY][m], -1);
        EXPECT_EQ(party().memberOptions[m][1], 1);
        EXPECT_EQ(party().memberOptions[m][2], 1);
        EXPECT_GT(panel.HudLevelDigits[m], 0) << "the status panel's level text is filled";
        EXPECT_GT(panel.HudExpDigits[m], 0);
    }
    EXPECT_EQ(party().money, 0u);
    EXPECT_EQ(party().curableMask, 0x7FFE0u);
    EXPECT_EQ(HpThresholdA::Get(party().partyWordC), 3u);
    EXPECT_EQ(HpThresholdB::Get(party().partyWordC), 5u);
    EXPECT_EQ(HpThresholdIndex::Get(party().partyWordD), 4u);
    EXPECT_FALSE(KeepActionsOption::IsSet(party().partyWordD));
    EXPECT_FALSE(HealLeaderFirst::IsSet(party().partyWordC));
    EXPECT_FALSE(IgnoreStockCheck::IsSet(party().partyWordC));
    EXPECT_FALSE(party().PartyFlag30());
    EXPECT_EQ(party().Leader(), 0);
    EXPECT_EQ(SkillPoints::Get(party().partyWordD), 0u);
    for (int magic = 0; magic < MAGIC_COUNT; ++magic)
        EXPECT_EQ(party().learned[magic], magic == 0 ? 1 : 0) << magic;
    EXPECT_EQ(party().quickSlots[0][0].kind, 3) << "the fixed commands stay";
    EXPECT_EQ(party().quickSlots[0][3].kind, 0);
    EXPECT_EQ(party().quickSlots[1][5].kind, 0);
    for (int k = 0; k < STOCK_COUNT; ++k)
        EXPECT_EQ(party().stock[k], maxima[k]) << "255 cut by the map's maximum " << k;
}

// ---------------------------------------------------------------------------
// Equipment and the figures it gives

TEST_F(PartyServicesTest, FiguresFromThePiecesSignedFieldsAndClamps)
{
    tables.Weapon(0, 1, u"Sword", 40, 60, -2, 23);
    tables.Weapon(2, 1, u"Staff", 25, 90, 3);
    tables.Guard(EQUIP_CATEGORY_ARMOR + 0, 1, u"Mail", {{-5, 2, 30, -1}, -3, {1, -2, 3, -4}, 1u << 4});
    tables.Guard(EQUIP_CATEGORY_ACCESSORY, 1, u"Ring", {{1, 1, 1, 1}, 15, {3, 0, 0, 0}, 1u << 25});
    tables.Guard(EQUIP_CATEGORY_ACCESSORY, 2, u"Iron", {{32767, -32768, 0, 0}, -16, {-4, -4, -4, -4}, 0});
    for (int s = 0; s < 4; ++s)
        party().statsA[0][s] = party().statsA[2][s] = static_cast<std::int16_t>(10 * (s + 1));

    struct Case {
        const char* name;
        int member, weapon, armour, accessory;
        std::array<int, 4> stats;
        int maxSt, maxSp, special;
        std::array<int, 4> levels;
        std::uint32_t abilities;
    };
    const Case cases[] = {
        {"nothing worn", 0, -1, -1, -1, {10, 20, 30, 40}, 100, 0, 0, {3, 3, 3, 3}, 0},
        {"a weapon adds to attack", 0, 1, -1, -1, {50, 20, 30, 40}, 90, 60, 23, {3, 3, 3, 3}, 0},
        {"a staff adds to magic", 2, 1, -1, -1, {10, 45, 30, 40}, 115, 90, 0, {3, 3, 3, 3}, 0},
        {"armour: signed values, lowered levels", 0, -1, 1, -1, {5, 22, 60, 39}, 85, 0, 0, {2, 5, 0, 7}, 1u << 4},
        {"all three", 0, 1, 1, 1, {46, 23, 61, 40}, 150, 60, 23, {0, 5, 0, 7}, (1u << 4) | (1u << 25)},
        {"clamped at 9999, 0 and the level range", 0, -1, -1, 2, {9999, 0, 30, 40}, 20, 0, 0, {7, 7, 7, 7}, 0},
        {"ids beyond the rows count as none", 0, 35, 34, 83, {10, 20, 30, 40}, 100, 0, 0, {3, 3, 3, 3}, 0},
        {"a member out of range gets an empty record", 3, 1, 1, 1, {0, 0, 0, 0}, 0, 0, 0, {0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemberStats out;
        ComputeMemberStats(c.member, out, c.weapon, c.armour, c.accessory);
        for (int s = 0; s < 4; ++s)
            EXPECT_EQ(out.stats[s], c.stats[s]) << s;
        EXPECT_EQ(out.maxStamina, c.maxSt);
        EXPECT_EQ(out.maxSp, c.maxSp);
        EXPECT_EQ(out.specialCode, c.special);
        for (int l = 0; l < 4; ++l)
            EXPECT_EQ(out.colourLevels[l], c.levels[l]) << l;
        EXPECT_EQ(out.abilityBits, c.abilities);
    }
}

TEST_F(PartyServicesTest, WearingAPieceSendsEveryFigureToTheParty)
{
    tables.Weapon(1, 2, u"Axe", 30, 40, 2, 26);
    tables.Guard(EQUIP_CATEGORY_ACCESSORY, 5, u"Charm", {{0, 0, 0, 0}, 0, {0, 1, 0, 0}, 1u << 25});
    party().baseMaxHp[1] = 160;
    party().st[1] = 3;
    party().sp[1] = 50;
    EquipMemberItem(1, EQUIP_WEAPON, 2);
    EquipMemberItem(1, EQUIP_ACCESSORY, 5);

    EXPECT_EQ(party().equipment[EQUIP_WEAPON][1], 2);
    EXPECT_EQ(party().equipment[EQUIP_ACCESSORY][1], 5);
    EXPECT_EQ(party().statsB[1][0], 40);
    EXPECT_EQ(party().maxSp[1], 40);
    EXPECT_EQ(party().sp[1], 40) << "cut to the new maximum";
    EXPECT_EQ(party().maxSt[1], 110);
    EXPECT_EQ(party().st[1], 110) << "ST refilled";
    EXPECT_EQ(party().elementLevel[1][1], 2);
    EXPECT_EQ(party().specialCode[1], 26);
    EXPECT_EQ(party().abilityBits[1], 1u << 25);
    EXPECT_EQ(party().maxHp[1], 200) << "bit 25 raises the maximum HP by a quarter";
    MemberStats work;
    std::memcpy(&work, party().statsWork, sizeof work);
    EXPECT_EQ(work.maxStamina, 110);

    EquipMemberItem(1, EQUIP_ACCESSORY, -1);
    EXPECT_EQ(party().maxHp[1], 160);
    EXPECT_EQ(party().abilityBits[1], 0u);

    std::vector<unsigned char> before(sizeof(CCharacter));
    std::memcpy(before.data(), static_cast<const void*>(&party()), before.size());
    EquipMemberItem(1, 3, 2);
    EquipMemberItem(1, -1, 2);
    EquipMemberItem(3, EQUIP_WEAPON, 2);
    EXPECT_EQ(std::memcmp(before.data(), static_cast<const void*>(&party()), before.size()), 0)
        << "other kinds and members change nothing";
}

TEST_F(PartyServicesTest, PiecesNoLongerHeldAreReplaced)
{
    GameData& data = w->data;
    tables.Weapon(0, 3, u"A", 5);
    tables.Weapon(0, 6, u"B", 9);
    data.heldWeapons[0][3] = 0;
    data.heldWeapons[0][6] = 1;
    data.heldArmor[1][2] = 0;
    data.heldAccessories[7] = 1;
    data.heldAccessories[9] = 2;
    party().equipment[EQUIP_WEAPON][0] = 3;
    party().equipment[EQUIP_ARMOR][1] = 2;
    party().equipment[EQUIP_ARMOR][2] = -1;
    party().equipment[EQUIP_ACCESSORY][0] = 7;
    party().equipment[EQUIP_ACCESSORY][1] = 7;
    party().equipment[EQUIP_ACCESSORY][2] = 9;
    for (int m = 0; m < 3; ++m)
        party().equipment[EQUIP_WEAPON][m] = m == 0 ? 3 : -1;
    party().equipment[EQUIP_ARMOR][0] = -1;
    ValidateEquipment();

    EXPECT_EQ(party().equipment[EQUIP_WEAPON][0], 6) << "the first of its list";
    EXPECT_EQ(party().statsB[0][0], 10 + 9) << "and its figures";
    EXPECT_EQ(party().equipment[EQUIP_ARMOR][1], -1) << "an empty list leaves the slot empty";
    EXPECT_EQ(party().equipment[EQUIP_ARMOR][2], -1);
    EXPECT_EQ(party().equipment[EQUIP_ACCESSORY][0], 7) << "the earlier wearer keeps the only one";
    EXPECT_EQ(party().equipment[EQUIP_ACCESSORY][1], -1);
    EXPECT_EQ(party().equipment[EQUIP_ACCESSORY][2], 9);
}

TEST_F(PartyServicesTest, TheRefreshRecomputesWhatASaveDoesNotKeep)
{
    tables.Weapon(0, 4, u"W", 12, 70, 2);
    tables.Guard(EQUIP_CATEGORY_ACCESSORY, 1, u"R", {{}, 0, {}, 1u << 26});
    party().equipment[EQUIP_WEAPON][0] = 4;
    party().equipment[EQUIP_ACCESSORY][0] = 1;
    party().baseMaxHp[0] = 1000;
    party().hp[0] = 900;
    party().sp[0] = 65;
    party().level[0] = 12;
    party().exp[0] = 345;
    // What a load leaves: the derived figures of whatever came before.
    party().maxHp[0] = 1;
    party().maxSp[0] = 0;
    party().maxSt[0] = 0;
    party().statsB[0][0] = 0;
    RefreshPartyDisplay();

    EXPECT_EQ(party().maxHp[0], 800);
    EXPECT_EQ(party().hp[0], 800);
    EXPECT_EQ(party().maxSp[0], 70);
    EXPECT_EQ(party().sp[0], 65) << "the saved SP is kept when the maximum allows it";
    EXPECT_EQ(party().maxSt[0], 110);
    EXPECT_EQ(party().st[0], 110);
    EXPECT_EQ(party().statsB[0][0], 22);
    EXPECT_EQ(std::u16string(panel.HudLevelText[0], panel.HudLevelDigits[0]), u"12");
    EXPECT_EQ(std::u16string(panel.HudExpText[0], panel.HudExpDigits[0]), u"345");
}

// ---------------------------------------------------------------------------
// Leader, party flag 30 and the shortcut slots

TEST_F(PartyServicesTest, TheLeaderCyclesBothWaysAndRefusesAnUnknownMember)
{
    struct Case {
        int from;
        bool back;
        int to;
    };
    for (const Case& c : {Case{0, false, 1}, Case{2, false, 0}, Case{0, true, 2}, Case{1, true, 0}}) {
        SCOPED_TRACE(testing::Message() << c.from << (c.back ? " back" : " forward"));
        LeaderField::Set(party().partyWordC, static_cast<std::uint32_t>(c.from));
        keys.heldButtons = c.back ? 1 << BUTTON_SHIFT : 0;
        party().CycleLeader(0);
        EXPECT_EQ(party().Leader(), c.to);
        EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_LEADER_CHANGE)});
    }
    SetPartyLeader(1, false);
    SetPartyLeader(3, false);
    SetPartyLeader(-1, false);
    EXPECT_EQ(party().Leader(), 1);
}

TEST_F(PartyServicesTest, PartyFlag30TogglesAndStopsTheThirdMembersOwnCast)
{
    party().TogglePartyFlag30(0);
    EXPECT_TRUE(party().PartyFlag30());
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_TOGGLE)});
    party().TogglePartyFlag30(0);
    EXPECT_FALSE(party().PartyFlag30());

    ActionState::Set(party().members[2].state, ACTION_MAGIC);
    SetPartyFlag30Ex(1, false, false, false);
    EXPECT_EQ(party().members[2].Action(), ACTION_FREE) << "a cast of its own stops";
    ActionState::Set(party().members[2].state, ACTION_MAGIC);
    KeepMagic::Set(party().partyWordC, 1);
    SetPartyFlag30Ex(1, false, false, false);
    EXPECT_EQ(party().members[2].Action(), ACTION_MAGIC) << "an ordered cast goes on";
}

TEST_F(PartyServicesTest, ShortcutSlotsKeepTheFixedCommandsAndRefuseBadIds)
{
    const int slot0 = 1 << BUTTON_QUICK_FIRST, slot1 = 1 << (BUTTON_QUICK_FIRST + 1);
    const int slot3 = 1 << (BUTTON_QUICK_FIRST + 3);
    party().quickSlots[0][0] = {3, 1};
    party().quickSlots[0][1] = {3, 2};

    EXPECT_FALSE(AssignCommandToSlot(1, slot0 | slot1)) << "bank 0 slots 0 and 1 never";
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_REFUSE)});
    EXPECT_TRUE(AssignCommandToSlot(2, slot0 | slot3)) << "goes on with the next pushed key";
    EXPECT_EQ(party().quickSlots[0][3].kind, 4);
    EXPECT_EQ(party().quickSlots[0][3].id, 2);
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_SET)});
    EXPECT_FALSE(AssignCommandToSlot(3, slot3)) << "no level above 2";
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_REFUSE)});
    EXPECT_FALSE(AssignCommandToSlot(-1, slot3));
    EXPECT_EQ(party().quickSlots[0][3].id, 2);
    keys.heldButtons = 1 << BUTTON_SHIFT;
    EXPECT_TRUE(AssignCommandToSlot(0, slot0)) << "the second set takes every slot";
    EXPECT_EQ(party().quickSlots[1][0].kind, 4);
    TakeSounds();

    // A magic goes on a slot only once learned; refused, it plays nothing.
    keys.heldButtons = 0;
    party().learned[5] = 0;
    party().AssignMagicShortcut(5, slot3);
    EXPECT_EQ(party().quickSlots[0][3].kind, 4);
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{});
    party().AssignMagicShortcut(MAGIC_COUNT, slot3);
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{});
    party().learned[5] = 1;
    party().AssignMagicShortcut(5, slot0 | slot3);
    EXPECT_EQ(party().quickSlots[0][3].kind, 1);
    EXPECT_EQ(party().quickSlots[0][3].id, 5);
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_SET)});
    party().AssignMagicShortcut(5, slot0);
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(SE_REFUSE)}) << "learned, but no slot for it";

    SetCommandSlot(0, 0, 2, 9);
    SetCommandSlot(1, 0, 2, 9);
    SetCommandSlot(6, 1, 2, 9);
    SetCommandSlot(4, 0, 2, 9);
    EXPECT_EQ(party().quickSlots[0][0].kind, 3);
    EXPECT_EQ(party().quickSlots[0][1].kind, 3);
    EXPECT_EQ(party().quickSlots[0][4].id, 9);
}

TEST_F(PartyServicesTest, BattleOptionsLandInTheirFields)
{
    SetBattleOption(0, 9, false);
    SetBattleOption(1, 17, false);
    SetBattleOption(2, 6, false);
    SetBattleOption(3, 3, false);
    SetBattleOption(4, 1, false);
    SetBattleOption(5, 1, false);
    const std::uint32_t c = party().partyWordC, d = party().partyWordD;
    SetBattleOption(6, 1, false);
    SetBattleOption(-1, 1, false);
    EXPECT_EQ(party().partyWordC, c);
    EXPECT_EQ(party().partyWordD, d);
    EXPECT_EQ(HpThresholdA::Get(c), 9u);
    EXPECT_EQ(HpThresholdB::Get(c), 1u) << "value & 15";
    EXPECT_EQ(HpThresholdIndex::Get(d), 6u);
    EXPECT_TRUE(KeepActionsOption::IsSet(d)) << "value & 1";
    EXPECT_TRUE(HealLeaderFirst::IsSet(c));
    EXPECT_TRUE(IgnoreStockCheck::IsSet(c));
}

// ---------------------------------------------------------------------------
// Recovery and event damage

TEST_F(PartyServicesTest, RecoveryRaisesUpToTheMaximaAndStandsMembersUp)
{
    w->Hp(0, 150, 199);
    w->KnockOut(0);
    AddPartyRecovery(0, 30);
    EXPECT_EQ(party().hp[0], 30);
    EXPECT_EQ(party().hp[1], 180);
    EXPECT_EQ(party().hp[2], 200);
    EXPECT_FALSE(party().IsKnockedOut(0)) << "HP given back stands the member up";

    w->Sp(0, 45, 50);
    AddPartyRecovery(1, 10);
    EXPECT_EQ(party().sp[0], 10);
    EXPECT_EQ(party().sp[1], 50);
    EXPECT_EQ(party().sp[2], 50);

    party().stock[0] = 195;
    AddPartyRecovery(2, 10);
    EXPECT_EQ(party().stock[0], 200);
    EXPECT_EQ(party().stock[1], 10);

    AddPartyRecovery(0, -50);
    EXPECT_EQ(party().hp[0], 30) << "a negative amount takes nothing";

    w->Hp(0, 0, 0);
    w->KnockOut(1);
    party().st[2] = 0;
    party().RestoreParty();
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(party().hp[m], 200);
        EXPECT_EQ(party().sp[m], 50);
        EXPECT_EQ(party().st[m], 100);
        EXPECT_FALSE(party().IsKnockedOut(m));
    }
    party().stock[3] = 5;
    party().RestorePartyStock();
    EXPECT_EQ(party().stock[3], 200);
}

TEST_F(PartyServicesTest, RevivalAndSpHealing)
{
    w->Hp(0, 5, 0);
    w->KnockOut(0);
    w->KnockOut(2);
    party().members[0].effectBits = 1u << EFFECT_POISON;
    ActiveEffectCount::Set(party().members[0].effectState, 3);
    party().st[1] = 0;
    ReviveParty();
    EXPECT_EQ((std::array<int, 3>{party().hp[0], party().hp[1], party().hp[2]}), (std::array<int, 3>{1, 5, 1}));
    for (int m = 0; m < 3; ++m) {
        EXPECT_FALSE(party().IsKnockedOut(m));
        EXPECT_EQ(party().st[m], 100);
    }
    EXPECT_EQ(party().members[0].effectBits, 0u);
    EXPECT_EQ(ActiveEffectCount::Get(party().members[0].effectState), 0u);

    w->Sp(10, 48, 0);
    w->KnockOut(2);
    TakeSounds();
    HealMemberMP(0, 15, true, false);
    HealMemberMP(1, 15, false, false);
    HealMemberMP(2, 15, true, false);
    EXPECT_EQ((std::array<int, 3>{party().sp[0], party().sp[1], party().sp[2]}), (std::array<int, 3>{25, 50, 0}));
    EXPECT_EQ(TakeSounds(), std::vector<std::string>{Sound(8)}) << "nothing for a member knocked out";
}

TEST_F(PartyServicesTest, EventDamageFellsNobodyUnlessItFellsEveryone)
{
    struct Case {
        const char* name;
        int amount;
        std::uint32_t mapFlagsB;
        std::array<int, 3> hp, maxHp;
        std::array<int, 3> after;
        bool result;
    };
    const Case cases[] = {
        {"a fifth, rounded up", -1, 0, {200, 200, 9}, {200, 201, 9}, {160, 159, 7}, true},
        {"the whole maximum on maps with bit 14: all fall",
         -1,
         1u << 14,
         {20, 200, 5},
         {200, 200, 250},
         {0, 0, 0},
         false},
        {"down to 1", -2, 0, {200, 1, 50}, {200, 200, 200}, {1, 1, 1}, true},
        {"down to 1 when everyone has 1 already", -2, 0, {1, 1, 1}, {200, 200, 200}, {1, 1, 1}, true},
        {"down to 1 with a member at 0", -2, 0, {0, 1, 50}, {200, 200, 200}, {0, 1, 1}, true},
        {"an amount that fells one only", 120, 0, {100, 200, 200}, {200, 200, 200}, {1, 80, 80}, true},
        {"an amount that fells all", 150, 0, {100, 150, 150}, {200, 200, 200}, {0, 0, 0}, false},
        {"a negative amount", -7, 0, {100, 200, 150}, {200, 200, 200}, {100, 200, 150}, true},
        {"a member at 0 loses nothing", 10, 0, {0, 200, 150}, {200, 200, 200}, {0, 190, 140}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->EnterMap(c.mapFlagsB);
        for (int m = 0; m < 3; ++m)
            SetMemberMaxHP(m, c.maxHp[m], 0);
        w->Hp(c.hp[0], c.hp[1], c.hp[2]);
        EXPECT_EQ(DamagePartyNonLethal(c.amount), c.result);
        EXPECT_EQ((std::array<int, 3>{party().hp[0], party().hp[1], party().hp[2]}), c.after);
    }
}

// ---------------------------------------------------------------------------
// Learning the third member's magic

// The party's usable byte per magic, which the field menu greys rows by,
// follows what is learned and the stock maxima: at a new game or a load,
// on learning, when a map brings its maxima and at member 2's level-ups.
TEST_F(PartyServicesTest, TheUsableBytesFollowLearningAndTheStockMaxima)
{
    InitPartyNewGame();
    std::uint8_t maxima[STOCK_COUNT] = {15, 12, 0, 0, 0, 0}; // magic 0 costs 15, magic 4 costs 12
    SetPartyStockMax(maxima);
    EXPECT_EQ(party().magicUsable[0], 1) << "the new game's magic, its stock large enough";
    EXPECT_EQ(party().magicUsable[4], 0) << "not learned";
    SkillPoints::Set(party().partyWordD, 10);
    LearnMagic(4);
    EXPECT_EQ(party().magicUsable[4], 1);
    maxima[0] = 14;
    SetPartyStockMax(maxima);
    EXPECT_EQ(party().magicUsable[0], 0) << "a map whose stock cannot hold the cost";

    // Learned by a load or a level-up of member 2.
    party().learned[8] = 1;
    party().stockMax[2] = 15;
    RefreshPartyDisplay();
    EXPECT_EQ(party().magicUsable[8], 1);
    party().stockMax[2] = 0;
    LevelUpMember(2);
    EXPECT_EQ(party().magicUsable[8], 0);
}

TEST_F(PartyServicesTest, LearningCostsAndPoints)
{
    std::fill(std::begin(party().learned), std::end(party().learned), std::uint8_t{0});
    SkillPoints::Set(party().partyWordD, 15);
    struct Case {
        int magic;
        bool learned;
        int pointsAfter;
    };
    for (const Case& c : {Case{1, true, 12}, Case{7, true, 5}, Case{4, true, 4}, Case{6, false, 4}, Case{2, false, 4},
                          Case{-1, false, 4}, Case{24, false, 4}, Case{1, false, 4}}) {
        SCOPED_TRACE(c.magic);
        const bool before = c.magic >= 0 && c.magic < MAGIC_COUNT && party().learned[c.magic] != 0;
        LearnMagic(c.magic);
        if (c.magic >= 0 && c.magic < MAGIC_COUNT) {
            EXPECT_EQ(party().learned[c.magic] != 0, c.learned || before);
            EXPECT_EQ(party().autoMagicAllowed[c.magic] != 0, c.learned || before);
        }
        EXPECT_EQ(static_cast<int>(SkillPoints::Get(party().partyWordD)), c.pointsAfter);
    }

    // Points grow only while they do not cover every magic still missing.
    std::fill(std::begin(party().learned), std::end(party().learned), std::uint8_t{1});
    party().learned[3] = 0; // costs 7
    SkillPoints::Set(party().partyWordD, 5);
    for (int i = 0; i < 5; ++i)
        GainLearningPoint();
    EXPECT_EQ(SkillPoints::Get(party().partyWordD), 7u);
    party().learned[3] = 1;
    SkillPoints::Set(party().partyWordD, 0);
    GainLearningPoint();
    EXPECT_EQ(SkillPoints::Get(party().partyWordD), 0u) << "all learned";

    // Usable: learned, and the stock's maximum covers the cost (magic 5: 18 from stock 1).
    party().stockMax[1] = 18;
    party().stock[1] = 0;
    EXPECT_TRUE(IsMagicUsable(5)) << "the maximum counts, not what the stock holds now";
    party().stockMax[1] = 17;
    EXPECT_FALSE(IsMagicUsable(5));
    party().stockMax[1] = 18;
    party().learned[5] = 0;
    EXPECT_FALSE(IsMagicUsable(5));
    EXPECT_FALSE(IsMagicUsable(-1));
    EXPECT_FALSE(IsMagicUsable(24));
}

// ---------------------------------------------------------------------------
// Stocks regenerating on steps

TEST_F(PartyServicesTest, StocksRegenerateByTheirKindsOdds)
{
    // A draw below 32767 / T gains, one at it does not.
    struct Case {
        int kind;
        int threshold; // 32767 / T
    };
    const Case cases[] = {{1, 3640}, {4, 8191}, {7, 32767}, {9, 182}, {15, 1638}, {8, 1}};
    for (const Case& c : cases) {
        for (const bool below : {true, false}) {
            SCOPED_TRACE(testing::Message() << "kind " << c.kind << (below ? " below" : " at the limit"));
            const std::uint8_t kinds[STOCK_COUNT] = {static_cast<std::uint8_t>(c.kind), 0, 0, 0, 0, 0};
            party().SetPartyEquipmentKinds(kinds);
            party().stock[0] = 10;
            std::uint32_t seed = 0;
            for (;; ++seed) {
                SeedGameRandom(seed);
                const int draw = GameRandom();
                if (below ? draw < c.threshold : draw >= c.threshold)
                    break;
            }
            SeedGameRandom(seed);
            party().RollPartyStockRegen();
            EXPECT_EQ(party().stock[0], below ? 11 : 10);
        }
    }
}

TEST_F(PartyServicesTest, RegenerationStopsAndKindsOutsideTheTableAreNone)
{
    const std::uint8_t kinds[STOCK_COUNT] = {7, 7, 16, 255, 0, 15};
    party().SetPartyEquipmentKinds(kinds);
    EXPECT_EQ(party().stockRegenSpeed[2], 0);
    EXPECT_EQ(party().stockRegenSpeed[3], 0);
    EXPECT_EQ(party().stockRegenSpeed[5], 15);

    SeedGameRandom(5);
    w->EnterMap(1u << 11);
    party().RollPartyStockRegen();
    EXPECT_EQ(party().stock[0], 0) << "map bit 11";
    w->EnterMap(0);
    w->data.noStockRegen = 1;
    party().RollPartyStockRegen();
    EXPECT_EQ(party().stock[0], 0) << "the game data's byte";
    w->data.noStockRegen = 0;
    party().RollPartyStockRegen();
    EXPECT_EQ(party().stock[0], 1);
    EXPECT_EQ(party().stock[1], 1);
}

} // namespace
