// The backdrop part: its text objects, textures and quads, a change of
// backdrop and what fails; the panel's digit strings and column widths.
#include "BattleFixture.h"
#include "fakes/RecordingText.h"

namespace {

using battletest::BattleTest;

std::vector<fakes::RecordingText*> madeTexts;
std::vector<std::unique_ptr<fakes::RecordingText>> ownedTexts;
bool failNextInit = false;

Zeph::CTextTexture* MakeRecordingText()
{
    ownedTexts.push_back(std::make_unique<fakes::RecordingText>());
    ownedTexts.back()->failInit = failNextInit;
    madeTexts.push_back(ownedTexts.back().get());
    return ownedTexts.back().get();
}

class BattleBackgroundTest : public BattleTest {
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        panel().ReleaseBattleBackground(); // the map's backdrop, loaded on entry: each case starts bare
        madeTexts.clear();
        ownedTexts.clear();
        failNextInit = false;
        world.Keep(CreateTextTextureProc, &MakeRecordingText);
        pack.images[PACK_BATTLE_MENU_PANEL] = {640, 128};
        pack.images[PACK_BATTLE_MARKS] = {72, 24};
        error.reports.clear();
    }
    void TearDown() override
    {
        panel().ReleaseBattleBackground();
        BattleTest::TearDown();
    }

    CBattleBackground& panel() { return parts->battleBackground; }
    static float V(const TexturedVertex* quad, int corner) { return quad[corner].v; }
};

TEST_F(BattleBackgroundTest, ConstructionMakesTheTextObjectsAndTheQuads)
{
    panel().InitBattleBackground();
    EXPECT_TRUE(error.reports.empty());
    ASSERT_EQ(madeTexts.size(), 2u);
    EXPECT_EQ(BattleTextTexture, madeTexts[0]);
    EXPECT_EQ(madeTexts[0]->look, (fakes::TextLook{16, 1, 16, 8}));
    EXPECT_EQ(madeTexts[0]->prepared, std::vector<std::u16string>{u"道具魔法特技設定逃走"});
    EXPECT_EQ(madeTexts[1]->look, (fakes::TextLook{30, 6, 30, 15}));
    EXPECT_EQ(madeTexts[1]->prepared, std::vector<std::u16string>{u"IGTEHPX"});

    const CBattleBackground& p = panel();
    EXPECT_EQ(p.backdropQuad[0].y, 79.5f);
    EXPECT_EQ(p.backdropQuad[3].x, 639.5f);
    EXPECT_EQ(p.backdropQuad[0].z, 0.9f);
    EXPECT_FLOAT_EQ(V(p.backdropQuad, 0), 80.0f / 480.0f);
    EXPECT_FLOAT_EQ(V(p.backdropQuad, 3), 1.0f);
    EXPECT_FLOAT_EQ(V(p.stripQuad, 3), 80.0f / 480.0f);
    EXPECT_EQ(p.stripQuad[0].z, 0.15f);
    EXPECT_EQ(p.menuPanelQuad[3].y, 115.5f);
    EXPECT_FLOAT_EQ(V(p.menuPanelQuad, 3), 116.0f / 128.0f);
    EXPECT_EQ(p.markQuads[2][0].x, 163.0f * 2 + 7 - 0.5f);
    EXPECT_FLOAT_EQ(p.markQuads[2][3].u, 1.0f);
    EXPECT_EQ(p.menuMarkQuads[1][0].z, 0.0499f);
    EXPECT_EQ(p.menuIconQuads[0][3].y, 45.5f);

    panel().ReleaseBattleBackground();
    EXPECT_EQ(madeTexts[0]->releases, 1);
    EXPECT_EQ(madeTexts[1]->releases, 1);
    EXPECT_EQ(BattleTextTexture, nullptr);
    EXPECT_EQ(panel().backdropTexture, nullptr);
}

TEST_F(BattleBackgroundTest, AFailedTextObjectStopsConstruction)
{
    failNextInit = true;
    panel().InitBattleBackground();
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].code, 4);
    EXPECT_EQ(madeTexts.size(), 1u);
    EXPECT_EQ(panel().backdropTexture, nullptr) << "no texture is loaded after the failure";
    world.Keep(CreateTextTextureProc, nullptr);
    error.reports.clear();
    panel().InitBattleBackground();
    ASSERT_EQ(error.reports.size(), 1u);
    EXPECT_EQ(error.reports[0].code, 1);
}

TEST_F(BattleBackgroundTest, AChangedBackdropIsLoadedAndMappedByItsOwnSize)
{
    pack.images[PACK_BATTLE_BACKDROP_FIRST + 2] = {640, 960};
    panel().InitBattleBackground();
    CTexture* first = panel().backdropTexture;
    panel().SetBattleBackground(0);
    EXPECT_EQ(panel().backdropTexture, first) << "the kind already set loads nothing";

    panel().SetBattleBackground(2);
    EXPECT_EQ(panel().BackdropKind(), 2);
    EXPECT_NE(panel().backdropTexture, nullptr);
    EXPECT_EQ(panel().backdropTexture->height, 960.0f);
    EXPECT_FLOAT_EQ(V(panel().backdropQuad, 0), 80.0f / 960.0f);
    EXPECT_FLOAT_EQ(V(panel().stripQuad, 3), 80.0f / 960.0f);
}

TEST_F(BattleBackgroundTest, ABackdropThatCannotBeLoadedKeepsTheOldOne)
{
    pack.images.erase(PACK_BATTLE_BACKDROP_FIRST + 3);
    panel().InitBattleBackground();
    CTexture* first = panel().backdropTexture;
    const float v = V(panel().backdropQuad, 0);
    panel().SetBattleBackground(3);
    EXPECT_EQ(panel().backdropTexture, first);
    EXPECT_EQ(panel().BackdropKind(), 0);
    EXPECT_EQ(V(panel().backdropQuad, 0), v);
    EXPECT_FALSE(error.reports.empty()) << "the loader reports the entry";
    device.ForgetCalls();
    panel().DrawBattleBackground();
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].texture, GetTextureHandle(*first));
}

TEST_F(BattleBackgroundTest, WithoutATextureNothingIsDrawn)
{
    pack.images.erase(PACK_BATTLE_BACKDROP_FIRST);
    pack.images.erase(PACK_BATTLE_MARKS);
    panel().InitBattleBackground();
    EXPECT_EQ(panel().backdropTexture, nullptr);
    party().members[1].state |= MEMBER_KNOCKED_OUT;
    device.ForgetCalls();
    panel().DrawBattleBackground();
    panel().DrawBattleHud();
    EXPECT_TRUE(device.draws.empty());
}

TEST_F(BattleBackgroundTest, KnockedOutMembersShowTheirMarkOnTheStrip)
{
    panel().InitBattleBackground();
    party().members[1].state |= MEMBER_KNOCKED_OUT;
    device.ForgetCalls();
    panel().DrawBattleHud();
    ASSERT_EQ(device.draws.size(), 2u);
    EXPECT_EQ(device.draws[0].vertex[0].z, 0.15f) << "the strip";
    EXPECT_EQ(device.draws[1].vertex[0].x, 163.0f + 7 - 0.5f) << "member 1's mark";
}

TEST_F(BattleBackgroundTest, NumbersAreCappedAndKeptAsDigits)
{
    CBattleBackground& p = panel();
    p.SetHudHp(0, 123456);
    EXPECT_EQ(std::u16string(p.HudHpText[0]), u"99999");
    EXPECT_EQ(p.HudHpDigits[0], 5);
    p.SetHudHp(1, 0);
    EXPECT_EQ(std::u16string(p.HudHpText[1]), u"0");
    p.SetHudExp(2, 5000);
    EXPECT_EQ(std::u16string(p.HudExpText[2]), u"1000");
    p.SetHudHitCount(1000);
    EXPECT_EQ(std::u16string(p.HudHitText), u"999");
    p.SetHudGold(4000000000u);
    EXPECT_EQ(std::u16string(p.HudMoneyText), u"99999999");
    p.SetHudColumnValue(5, 300);
    EXPECT_EQ(std::u16string(p.HudStockText[5]), u"255");
    p.SetHudMemberValueB(2, 3, 12345);
    EXPECT_EQ(std::u16string(p.HudStatTextB[2][3]), u"9999");
    p.SetHudHp(3, 5); // no such member: nothing is written
    EXPECT_EQ(std::u16string(p.HudHpText[2]), u"");
}

TEST_F(BattleBackgroundTest, TheWidestMaximumHpLaysTheStatusWindowsOut)
{
    CBattleBackground& p = panel();
    TheGameData->hpDigits = 3;
    p.SetHudMaxHp(0, 999);
    EXPECT_EQ(p.HudColumnWidth[0], 3);
    EXPECT_EQ(TheGameData->hpDigits, 3);
    p.SetHudMaxHp(1, 10000);
    EXPECT_EQ(p.HudColumnWidth[1], 5);
    EXPECT_EQ(TheGameData->hpDigits, 5);
    EXPECT_EQ(TheGameData->statusDigits[1], 5);
    const std::int16_t maxima[HUD_STOCKS] = {5, 10, 255, 0, 0, 99};
    p.SetHudColumnMaxima(maxima);
    EXPECT_EQ(TheGameData->columnDigits, 3);
    EXPECT_EQ(std::u16string(p.HudStockMaxText[1]), u"10");
}

} // namespace
