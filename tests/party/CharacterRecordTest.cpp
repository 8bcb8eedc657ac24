// The party object as construction leaves it, and the sprite cell each
// action, facing and walking frame shows.
#include <gtest/gtest.h>

#include "party/Character.h"
#include "party/PartyServices.h"

namespace {

TEST(CharacterRecord, ConstructionDefaults)
{
    const CCharacter party;
    const float expectedTable[21] = {0, 4, 7, 10, 13, 15, 17, 19, 21, 22, 23, 24, 25, 26, 27, 28, 28, 28, 28, 28, 28};
    for (int k = 0; k < 21; ++k)
        EXPECT_EQ(party.cumulativeTable[k], expectedTable[k]) << "frame " << k;

    // Packed words: no combo shown yet, the thinking delay, the thresholds, five item uses.
    EXPECT_EQ(FramesSinceHit::Get(party.partyWordA), 152u);
    EXPECT_EQ(ComboCount::Get(party.partyWordA), 0u);
    EXPECT_EQ(party.partyWordB, 59u << 16);
    EXPECT_EQ(party.partyWordC, (3u << 10) | (5u << 14));
    EXPECT_EQ(party.partyWordD, (4u << 14) | (5u << 18));
    EXPECT_EQ(party.partyWordE, 0u);
    EXPECT_EQ(party.GetBattlePhase(), 0);
    EXPECT_EQ(party.curableMask, 0x7FFE0u);

    // Only the two fixed commands are bound.
    for (int page = 0; page < QUICK_SLOT_PAGES; ++page)
        for (int slot = 0; slot < QUICK_SLOTS_PER_PAGE; ++slot) {
            const QuickSlot& q = party.quickSlots[page][slot];
            const bool fixed = page == 0 && slot < 2;
            EXPECT_EQ(q.kind, fixed ? 3 : 0) << page << "/" << slot;
            EXPECT_EQ(q.id, fixed ? slot + 1 : 0) << page << "/" << slot;
        }

    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(party.level[m], 1);
        EXPECT_EQ(party.hp[m], 1);
        EXPECT_EQ(party.maxHp[m], 1);
        EXPECT_EQ(party.hpPercent[m], 100);
        EXPECT_EQ(party.members[m].alpha, 255);
        EXPECT_EQ(party.memberOptions[m][0], 1);
        EXPECT_EQ(party.equipment[EQUIP_ACCESSORY][m], -1);
        EXPECT_EQ(party.members[m].state, 0u);
    }
    for (const auto& vertex : party.quad)
        EXPECT_EQ(vertex.rhw, 1.0f);
    EXPECT_EQ(party.iconOffsetX[0], 8.0f);
    EXPECT_EQ(party.iconOffsetY[2], 52.0f);
    EXPECT_EQ(party.iconTexture, nullptr);
}

// The reset of a new game keeps the loaded sheets and their coordinates.
TEST(CharacterRecord, ResetKeepsTheTextures)
{
    CCharacter party;
    CTexture icons;
    icons.width = 512.0f;
    icons.height = 16.0f;
    party.iconTexture = &icons;
    party.money = 500;
    party.ResetKeepingTextures();
    EXPECT_EQ(party.money, 0u);
    EXPECT_EQ(party.iconTexture, &icons);
    EXPECT_FLOAT_EQ(party.memberIconUV[1][0], 28.0f * 16.0f / 512.0f);
    EXPECT_FLOAT_EQ(party.iconUV31[3], 1.0f);
    party.iconTexture = nullptr;
}

struct SpriteCase {
    std::uint32_t action;
    bool walking;
    int walkFrame;
    int facing;
    int column;
};

TEST(CharacterRecord, SpriteCellFollowsActionFacingAndWalk)
{
    const SpriteCase cases[] = {
        {ACTION_FREE, false, 9, FACING_LEFT, 0},     {ACTION_FREE, true, 0, FACING_UP, 1},
        {ACTION_FREE, true, 7, FACING_RIGHT, 1},     {ACTION_FREE, true, 8, FACING_DOWN, 2},
        {ACTION_FREE, true, 15, FACING_LEFT, 2},     {ACTION_ATTACK, true, 8, FACING_UP, 4},
        {ACTION_MAGIC, false, 0, FACING_RIGHT, 4},   {ACTION_HIT_STUN, false, 0, FACING_DOWN, 3},
        {ACTION_KNOCKED_OUT, true, 9, FACING_UP, 5}, {ACTION_STRIKE, false, 0, FACING_RIGHT, 0},
    };
    CCharacter party;
    CTexture sheet; // a 192 × 128 sheet: six poses by four facings
    sheet.width = 192.0f;
    sheet.height = 128.0f;
    party.memberTextures[1] = &sheet;
    for (const SpriteCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "action " << c.action << " walking " << c.walking << " frame "
                                          << c.walkFrame << " facing " << c.facing);
        BattleMember& member = party.members[1];
        member.state = 0;
        ActionState::Set(member.state, c.action);
        Walking::Set(member.state, c.walking ? 1 : 0);
        FacingField::Set(member.state, static_cast<std::uint32_t>(c.facing));
        member.walkFrame = c.walkFrame;
        party.SetMemberSpriteRect(1);
        const float u[4] = {32.0f * c.column / 192.0f, 32.0f * (c.column + 1) / 192.0f, 32.0f * c.column / 192.0f,
                            32.0f * (c.column + 1) / 192.0f};
        const float v[4] = {32.0f * c.facing / 128.0f, 32.0f * c.facing / 128.0f, 32.0f * (c.facing + 1) / 128.0f,
                            32.0f * (c.facing + 1) / 128.0f};
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(member.spriteU[i], u[i]);
            EXPECT_FLOAT_EQ(member.spriteV[i], v[i]);
        }
    }
    party.memberTextures[1] = nullptr;
}

// Without a sheet the cell stays as it was instead of dividing by a zero size.
TEST(CharacterRecord, SpriteCellWithoutSheetIsLeftAlone)
{
    CCharacter party;
    party.members[0].spriteU[1] = 0.25f;
    ActionState::Set(party.members[0].state, ACTION_KNOCKED_OUT);
    party.SetMemberSpriteRect(0);
    EXPECT_EQ(party.members[0].spriteU[1], 0.25f);
}

} // namespace
