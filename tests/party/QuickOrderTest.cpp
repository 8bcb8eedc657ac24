// Orders to member 2 from the quick-command buttons: the stock test with
// regeneration, pending, kept and deferred orders, refusals, the second set,
// and the opening's stored order.
#include "PartyWorld.h"

namespace {

using partytest::Bit;
using partytest::PartyBattleTest;

class QuickOrders : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        for (auto& max : party.stockMax)
            max = 200;
        for (auto& s : party.stock)
            s = 100;
        party.quickSlots[0][2] = {1, 0};  // button 6: magic 0 (cost 15, 120 frames)
        party.quickSlots[0][3] = {4, 1};  // button 7: attack level 1
        party.quickSlots[1][0] = {1, 5};  // button 4 with 10: magic 5
        party.quickSlots[1][1] = {1, 30}; // button 5 with 10: no such magic
        party.quickSlots[1][2] = {4, 3};  // button 6 with 10: no such level
    }
    int PendingKind() const { return static_cast<int>(PendingOrderKind::Get(party.partyWordC)); }
    int PendingId() const { return static_cast<int>(PendingOrderId::Get(party.partyWordD)); }
};

TEST_F(QuickOrders, StockCountsWhatRegeneratesDuringTheCast)
{
    struct Case {
        int stock;
        int speed;
        int frame;
        bool ordered;
    };
    // Magic 0 costs 15 and lasts 120 frames; speed 7 regenerates one every 20 frames.
    const Case cases[] = {
        {15, 0, 0, true}, {14, 0, 0, false}, {9, 7, 0, true},
        {8, 7, 0, false}, {8, 7, 20, true},  {8, 15, 0, false}, // only the low three bits name the speed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "stock " << c.stock << " speed " << c.speed << " frame " << c.frame);
        PartyBattleTest::SetUp();
        party.stock[0] = static_cast<std::int16_t>(c.stock);
        party.stockRegenSpeed[0] = static_cast<std::uint8_t>(c.speed);
        party.stockRegenFrame[0] = static_cast<std::int16_t>(c.frame);
        QueueThirdMemberMagic(0);
        EXPECT_EQ(PendingKind() == 1, c.ordered);
        EXPECT_EQ(TakeSounds().empty(), c.ordered);
    }
}

TEST_F(QuickOrders, ButtonsGiveOrdersFromTheirSet)
{
    keys.pushedButtons = Bit(6);
    Frame();
    // The order started member 2's magic in the same frame (it is not the leader).
    EXPECT_EQ(Action(2), ACTION_MAGIC);
    EXPECT_EQ(MagicIdField::Get(party.members[2].state), 0u);
    EXPECT_TRUE(KeepMagic::IsSet(party.partyWordC)) << "an ordered magic is kept";

    keys.pushedButtons = Bit(4);
    keys.heldButtons = Bit(10);
    Frame();
    EXPECT_EQ(MagicIdField::Get(party.members[2].state), 5u) << "the second set while 10 is held";
    EXPECT_TRUE(TakeSounds().empty());
}

// Only kinds 1, 2 and 4 are quick commands: an empty slot and a fixed
// command give member 2 no order.
TEST_F(QuickOrders, SlotsOfOtherKindsDoNothing)
{
    party.quickSlots[0][5] = {0, 0}; // button 9: empty
    party.quickSlots[1][3] = {3, 1}; // button 7 with 10: a fixed command
    for (const auto& [button, shift] : {std::pair{9, false}, std::pair{7, true}}) {
        SCOPED_TRACE(button);
        keys.pushedButtons = Bit(button);
        keys.heldButtons = shift ? Bit(10) : 0;
        Frame();
        EXPECT_EQ(Action(2), ACTION_FREE);
        EXPECT_TRUE(TakeSounds().empty());
    }
}

TEST_F(QuickOrders, BadIdsInSlotsAreRefused)
{
    for (int button : {5, 6}) {
        keys.pushedButtons = Bit(button);
        keys.heldButtons = Bit(10);
        Frame();
        EXPECT_EQ(PendingKind(), 0);
        EXPECT_EQ(Action(2), ACTION_FREE);
        EXPECT_EQ(TakeSounds(), std::vector<int>{SE_REFUSE}) << button;
        Frames(4);
    }
}

TEST_F(QuickOrders, OrdersByMemberTwosState)
{
    struct Case {
        const char* name;
        std::uint32_t action;
        int magicRunning;
        bool keep;
        bool pending;
        bool deferred;
        bool refused;
    };
    const Case cases[] = {
        {"free", ACTION_FREE, 0, false, true, false, false},
        {"same magic running", ACTION_MAGIC, 0, true, false, false, false},
        {"other magic running", ACTION_MAGIC, 3, false, true, false, false},
        {"knocked back", ACTION_HIT_STUN, 0, false, false, true, false},
        {"striking", ACTION_STRIKE, 0, false, false, true, false},
        {"down", ACTION_KNOCKED_OUT, 0, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartyBattleTest::SetUp();
        party.stock[0] = 100;
        BattleMember& third = party.members[2];
        ActionState::Set(third.state, c.action);
        MagicIdField::Set(third.state, static_cast<std::uint32_t>(c.magicRunning));
        KnockedOut::Set(third.state, c.action == ACTION_KNOCKED_OUT ? 1u : 0u);
        QueueThirdMemberMagic(0);
        EXPECT_EQ(KeepMagic::IsSet(party.partyWordC), c.keep);
        EXPECT_EQ(PendingKind() == 1 && PendingId() == 0, c.pending);
        EXPECT_EQ(DeferredOrderFirst::IsSet(party.partyWordD), c.deferred);
        if (c.deferred) {
            EXPECT_TRUE(DeferredOrderSecond::IsSet(party.partyWordD));
            EXPECT_EQ(DeferredOrderKind::Get(party.partyWordD), 7u);
        }
        EXPECT_EQ(!TakeSounds().empty(), c.refused);
    }
}

TEST_F(QuickOrders, AttackOrdersNeedSpAndNoSeal)
{
    QueueThirdMemberAttack(1);
    EXPECT_EQ(PendingKind(), 4);
    EXPECT_EQ(PendingId(), 1);

    PartyBattleTest::SetUp();
    party.sp[2] = 39;
    QueueThirdMemberAttack(1);
    EXPECT_EQ(PendingKind(), 0);
    EXPECT_EQ(TakeSounds(), std::vector<int>{SE_REFUSE});

    PartyBattleTest::SetUp();
    GiveEffect(2, EFFECT_SKILL_SEAL);
    QueueThirdMemberAttack(0);
    EXPECT_EQ(PendingKind(), 0);

    PartyBattleTest::SetUp();
    ActionState::Set(party.members[2].state, ACTION_ATTACK);
    AttackLevel::Set(party.members[2].state, 2);
    QueueThirdMemberAttack(2);
    EXPECT_TRUE(KeepAttack::IsSet(party.partyWordC));
    EXPECT_EQ(PendingKind(), 0);
}

TEST_F(QuickOrders, OpeningStoresTheFirstGoodOrderAndTicksOnlyOnceFadedIn)
{
    party.SetBattlePhase(BATTLE_PHASE_OPENING);
    enemies.openingAlpha = 255;
    GiveEffect(1, EFFECT_POISON);
    keys.pushedButtons = Bit(6) | Bit(7);
    player.CountPlaySEFrame();
    UpdatePartyBattleInput();
    EXPECT_EQ(OpeningOrderKind::Get(party.partyWordE), 1u);
    EXPECT_EQ(OpeningOrderId::Get(party.partyWordE), 0u);
    EXPECT_EQ(party.members[1].effectTicks[EFFECT_POISON], 0) << "the enemies still fade in";

    enemies.openingAlpha = 0;
    keys.pushedButtons = Bit(7);
    UpdatePartyBattleInput();
    EXPECT_EQ(OpeningOrderKind::Get(party.partyWordE), 2u);
    EXPECT_EQ(OpeningOrderId::Get(party.partyWordE), 1u);
    EXPECT_EQ(party.members[1].effectTicks[EFFECT_POISON], 1);

    keys.pushedButtons = Bit(5);
    keys.heldButtons = Bit(10);
    UpdatePartyBattleInput();
    EXPECT_EQ(TakeSounds(), std::vector<int>{SE_REFUSE}) << "magic 30 does not exist";
    EXPECT_EQ(OpeningOrderKind::Get(party.partyWordE), 2u);
}

} // namespace
