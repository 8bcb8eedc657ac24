#include "record/KeyNames.h"

#include "record/Config.h"

const char16_t* KeyNameText[KEY_NAME_SLOT_COUNT] = {};
int KeyNameHalfCount[KEY_NAME_SLOT_COUNT] = {};
int KeyNameFullCount[KEY_NAME_SLOT_COUNT] = {};

namespace {

struct KeyName {
    int scanCode;
    const char16_t* text;
    bool fullWidth; // the arrows are one full-width character
};

const KeyName kKeyNames[] = {
    {1, u"Esc", false},      {2, u"1", false},        {3, u"2", false},          {4, u"3", false},
    {5, u"4", false},        {6, u"5", false},        {7, u"6", false},          {8, u"7", false},
    {9, u"8", false},        {10, u"9", false},       {11, u"0", false},         {12, u"-", false},
    {14, u"Back", false},    {16, u"Q", false},       {17, u"W", false},         {18, u"E", false},
    {19, u"R", false},       {20, u"T", false},       {21, u"Y", false},         {22, u"U", false},
    {23, u"I", false},       {24, u"O", false},       {25, u"P", false},         {26, u"[", false},
    {27, u"]", false},       {28, u"Enter", false},   {30, u"A", false},         {31, u"S", false},
    {32, u"D", false},       {33, u"F", false},       {34, u"G", false},         {35, u"H", false},
    {36, u"J", false},       {37, u"K", false},       {38, u"L", false},         {39, u";", false},
    {43, u"\\", false},      {44, u"Z", false},       {45, u"X", false},         {46, u"C", false},
    {47, u"V", false},       {48, u"B", false},       {49, u"N", false},         {50, u"M", false},
    {51, u",", false},       {52, u".", false},       {53, u"/", false},         {55, u"*", false},
    {57, u"Space", false},   {71, u"NUM7", false},    {72, u"NUM8", false},      {73, u"NUM9", false},
    {74, u"-", false},       {75, u"NUM4", false},    {76, u"NUM5", false},      {77, u"NUM6", false},
    {78, u"+", false},       {79, u"NUM1", false},    {80, u"NUM2", false},      {81, u"NUM3", false},
    {82, u"NUM0", false},    {83, u".", false},       {125, u"\\", false},       {144, u"^", false},
    {145, u"@", false},      {146, u":", false},      {181, u"/", false},        {199, u"Home", false},
    {200, u"↑", true},       {201, u"PageUp", false}, {203, u"←", true},         {205, u"→", true},
    {207, u"End", false},    {208, u"↓", true},       {209, u"PageDown", false}, {210, u"Insert", false},
    {211, u"Delete", false},
};

int Length(const char16_t* text)
{
    int n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

} // namespace

void InitKeyNames()
{
    for (int slot = 0; slot < KEY_NAME_SLOT_COUNT; ++slot) {
        const KeyName* found = nullptr;
        for (const KeyName& name : kKeyNames)
            if (name.scanCode == GameConfig.Key[slot])
                found = &name;
        if (found == nullptr) {
            KeyNameText[slot] = u"?";
            KeyNameHalfCount[slot] = 1;
        } else if (found->fullWidth) {
            // Only the count that applies is set; the other keeps its value.
            KeyNameText[slot] = found->text;
            KeyNameFullCount[slot] = Length(found->text);
        } else {
            KeyNameText[slot] = found->text;
            KeyNameHalfCount[slot] = Length(found->text);
        }
    }
}
