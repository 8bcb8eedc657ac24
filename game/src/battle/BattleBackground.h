// The battle's backdrop part: the backdrop image of the battle field (one of
// four, chosen by the map), the status panel's strip, the menu panel image,
// the knocked-out marks, the battle's two text objects, and the panel's
// digit strings: every party number as decimal digits, formatted once when
// it changes and read by the panel, the menus and the field's status display.
#pragma once

#include <cstdint>

#include "media/Texture.h"
#include "platform/Device.h"

namespace Zeph {
class CTextTexture;
}

// The battle's text objects, made and released by the backdrop part: 16 px
// for the panel and the command menu, 30 px for the hit count and results.
extern Zeph::CTextTexture* BattleTextTexture;
extern Zeph::CTextTexture* BattleLargeTextTexture;

constexpr int HUD_MEMBERS = 3;
constexpr int HUD_STOCKS = 6;
constexpr int HUD_STATS = 4;
constexpr int BATTLE_BACKDROP_KINDS = 4;

class CBattleBackground {
public:
    // Every field cleared, no textures (tests and the game object's storage).
    CBattleBackground();

    void InitBattleBackground();
    void ReleaseBattleBackground();
    // The backdrop of kind 0-3; a kind that cannot be loaded keeps the old one.
    void SetBattleBackground(int kind);
    int BackdropKind() const { return static_cast<int>(packedWord & 3u); }
    // The members' icons of the menu layout from the party.
    void SyncHudFromParty();

    void DrawBattleBackground();
    // The status panel, normal and in the command menu's layout. The strip,
    // the menu panel, the marks and the icon are drawn here; the panel's
    // texts are the status panel's.
    void DrawBattleHud();
    void DrawBattleHudInMenu();
    // Refreshes the item-wait seconds (never 0 while the wait runs).
    void UpdateItemWaitDigits(int member);

    // Width in pixels of a name drawn with the battle's label text: 17 a unit.
    float GetBattleLabelWidth(const char16_t*, int length) { return 17.0f * static_cast<float>(length); }

    // The party's numbers as they change, each capped and kept as digits.
    void SetHudHp(int member, int value);
    void SetHudMaxHp(int member, int value);
    void SetHudSp(int member, int value);
    void SetHudMaxSp(int member, int value);
    void SetHudSt(int member, int value);
    void SetHudMaxSt(int member, int value);
    void SetHudColumnValue(int row, int value);
    void SetHudColumnMaxima(const std::int16_t* maxima);
    void SetHudHitCount(int value);
    void SetHudLevel(int member, int value);
    void SetHudExp(int member, int value);
    void SetHudGold(std::uint32_t value);
    void SetHudMemberValueA(int member, int stat, int value);
    void SetHudMemberValueB(int member, int stat, int value);

    // The decimal digits of a non-negative value, most significant first,
    // NUL-terminated; their count.
    static std::int8_t SplitDigits(std::uint32_t value, char16_t* out);

    TexturedVertex backdropQuad[4];
    TexturedVertex stripQuad[4];
    TexturedVertex menuPanelQuad[4];
    TexturedVertex markQuads[HUD_MEMBERS][4];
    TexturedVertex menuMarkQuads[HUD_MEMBERS][4];
    TexturedVertex menuIconQuads[HUD_MEMBERS][4];
    CTexture* backdropTexture;
    CTexture* iconTexture;
    CTexture* menuPanelTexture;

    char16_t HudHpText[HUD_MEMBERS][6];
    char16_t HudMaxHpText[HUD_MEMBERS][6];
    char16_t HudSpText[HUD_MEMBERS][6];
    char16_t HudMaxSpText[HUD_MEMBERS][6];
    char16_t HudStText[HUD_MEMBERS][6];
    char16_t HudMaxStText[HUD_MEMBERS][6];
    char16_t HudStockText[HUD_STOCKS][4];
    char16_t HudStockMaxText[HUD_STOCKS][4];
    char16_t HudLevelText[HUD_MEMBERS][4];
    char16_t HudExpText[HUD_MEMBERS][5];
    char16_t HudHitText[4];
    char16_t HudItemWaitText[4];
    char16_t HudMoneyText[9];
    char16_t HudStatTextA[HUD_MEMBERS][HUD_STATS][5];
    char16_t HudStatTextB[HUD_MEMBERS][HUD_STATS][5];
    std::int16_t HudItemWaitShown;
    std::int8_t HudHpDigits[HUD_MEMBERS];
    std::int8_t HudMaxHpDigits[HUD_MEMBERS];
    std::int8_t HudSpDigits[HUD_MEMBERS];
    std::int8_t HudMaxSpDigits[HUD_MEMBERS];
    std::int8_t HudStDigits[HUD_MEMBERS];
    std::int8_t HudMaxStDigits[HUD_MEMBERS];
    std::int8_t HudStockDigits[HUD_STOCKS];
    std::int8_t HudStockMaxDigits[HUD_STOCKS];
    std::int8_t HudLevelDigits[HUD_MEMBERS];
    std::int8_t HudExpDigits[HUD_MEMBERS];
    std::int8_t HudHitDigits;
    std::int8_t HudItemWaitDigits;
    std::int8_t HudMoneyDigits;
    std::int8_t HudStatDigitsA[HUD_MEMBERS][HUD_STATS];
    std::int8_t HudStatDigitsB[HUD_MEMBERS][HUD_STATS];
    // Per member the digit width of its column: the larger of 3 and its maximum HP's digits.
    std::int8_t HudColumnWidth[HUD_MEMBERS];
    std::uint32_t packedWord; // bits 0-1: the backdrop kind

private:
    void DrawHudTexts();
    void DrawHudTextsInMenu();
    bool DrawMemberTexts(int member, float z);
    bool DrawItemWait(float z);
    bool MakeTextObjects();
    void LoadPanelTextures();
    void FillQuads();
    void SetBackdropUv();
};
