// Where the party's end-of-battle and status pictures land: the members
// lying in the game-over corner, the shown effect's icon over a member and
// a status icon where a menu asks for it.
#include "PartyWorld.h"
#include "fakes/FakeTexture.h"
#include "fakes/RecordingDevice.h"
#include "party/BattleOutcome.h"
#include "party/MemberAttacks.h"
#include "party/MemberIndicators.h"
#include "party/PartyIcon.h"
#include "party/StatusEffects.h"

namespace {

using partytest::PartyBattleTest;

class PartyOverlayDraw : public PartyBattleTest {
protected:
    void SetUp() override
    {
        PartyBattleTest::SetUp();
        D3DDevice = &device;
        ResetRenderStateCaches();
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            sheets[m].texture = new fakes::FakeTexture(256, 256);
            party.memberTextures[m] = &sheets[m];
        }
        icons.texture = new fakes::FakeTexture(320, 16);
        party.iconTexture = &icons;
    }

    void TearDown() override
    {
        for (CTexture*& sheet : party.memberTextures)
            sheet = nullptr;
        party.iconTexture = nullptr;
        enemies.MarkTex = nullptr;
        PartyBattleTest::TearDown();
    }

    fakes::RecordingDevice device;
    CTexture sheets[PARTY_MEMBER_COUNT];
    CTexture icons;
};

TEST_F(PartyOverlayDraw, TheFallenMembersOverlapInTheGameOverCorner)
{
    for (int i = 0; i < 4; ++i) {
        party.downCellU[i] = 0.25f * static_cast<float>(i);
        party.downCellV[i] = 0.5f;
    }
    DrawPartyGameOver();
    ASSERT_EQ(device.draws.size(), 3u);
    const float depths[PARTY_MEMBER_COUNT] = {0.6f, 0.59f, 0.58f};
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        const fakes::DrawnPrimitive& quad = device.draws[static_cast<std::size_t>(m)];
        EXPECT_EQ(quad.texture, sheets[m].texture);
        EXPECT_EQ(quad.fvf, static_cast<std::uint32_t>(FVF_TEXTURED));
        EXPECT_EQ(quad.vertex[0].x, 496.0f + 32.0f * static_cast<float>(m) - 0.5f);
        EXPECT_EQ(quad.vertex[0].y, 399.5f);
        EXPECT_EQ(quad.vertex[3].x - quad.vertex[0].x, 64.0f);
        EXPECT_EQ(quad.vertex[3].y - quad.vertex[0].y, 64.0f);
        EXPECT_EQ(quad.vertex[0].z, depths[m]);
        EXPECT_EQ(quad.vertex[1].u, 0.25f);
        EXPECT_EQ(quad.vertex[2].colour, 0xFFFFFFFFu);
    }
}

TEST_F(PartyOverlayDraw, TheShownEffectsIconSitsOverItsMember)
{
    DrawPartyBattleOverlay(1);
    EXPECT_TRUE(device.draws.empty()) << "no effect, no icon";

    BattleMember& record = party.members[1];
    ApplyHitStatusEffects(record, EFFECT_SIDE_PARTY, 1, EFFECT_SLOW, 0);
    ApplyHitStatusEffects(record, EFFECT_SIDE_PARTY, 1, EFFECT_POISON, 0);
    party.SetMemberPosX(1, 100.75f);
    party.SetMemberPosY(1, 200.5f);
    record.indicatorLook[0] = 1;
    record.indicatorRow[0] = 2;
    for (int i = 0; i < 4; ++i)
        party.effectIconUV[EFFECT_SLOW][i] = 0.5f + 0.01f * static_cast<float>(i);
    DrawPartyBattleOverlay(1);
    ASSERT_EQ(device.draws.size(), 1u);
    const fakes::DrawnPrimitive& quad = device.draws[0];
    EXPECT_EQ(quad.texture, icons.texture);
    // Slow is still the one shown: poison joined the list before it.
    EXPECT_EQ(quad.vertex[0].u, party.effectIconUV[EFFECT_SLOW][0]);
    EXPECT_EQ(quad.vertex[3].u, party.effectIconUV[EFFECT_SLOW][3]);
    EXPECT_EQ(quad.vertex[0].x, 100.0f + party.iconOffsetX[1] - 0.5f);
    EXPECT_EQ(quad.vertex[0].y, 200.0f - party.iconOffsetY[2] - 0.5f);
    EXPECT_EQ(quad.vertex[3].x - quad.vertex[0].x, 16.0f);
    EXPECT_FLOAT_EQ(quad.vertex[0].z, 0.1f - (200.5f + 32.0f) / (480.0f * 128.0f));
}

// Member 2 casting when the last enemy falls is shown standing at once.
TEST_F(PartyOverlayDraw, MemberTwoStoppedAtTheWinIsShownStanding)
{
    sheets[2].width = sheets[2].height = 256.0f;
    party.SetMemberSpriteRect(2);
    const std::vector<float> standing(party.members[2].spriteU, party.members[2].spriteU + 4);
    ASSERT_TRUE(StartMemberMagic(2, 0, false, 0, 0, -1));
    party.SetMemberSpriteRect(2);
    ASSERT_NE(std::vector<float>(party.members[2].spriteU, party.members[2].spriteU + 4), standing);
    BeginPartyPhase4();
    EXPECT_EQ(Action(2), ACTION_FREE);
    EXPECT_EQ(std::vector<float>(party.members[2].spriteU, party.members[2].spriteU + 4), standing);
}

// The icons over a member stand at its slot's place with their pixel edges
// half a pixel up and left, each at its own depth.
TEST_F(PartyOverlayDraw, IconsOverAMemberSitOnTheirSlotsAtTheirDepths)
{
    const float back = 0.08f - (250.5f + 32.0f) / (480.0f * 128.0f);
    const float magicOff = 0.1f - (250.5f + 32.0f) / (480.0f * 128.0f);
    const struct {
        const char* name;
        int slot;
        void (*prepare)(CCharacter&);
        void (*draw)();
        float z;
    } cases[] = {
        {"gauge event", INDICATOR_GAUGE, [](CCharacter& p) { GaugeEvent::Set(p.members[2].flags, 1); },
         DrawMemberIndicators, back},
        {"item ready", INDICATOR_ITEM_READY,
         [](CCharacter& p) {
             ItemReadyShown::Set(p.partyWordC, 1);
             LeaderField::Set(p.partyWordC, 2);
         },
         DrawMemberIndicators, back},
        {"leader marker", INDICATOR_LEADER,
         [](CCharacter& p) {
             LeaderMarkerShown::Set(p.partyWordB, 1);
             MarkedMember::Set(p.partyWordC, 2);
         },
         DrawPartyOverlayIfFlagged, 0.061f},
        {"magic icon", INDICATOR_CASTING, [](CCharacter& p) { ActionState::Set(p.members[2].state, ACTION_MAGIC); },
         DrawPartyMagicSprite, 0.081f},
        {"magic off", INDICATOR_MAGIC_OFF, [](CCharacter& p) { MagicOff::Set(p.partyWordC, 1); },
         DrawMemberBattleSprite, magicOff},
    };
    CTexture marks;
    marks.texture = new fakes::FakeTexture(256, 256);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PartyBattleTest::SetUp();
        device.draws.clear();
        enemies.MarkTex = &marks;
        party.SetMemberPosX(2, 300.75f);
        party.SetMemberPosY(2, 250.5f);
        party.members[2].indicatorLook[c.slot] = 1;
        party.members[2].indicatorRow[c.slot] = 1;
        c.prepare(party);
        c.draw();
        ASSERT_EQ(device.draws.size(), 1u);
        const fakes::DrawnPrimitive& quad = device.draws[0];
        EXPECT_EQ(quad.vertex[0].x, 300.0f + party.iconOffsetX[1] - 0.5f);
        EXPECT_EQ(quad.vertex[0].y, 250.0f - party.iconOffsetY[1] - 0.5f);
        EXPECT_EQ(quad.vertex[3].x - quad.vertex[0].x, 16.0f);
        EXPECT_EQ(quad.vertex[3].y - quad.vertex[0].y, 16.0f);
        EXPECT_FLOAT_EQ(quad.vertex[0].z, c.z);
    }
}

TEST_F(PartyOverlayDraw, AStatusIconLandsWhereAskedAndOnlyForEffects0To18)
{
    for (int i = 0; i < 4; ++i)
        party.effectIconUV[18][i] = 0.9f + 0.01f * static_cast<float>(i);
    DrawMemberIcon(18, 128.0f, 394.0f, 0.0499f);
    ASSERT_EQ(device.draws.size(), 1u);
    const fakes::DrawnPrimitive& quad = device.draws[0];
    EXPECT_EQ(quad.texture, icons.texture);
    EXPECT_EQ(quad.vertex[0].u, party.effectIconUV[18][0]);
    EXPECT_EQ(quad.vertex[3].u, party.effectIconUV[18][3]);
    EXPECT_EQ(quad.vertex[0].x, 127.5f);
    EXPECT_EQ(quad.vertex[3].y, 409.5f);
    EXPECT_EQ(quad.vertex[0].z, 0.0499f);
    EXPECT_EQ(quad.vertex[1].colour, 0xFFFFFFFFu);
    DrawMemberIcon(19, 0.0f, 0.0f, 0.5f);
    DrawMemberIcon(-1, 0.0f, 0.0f, 0.5f);
    EXPECT_EQ(device.draws.size(), 1u) << "no icon beyond the row";
}

} // namespace
