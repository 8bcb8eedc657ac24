// The field menu in the game program: opened with the menu button from a
// new game, walked, its item list entered and left, closed, and the player
// walks on; on a map without transfers "移動" is grey and refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScriptedRun.h"

namespace {

using e2e::Box;
using e2e::Dump;
using e2e::FrameImage;
using e2e::GameFolder;

constexpr int kKeyMenu = 46; // C: button 2
constexpr Box kTopWindow{30, 20, 94, 246};
constexpr Box kItemList{96, 22, 316, 96}; // right of the top column
constexpr Box kTransferRow{40, 186, 84, 208};
constexpr Box kInfoRow{40, 134, 84, 156};
constexpr Box kAboveBanner{0, 0, 640, 436};

std::string Tap(int frame, int key)
{
    return std::to_string(frame) + " key " + std::to_string(key) + " down\n" + std::to_string(frame + 1) + " key " +
           std::to_string(key) + " up\n";
}

// The brightest red channel in the box: where a text's glyphs are fully inked.
int Brightest(const FrameImage& image, const Box& box)
{
    int most = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            most = std::max(most, static_cast<int>((image.At(x, y) >> 16) & 0xFF));
    return most;
}

TEST(FieldMenuRunTest, TheMenuOpensOverTheMapAndClosesForWalking)
{
    GameFolder folder;
    // New game; the field runs from about frame 170 with the first map's
    // welcome, confirmed once typed.
    const std::string script = Tap(50, 44) + Tap(250, 44) + Tap(300, kKeyMenu) + Tap(310, 208) + Tap(315, 208) +
                               Tap(320, 200) + Tap(325, 200) + Tap(330, 44) + Tap(340, 45) + Tap(350, kKeyMenu) +
                               "360 key 205 down\n400 key 205 up\n";
    const auto run = e2e::RunScripted(folder, script, "299,303,333,343,353,400", 401);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage before = Dump(folder, 299);
    const FrameImage top = Dump(folder, 303, "program_field_menu_top");
    const FrameImage items = Dump(folder, 333, "program_field_menu_items");
    const FrameImage back = Dump(folder, 343);
    const FrameImage closed = Dump(folder, 353);
    const FrameImage walked = Dump(folder, 400);

    EXPECT_FALSE(top.SameAs(before, kTopWindow)) << "the top menu opens over the map";
    EXPECT_LT(items.Brightness(kTopWindow) + 10, top.Brightness(kTopWindow)) << "dimmed behind the item list";
    EXPECT_FALSE(items.SameAs(top, kItemList)) << "the item list's window";
    EXPECT_TRUE(back.SameAs(top, e2e::kWholeScreen)) << "cancel brings the same top page back";
    // The place-name banner at the bottom goes on changing between the two.
    EXPECT_TRUE(closed.SameAs(before, kAboveBanner)) << "closed: the map alone again";
    EXPECT_FALSE(walked.SameAs(closed, e2e::kWholeScreen)) << "the player walks on";
}

TEST(FieldMenuRunTest, OnAMapWithoutTransfersTheTransferRowIsGreyAndRefused)
{
    GameFolder folder;
    e2e::WriteSave(folder, 0, 1, 5, 5, 3);
    // The title offers ロード first when a save exists: load slot 1, then
    // open the menu and go up twice, onto "移動".
    const std::string script =
        Tap(50, 44) + Tap(55, 44) + Tap(60, 44) + Tap(200, kKeyMenu) + Tap(210, 200) + Tap(215, 200) + Tap(220, 44);
    const auto run = e2e::RunScripted(folder, script, "203,219,224", 225);
    ASSERT_TRUE(run.exited) << run.errors;

    const FrameImage top = Dump(folder, 203, "program_field_menu_no_transfer");
    EXPECT_LT(Brightest(top, kTransferRow) + 60, Brightest(top, kInfoRow)) << "移動 grey, 情報 white";
    const FrameImage onRow = Dump(folder, 219);
    const FrameImage confirmed = Dump(folder, 224);
    // The cursor left of the rows bobs; everything right of it stays.
    const Box rightOfCursor{40, 0, 640, 480};
    EXPECT_TRUE(confirmed.SameAs(onRow, rightOfCursor)) << "refused: no transfer list opens";
}

} // namespace
