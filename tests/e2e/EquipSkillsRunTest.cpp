// The equipment and skill pages in the game program: from a save with
// spare pieces the menu opens 装備, ピプコ's weapons (the comparison changes
// colour from one candidate to the next) and equips one, then her armour:
// the piece with more abilities than the band holds, and wearing nothing.
// ピプオ puts on new armour but has no spare weapon: the no-candidate window. Then 特技: ピプメ's
// skills, one switched off and one put on a shortcut button.
#include <gtest/gtest.h>

#include <string>

#include "Keys.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::Box;
using e2e::Dump;
using e2e::FrameImage;
using e2e::GameFolder;
using e2e::kKeyCancel;
using e2e::kKeyConfirm;
using e2e::kKeyDown;
using e2e::kKeyUp;

constexpr int kKeyMenu = 46;      // C: button 2
constexpr int kKeySecond = 47;    // V: button 3
constexpr int kKeyShortcut1 = 32; // D: button 6

// Where the pages stand on screen.
constexpr Box kComparison{382, 20, 602, 272};
constexpr Box kDescription{46, 340, 594, 480};
constexpr Box kNoCandidate{126, 20, 256, 64};
constexpr Box kSkillList{94, 20, 224, 90};

TEST(EquipSkillsRunTest, EquipWithThePreviewAndLookAtTheSkills)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3, [](GameData& data, CCharacter& party) {
        InitPartyNewGame();
        for (int weapon : {1, 2, 3})
            data.heldWeapons[0][weapon] = 1;
        for (int armour : {1, 2})
            data.heldArmor[0][armour] = 1;
        data.heldArmor[1][1] = 1;
        for (int m = 0; m < 3; ++m)
            for (int c = 0; c < 4; ++c)
                party.elementLevel[m][c] = 3;
        for (int m = 0; m < 3; ++m)
            party.memberOptions[m][1] = party.memberOptions[m][2] = 1;
    });
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 200;
    // 装備, ピプコ, 武器: the first candidate is worn at once, which puts her
    // figures on the status panel; then two candidates, and the second worn.
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyConfirm, kKeyConfirm, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    const int firstWeapon = keys.DumpAfterTap();
    keys.Tap(kKeyDown);
    const int secondWeapon = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    const int slots = keys.DumpAfterTap();
    // 防具: each candidate, then wearing nothing.
    keys.Taps({kKeyDown, kKeyConfirm});
    const int firstArmour = keys.DumpAfterTap();
    keys.Tap(kKeyDown);
    const int secondArmour = keys.DumpAfterTap();
    keys.Tap(kKeyDown);
    const int wearNothing = keys.DumpAfterTap();
    keys.Tap(kKeyConfirm);
    const int armourOff = keys.DumpAfterTap();
    // ピプオ: new armour (her figures reach the panel), then her weapons: none to offer.
    keys.Taps({kKeyCancel, kKeyDown, kKeyConfirm, kKeyDown, kKeyConfirm, kKeyConfirm, kKeyUp, kKeyConfirm});
    const int noCandidate = keys.DumpAfterTap();
    // Back to the top, 特技, ピプメ: her second skill off, then on shortcut 1.
    keys.Taps({kKeyCancel, kKeyCancel, kKeyCancel, kKeyDown, kKeyConfirm, kKeyDown, kKeyDown, kKeyConfirm});
    const int skills = keys.DumpAfterTap();
    keys.Taps({kKeyDown, kKeySecond});
    const int switchedOff = keys.DumpAfterTap();
    keys.Tap(kKeyShortcut1);
    const int onShortcut = keys.DumpAfterTap();
    const auto run = e2e::RunScripted(folder, keys.text, keys.dumps, onShortcut + 1);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage firstWeaponPage = Dump(folder, firstWeapon, "program_equip_weapon_candidate");
    const FrameImage secondWeaponPage = Dump(folder, secondWeapon, "program_equip_weapon_next_candidate");
    const FrameImage slotsPage = Dump(folder, slots, "program_equip_slots_after_equipping");
    const FrameImage firstArmourPage = Dump(folder, firstArmour, "program_equip_armour_candidate");
    const FrameImage secondArmourPage = Dump(folder, secondArmour, "program_equip_armour_next_candidate");
    const FrameImage wearNothingPage = Dump(folder, wearNothing, "program_equip_wear_nothing");
    const FrameImage armourOffPage = Dump(folder, armourOff, "program_equip_armour_off");
    const FrameImage noCandidatePage = Dump(folder, noCandidate, "program_equip_no_candidate");
    const FrameImage skillsPage = Dump(folder, skills, "program_skills");
    const FrameImage switchedOffPage = Dump(folder, switchedOff, "program_skills_switched_off");
    Dump(folder, onShortcut, "program_skills_on_shortcut");

    EXPECT_FALSE(firstWeaponPage.SameAs(secondWeaponPage, kComparison)) << "the comparison follows the cursor";
    EXPECT_FALSE(firstWeaponPage.SameAs(secondWeaponPage, kDescription)) << "and so does the description";
    EXPECT_FALSE(firstArmourPage.SameAs(secondArmourPage, kDescription));
    EXPECT_FALSE(secondArmourPage.SameAs(wearNothingPage, kDescription)) << "wearing nothing is not described";
    EXPECT_GT(wearNothingPage.Brightness(kComparison), 0.0);
    EXPECT_FALSE(slotsPage.SameAs(armourOffPage, e2e::kWholeScreen));
    EXPECT_GT(noCandidatePage.Brightness(kNoCandidate), 0.0);
    EXPECT_FALSE(skillsPage.SameAs(switchedOffPage, kSkillList)) << "a skill switched off turns grey";
}

// Fifteen swords: right from the eighth row of the first page stops on the
// last sword of the short second page, and the comparison is that sword's,
// as it is when the cursor comes back onto it.
TEST(EquipSkillsRunTest, TheWeaponListPagesAndTheComparisonFollows)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3, [](GameData& data, CCharacter& party) {
        InitPartyNewGame();
        for (int weapon = 0; weapon < 15; ++weapon)
            data.heldWeapons[0][weapon] = 1;
        party.equipment[EQUIP_WEAPON][0] = 0;
    });
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 200;
    // 装備, ピプコ, 武器, then down to the eighth row of the first page.
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyConfirm, kKeyConfirm, kKeyConfirm});
    for (int row = 0; row < 7; ++row)
        keys.Tap(kKeyDown);
    const int firstPage = keys.DumpAfterTap();
    keys.Tap(e2e::kKeyRight);
    const int turned = keys.DumpAfterTap();
    keys.Taps({kKeyUp, kKeyDown});
    const int cameBack = keys.DumpAfterTap();
    const auto run = e2e::RunScripted(folder, keys.text, keys.dumps, cameBack + 1);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage firstPageShot = Dump(folder, firstPage, "program_equip_weapons_first_page");
    const FrameImage turnedShot = Dump(folder, turned, "program_equip_weapons_last_page");
    const FrameImage cameBackShot = Dump(folder, cameBack);
    EXPECT_FALSE(firstPageShot.SameAs(turnedShot, kComparison));
    EXPECT_TRUE(turnedShot.SameAs(cameBackShot, kComparison)) << "the comparison of the sword under the cursor";
    EXPECT_TRUE(turnedShot.SameAs(cameBackShot, kDescription));
}

// The chest in the west of the first map gives ピプコ a sword, two suits of
// armour and a ring; her armour list then offers both suits.
TEST(EquipSkillsRunTest, TheChestOfPiecesOnTheFirstMap)
{
    constexpr int kWelcomedFlag = 100;
    constexpr int kFacingLeft = 1; // 0 up, 1 left, 2 down, 3 right
    GameFolder folder;
    e2e::WriteSave(folder, 0, 0, 5, 2, kFacingLeft,
                   [](GameData& data, CCharacter&) { data.SetGameFlag(kWelcomedFlag, 1); });
    e2e::KeyScript keys{50, ""};
    keys.Taps({kKeyConfirm, kKeyConfirm, kKeyConfirm});
    keys.frame = 300; // once the place's name has faded
    // Open the chest beside her and read what it gives.
    keys.Tap(kKeyConfirm, 72);
    const int opened = keys.DumpAfterTap();
    for (int message = 0; message < 4; ++message)
        keys.Tap(kKeyConfirm, 72);
    keys.Wait(20);
    // 装備, ピプコ, 防具: the first suit, then wearing nothing.
    keys.Taps({kKeyMenu, kKeyDown, kKeyDown, kKeyConfirm, kKeyConfirm, kKeyDown, kKeyConfirm});
    const int firstSuit = keys.DumpAfterTap();
    keys.Taps({kKeyDown, kKeyDown});
    const int nothing = keys.DumpAfterTap();
    const auto run = e2e::RunScripted(folder, keys.text, keys.dumps, nothing + 1);
    ASSERT_TRUE(run.exited) << run.errors;

    Dump(folder, opened, "program_equip_chest_opened");
    const FrameImage suitPage = Dump(folder, firstSuit, "program_equip_chest_armour");
    const FrameImage nothingPage = Dump(folder, nothing);
    EXPECT_FALSE(suitPage.SameAs(nothingPage, kDescription)) << "a suit from the chest is described";
}

} // namespace
