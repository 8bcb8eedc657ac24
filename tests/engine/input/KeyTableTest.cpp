#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/KeyTable.h"

namespace {

TEST(KeyTableTest, EveryKeyIsFoundOneWayOnly)
{
    std::set<int> scancodes, linuxCodes, numbers;
    for (const auto& key : plat::KeyTable()) {
        EXPECT_TRUE(scancodes.insert(key.sdlScancode).second) << "scancode " << key.sdlScancode;
        EXPECT_TRUE(linuxCodes.insert(key.linuxKeyCode).second) << "linux code " << key.linuxKeyCode;
        EXPECT_TRUE(numbers.insert(key.keyNumber).second) << "number " << int(key.keyNumber);
        // The settings file holds key numbers 0 to 237.
        EXPECT_LE(key.keyNumber, 237);
        EXPECT_EQ(plat::FindKeyByScancode(key.sdlScancode), &key);
        EXPECT_EQ(plat::FindKeyByLinuxCode(key.linuxKeyCode), &key);
        EXPECT_EQ(plat::FindKeyByNumber(key.keyNumber), &key);
    }
    EXPECT_EQ(plat::FindKeyByNumber(0), nullptr);
    EXPECT_EQ(plat::FindKeyByScancode(0), nullptr);
}

// The keys the settings program offers and their names, as the player sees them.
const std::map<int, std::string> kAssignable = {
    {1, "Escape"},    {14, "BackSpace"}, {28, "Enter"},    {57, "Space"},   {201, "PageUp"}, {209, "PageDown"},
    {207, "End"},     {199, "Home"},     {203, "Left"},    {200, "Up"},     {205, "Right"},  {208, "Down"},
    {210, "Insert"},  {211, "Delete"},   {11, "0"},        {2, "1"},        {3, "2"},        {4, "3"},
    {5, "4"},         {6, "5"},          {7, "6"},         {8, "7"},        {9, "8"},        {10, "9"},
    {30, "A"},        {48, "B"},         {46, "C"},        {32, "D"},       {18, "E"},       {33, "F"},
    {34, "G"},        {35, "H"},         {23, "I"},        {36, "J"},       {37, "K"},       {38, "L"},
    {50, "M"},        {49, "N"},         {24, "O"},        {25, "P"},       {16, "Q"},       {19, "R"},
    {31, "S"},        {20, "T"},         {22, "U"},        {47, "V"},       {17, "W"},       {45, "X"},
    {21, "Y"},        {44, "Z"},         {82, "NumPad0"},  {79, "NumPad1"}, {80, "NumPad2"}, {81, "NumPad3"},
    {75, "NumPad4"},  {76, "NumPad5"},   {77, "NumPad6"},  {71, "NumPad7"}, {72, "NumPad8"}, {73, "NumPad9"},
    {55, "Multiply"}, {78, "Add"},       {74, "Subtract"}, {83, "Decimal"}, {181, "Divide"}, {146, ":"},
    {39, ";"},        {51, ","},         {12, "-"},        {52, "."},       {53, "/"},       {145, "@"},
    {26, "["},        {125, "\\"},       {27, "]"},        {144, "^"},      {43, "＼"},
};

TEST(KeyTableTest, TheAssignableKeysAreExactlyTheOfferedOnesWithTheirNames)
{
    ASSERT_EQ(kAssignable.size(), 77u);
    int assignable = 0;
    for (const auto& key : plat::KeyTable()) {
        if (!plat::IsAssignableKey(key.keyNumber))
            continue;
        ++assignable;
        auto expected = kAssignable.find(key.keyNumber);
        ASSERT_NE(expected, kAssignable.end()) << "number " << int(key.keyNumber) << " should not be offered";
        EXPECT_EQ(plat::KeyName(key.keyNumber), expected->second);
    }
    EXPECT_EQ(assignable, 77);
}

TEST(KeyTableTest, DefaultKeysAreAllInTheTableAndAssignable)
{
    // The settings file's default assignment and the input object's list for
    // unassigned buttons.
    const int defaults[] = {44, 45, 46, 47, 30, 31, 32, 33, 16, 17, 57, 200, 208, 203, 205, 2,
                            3,  4,  5,  6,  7,  8,  9,  10, 11, 30, 48, 46,  32,  18,  33};
    for (int number : defaults)
        EXPECT_TRUE(plat::IsAssignableKey(number)) << number;
}

TEST(KeyTableTest, OtherNumbersAreUnknown)
{
    for (int number : {0, 29, 42, 59, 238, 255, 300, -1})
        EXPECT_STREQ(plat::KeyName(number), "Unknown") << number;
    // Control is read by the game when a hand-edited file names it, but not offered.
    EXPECT_NE(plat::FindKeyByNumber(29), nullptr);
    EXPECT_FALSE(plat::IsAssignableKey(29));
}

TEST(KeyTableTest, TheTwoBackslashKeysAreDifferentKeys)
{
    const auto* yen = plat::FindKeyByNumber(125);
    const auto* ro = plat::FindKeyByNumber(43);
    ASSERT_NE(yen, nullptr);
    ASSERT_NE(ro, nullptr);
    EXPECT_NE(yen->sdlScancode, ro->sdlScancode);
    EXPECT_STRNE(yen->name, ro->name);
}

} // namespace
