#include <gtest/gtest.h>

#include <string>

#include "record/Config.h"
#include "record/KeyNames.h"

namespace {

TEST(KeyNamesTest, NamesAndCountsByScanCode)
{
    struct Case {
        int scanCode;
        std::u16string name;
        int half;
        int full;
    };
    const Case cases[] = {
        {44, u"Z", 1, 0},         {57, u"Space", 5, 0},   {1, u"Esc", 1 * 3, 0}, {11, u"0", 1, 0},
        {200, u"↑", 0, 1},        {203, u"←", 0, 1},      {205, u"→", 0, 1},     {208, u"↓", 0, 1},
        {209, u"PageDown", 8, 0}, {211, u"Delete", 6, 0}, {43, u"\\", 1, 0},     {125, u"\\", 1, 0},
        {0, u"?", 1, 0},          {13, u"?", 1, 0},       {212, u"?", 1, 0},     {237, u"?", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scanCode);
        for (int slot = 0; slot < KEY_NAME_SLOT_COUNT; ++slot) {
            KeyNameHalfCount[slot] = 0;
            KeyNameFullCount[slot] = 0;
        }
        GameConfig.Key[4] = c.scanCode;
        InitKeyNames();
        EXPECT_EQ(std::u16string(KeyNameText[4]), c.name);
        EXPECT_EQ(KeyNameHalfCount[4], c.half);
        EXPECT_EQ(KeyNameFullCount[4], c.full);
    }
    GameConfig.ResetGameConfig();
}

TEST(KeyNamesTest, DefaultAssignmentNamesEverySlot)
{
    GameConfig.ResetGameConfig();
    InitKeyNames();
    const char16_t* expected[KEY_NAME_SLOT_COUNT] = {u"Z", u"X", u"C", u"V", u"A",    u"S",
                                                     u"D", u"F", u"Q", u"W", u"Space"};
    for (int slot = 0; slot < KEY_NAME_SLOT_COUNT; ++slot)
        EXPECT_EQ(std::u16string(KeyNameText[slot]), expected[slot]) << slot;
}

} // namespace
