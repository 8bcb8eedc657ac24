// Stand-in for the part CBattleBackground: it has not been built yet. Its entry points
// only note that they ran (see SceneTrace.h), so the game frame can run and
// be tested. Delete this file (the stand-in at the same path under standins/) when the part itself lands in
// game/src/battle/.
//
// The status panel's digit strings that the field's status display draws
// are plain fields here that tests set; the setters the party calls keep
// them as digits.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"

class CBattleBackground {
public:
    void InitBattleBackground() { SceneTrace::Note("InitBattleBackground"); }
    void ReleaseBattleBackground() { SceneTrace::Note("ReleaseBattleBackground"); }
    void SyncHudFromParty() { SceneTrace::Note("SyncHudFromParty"); }
    void SetBattleBackground(int kind) { SceneTrace::Note("SetBattleBackground", kind); }
    // Width in pixels of a name drawn with the battle's label text: 17 a unit here.
    // A name in the battle's text object at (x, y, depth) in `colour`.
    void DrawBattleLabelEx(const char16_t*, int length, float, float, float, std::uint32_t)
    {
        SceneTrace::Note("DrawBattleLabelEx", length);
    }
    float GetBattleLabelWidth(const char16_t*, int length)
    {
        SceneTrace::Note("GetBattleLabelWidth", length);
        return 17.0f * static_cast<float>(length);
    }

    // The status panel's setters: each takes a party number as it changes.
    void SetHudHp(int member, int value)
    {
        SceneTrace::Note("SetHudHp", value);
        if (member >= 0 && member < 3)
            hpDigits[member] = static_cast<std::uint8_t>(KeepDigits(hpText[member], value, 99999));
    }
    void SetHudMaxHp(int member, int value)
    {
        SceneTrace::Note("SetHudMaxHp", value);
        if (member >= 0 && member < 3)
            HudMaxHpDigits[member] = KeepDigits(HudMaxHpText[member], value, 99999);
    }
    void SetHudSp(int member, int value)
    {
        SceneTrace::Note("SetHudSp", value);
        if (member >= 0 && member < 3)
            HudSpDigits[member] = KeepDigits(HudSpText[member], value, 255);
    }
    void SetHudMaxSp(int member, int value)
    {
        SceneTrace::Note("SetHudMaxSp", value);
        if (member >= 0 && member < 3)
            HudMaxSpDigits[member] = KeepDigits(HudMaxSpText[member], value, 255);
    }
    void SetHudSt(int member, int value)
    {
        SceneTrace::Note("SetHudSt", value);
        if (member >= 0 && member < 3)
            HudStDigits[member] = KeepDigits(HudStText[member], value, 255);
    }
    void SetHudMaxSt(int, int value) { SceneTrace::Note("SetHudMaxSt", value); }
    void SetHudColumnValue(int, int value) { SceneTrace::Note("SetHudColumnValue", value); }
    void SetHudColumnMaxima(const std::int16_t*) { SceneTrace::Note("SetHudColumnMaxima"); }
    void SetHudMemberValueA(int member, int stat, int value)
    {
        SceneTrace::Note("SetHudMemberValueA", value);
        if (member >= 0 && member < 3 && stat >= 0 && stat < 4)
            HudStatDigitsA[member][stat] = KeepDigits(HudStatTextA[member][stat], value, 9999);
    }
    void SetHudMemberValueB(int member, int stat, int value)
    {
        SceneTrace::Note("SetHudMemberValueB", value);
        if (member >= 0 && member < 3 && stat >= 0 && stat < 4)
            HudStatDigitsB[member][stat] = KeepDigits(HudStatTextB[member][stat], value, 9999);
    }
    void SetHudGold(std::uint32_t value) { SceneTrace::Note("SetHudGold", static_cast<int>(value)); }
    void SetHudHitCount(int value) { SceneTrace::Note("SetHudHitCount", value); }

    // Per member: the HP as decimal digits and their count.
    char16_t hpText[3][8];
    std::uint8_t hpDigits[3];
    // Per colour stock: the count as digits and their count.
    char16_t stockText[6][4];
    std::uint8_t stockDigits[6];

    // The rest of the panel's figures the field menu's party windows show,
    // each as digits with their count; tests set them until the panel is built.
    char16_t HudLevelText[3][4];
    std::int8_t HudLevelDigits[3];
    char16_t HudMaxHpText[3][6];
    std::int8_t HudMaxHpDigits[3];
    char16_t HudSpText[3][6];
    std::int8_t HudSpDigits[3];
    char16_t HudMaxSpText[3][6];
    std::int8_t HudMaxSpDigits[3];
    char16_t HudExpText[3][5];
    std::int8_t HudExpDigits[3];
    char16_t HudMoneyText[9];
    std::int8_t HudMoneyDigits;
    char16_t HudStockMaxText[6][4];
    std::int8_t HudStockMaxDigits[6];
    // The member status's figures: each stat without and with the worn
    // equipment, and the current 体力; the setters above keep them.
    char16_t HudStatTextA[3][4][5];
    std::int8_t HudStatDigitsA[3][4];
    char16_t HudStatTextB[3][4][5];
    std::int8_t HudStatDigitsB[3][4];
    char16_t HudStText[3][4];
    std::int8_t HudStDigits[3];

private:
    // The value, within 0 to `largest`, as digits; their count.
    static std::int8_t KeepDigits(char16_t* out, int value, int largest)
    {
        value = value < 0 ? 0 : (value > largest ? largest : value);
        char16_t reversed[5];
        int n = 0;
        do {
            reversed[n++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value > 0);
        for (int i = 0; i < n; ++i)
            out[i] = reversed[n - 1 - i];
        out[n] = 0;
        return static_cast<std::int8_t>(n);
    }
};
