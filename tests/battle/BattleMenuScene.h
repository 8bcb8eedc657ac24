// One command menu scene for the screen logs and the pictures: twelve held
// battle items (two pages), six magic of which three may be cast, shortcuts
// of every kind, some ailments cured, and per state the menu fields the
// state machine leaves when it gets there.
#pragma once

#include <cstdint>

#include "battle/BattleMenu.h"
#include "party/Character.h"
#include "party/PartyWords.h"
#include "record/Pipkorn.h"

namespace battlemenuscene {

constexpr int kStates = BATTLE_MENU_STATE_COUNT;
constexpr int kHeldItems = 12;

inline void SetUpScene(GameData& data, CCharacter& party, CBattleMenu& menu)
{
    for (int id = 0; id < kHeldItems; ++id) {
        data.battleItemList[id] = static_cast<std::int16_t>(id);
        data.heldItems[id] = static_cast<std::int8_t>(id * 3 + 1);
    }
    data.battleItemCount = kHeldItems;
    const int magic[] = {0, 5, 12, 16, 18, 21};
    data.magicListCount = 0;
    for (int id : magic)
        data.magicList[data.magicListCount++] = static_cast<std::int8_t>(id);
    party.autoMagicAllowed[0] = party.autoMagicAllowed[16] = party.autoMagicAllowed[18] = 1;
    party.memberOptions[2][1] = 1;
    party.memberOptions[0][1] = party.memberOptions[0][2] = 1;
    party.curableMask = 0x5A5A0u;
    party.quickSlots[0][2] = {1, 16};
    party.quickSlots[0][3] = {2, 3};
    party.quickSlots[0][4] = {4, 1};
    party.quickSlots[1][1] = {3, 0};
    party.quickSlots[1][5] = {2, 6};
    LeaderField::Set(party.partyWordC, 1);
    HpThresholdA::Set(party.partyWordC, 5);
    EscapeAllowed::Set(party.partyWordD, 1);
    ItemUsesLimited::Set(party.partyWordD, 1);
    menu.TargetMask[0] = 1;
    menu.TargetMask[1] = 0;
    menu.TargetMask[2] = 3;
    menu.flags = CBattleMenu::kCanEscape;
}

// The settings row each settings state opens from.
inline int SettingRowOfState(int state)
{
    switch (state) {
    case BATTLE_MENU_LEADER:
        return 1;
    case BATTLE_MENU_AI_MAGIC:
        return 2;
    case BATTLE_MENU_HEAL_PERCENT:
        return 3;
    case BATTLE_MENU_PRAYER_PERCENT:
        return 4;
    case BATTLE_MENU_GROUP_HEAL_PERCENT:
        return 5;
    case BATTLE_MENU_AILMENTS:
        return 6;
    case BATTLE_MENU_INTERRUPT:
        return 7;
    case BATTLE_MENU_ITEM_PRIORITY:
        return 8;
    case BATTLE_MENU_CHANT_CHECK:
        return 9;
    default:
        return 0;
    }
}

inline bool ShowsMagicList(int state)
{
    return state == BATTLE_MENU_MAGIC || state == BATTLE_MENU_MAGIC_TARGET || state == BATTLE_MENU_SHORTCUT_MAGIC;
}

inline void PrepareState(CBattleMenu& menu, const GameData& data, int state)
{
    menu.BattleMenuState = state;
    menu.ListIndex = ShowsMagicList(state) ? 2 : 1;
    menu.ListPage = 0;
    menu.ListRows = ShowsMagicList(state) ? data.magicListCount : BATTLE_LIST_PAGE_ROWS;
    menu.ListPageCount = ShowsMagicList(state) ? 1 : 2;
    menu.SkillMember = state == BATTLE_MENU_SKILL_MEMBER ? 0 : 2;
    menu.SkillIndex = 0;
    menu.SettingIndex = SettingRowOfState(state);
    menu.SettingRows = BATTLE_SETTING_COUNT;
    menu.ShortcutSlot = 5;
    menu.OptionValue = 3;
    menu.TargetKind = state == BATTLE_MENU_ITEM_TARGET ? BATTLE_TARGET_USE : BATTLE_TARGET_MEMBERS;
    menu.BuildListPageText(menu.PageText, 0, 2);
    menu.CountTextLength = 0;
    if (state == BATTLE_MENU_ITEMS || state == BATTLE_MENU_ITEM_TARGET || state == BATTLE_MENU_SHORTCUT_ITEM)
        menu.BuildItemCountText(data.battleItemList, data.battleItemCount);
    // A target window opens level with the chosen row of its list.
    const std::int8_t kind = static_cast<std::int8_t>(menu.TargetKind);
    if (state == BATTLE_MENU_ITEM_TARGET)
        menu.PlaceTargetFrame(BATTLE_FRAME_ITEM_TARGET, BATTLE_FRAME_ITEM_LAST, menu.ListIndex, kind);
    if (state == BATTLE_MENU_MAGIC_TARGET)
        menu.PlaceTargetFrame(BATTLE_FRAME_MAGIC_TARGET, BATTLE_FRAME_MAGIC_LAST, menu.ListIndex, kind);
    if (state == BATTLE_MENU_SKILL_TARGET)
        menu.PlaceTargetFrame(BATTLE_FRAME_SKILL_TARGET, BATTLE_FRAME_SKILLS, menu.SkillIndex, kind);
}

} // namespace battlemenuscene
