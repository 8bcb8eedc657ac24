// The shot-pattern gallery in the game itself: from a save in the shrine
// facing its keeper, the keeper sends in kinds 25-29 and their volleys fill
// the field; the frames are left as program_gallery_* to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FrameImage.h"
#include "Keys.h"
#include "ProgramRun.h"
#include "ScriptedRun.h"
#include "party/Character.h"
#include "record/Pipkorn.h"

namespace {

using e2e::Box;
using e2e::FrameImage;
using e2e::kKeyConfirm;

constexpr int kShrineMap = 2;
constexpr int kFacingDown = 2;
// The keeper speaks at kTalk, the answer starts the battle at kBattleCommand;
// the battle's first frame follows the 63 closing and 8 black frames.
constexpr int kTalk = 219;
constexpr int kBattleCommand = 300;
constexpr int kOpening = kBattleCommand + 63 + 8;
constexpr int kVolleys[] = {kOpening + 160, kOpening + 220, kOpening + 280, kOpening + 340, kOpening + 400};
constexpr Box kBattleField{0, 80, 640, 480};

TEST(GalleryRunTest, TheShrinesKeeperSendsInTheShotGallery)
{
    e2e::GameFolder folder;
    // Below the crystal's arrival, facing the keeper; HP enough to stand the volleys.
    e2e::WriteSave(folder, 0, kShrineMap, 9, 9, kFacingDown, [](GameData&, CCharacter& party) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            party.hp[m] = party.maxHp[m];
    });
    e2e::KeyScript s{50, ""};
    s.Tap(kKeyConfirm); // ロード
    s.Tap(kKeyConfirm); // slot 1
    s.Tap(kKeyConfirm);
    s.frame = kTalk;
    s.Tap(kKeyConfirm); // the keeper speaks
    s.frame = kBattleCommand - 1;
    s.Tap(kKeyConfirm); // and sends in the gallery
    std::vector<int> frames = {kTalk + 40, kOpening + 20};
    frames.insert(frames.end(), std::begin(kVolleys), std::end(kVolleys));
    const int last = frames.back();
    const e2e::ProgramResult run =
        e2e::RunScripted(folder, s.text, e2e::FrameList(frames), last + 1, {}, e2e::kLongRunLimit);
    ASSERT_TRUE(run.exited) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder / "Error.log"));

    e2e::Dump(folder, kTalk + 40, "program_gallery_keeper");
    const FrameImage opening = e2e::Dump(folder, kOpening + 20, "program_gallery_opening");
    for (std::size_t i = 0; i < std::size(kVolleys); ++i) {
        const FrameImage volley = e2e::Dump(folder, kVolleys[i], "program_gallery_volleys_" + std::to_string(i));
        EXPECT_FALSE(volley.SameAs(opening, kBattleField)) << "the gallery acts " << i;
    }
}

} // namespace
