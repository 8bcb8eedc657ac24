// The whole menu once a frame: the command column, the windows of the
// current mode and of the modes that lead to it (dimmed behind it), and the
// cursor.
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "record/Pipkorn.h"

namespace {

constexpr float kActiveColumnDepth = 0.3f;
constexpr float kDimmedColumnDepth = 0.4f;
constexpr float kDimmedOffset = 0.1f;
constexpr float kTextNearer = 0.001f;
constexpr float kRowAdvance = 26.0f;
constexpr float kChoiceDepth = 0.295f;

// The texts of the two command columns: the first row, the rest as one
// text (the top column's sixth line is left for "移動", drawn by itself).
constexpr char16_t kItems[] = u"道具";
constexpr char16_t kTopRest[] = u"魔法\n装備\n特技\n情報\n設定\n\n記録";
constexpr char16_t kTransfer[] = u"移動";
constexpr char16_t kRetryRest[] = u"魔法\n装備\n特技\n設定\n再開";
constexpr int Length(const char16_t* text)
{
    int n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

// What a row that can be chosen or not looks like on the active or a dimmed window.
std::uint32_t ChoiceColour(bool active, bool choosable)
{
    if (active)
        return choosable ? MENU_TEXT_WHITE : MENU_TEXT_GREY;
    return choosable ? MENU_TEXT_GREY : MENU_TEXT_DARK_GREY;
}

// The drawers of the pages, in the order a mode calls them.
enum PageDrawer : int {
    kEnd,
    kPartyWindows,
    kPlaceWindow,
    kDescription,
    kItemDescription,
    kMagicDescription,
    kItemList,
    kItemTarget,
    kMagicList,
    kMagicTarget,
    kEquipMember,
    kEquippedDescription,
    kEquipSlot,
    kEquipList,
    kNoCandidate,
    kSkillMember,
    kSkillList,
    kInfoMenu,
    kMemberStatus,
    kPlayRecords,
    kEnemyRecords,
    kSettingsList,
    kSettingsPage,
    kSettingChoices,
    kCureAilments,
    kShortcutList,
    kShortcutDetail,
    kShortcutKind,
    kShortcutItems,
    kShortcutMagic,
    kShortcutSkills,
    kLearnDescription,
    kLearnList,
    kLearnPoints,
    kLearnConfirm,
    kTransferList,
    kRecordMenu,
    kSaveSlots,
    kSlotConfirm,
    kTitleQuitConfirm,
};

struct ModePages {
    PageDrawer drawers[6];
};

constexpr ModePages kTopPages = {{kPartyWindows, kPlaceWindow}};
constexpr ModePages kValuePages = {{kSettingsList, kPartyWindows, kSettingsPage, kSettingChoices}};
constexpr ModePages kSlotPages = {{kPlaceWindow, kRecordMenu, kSaveSlots}};
constexpr ModePages kConfirmPages = {{kPartyWindows, kPlaceWindow, kRecordMenu, kTitleQuitConfirm}};

constexpr ModePages kModePages[MENU_MODE_COUNT] = {
    kTopPages,                                                                     // 0
    {{kPartyWindows, kDescription, kItemDescription, kItemList}},                  // 1
    {{kItemList, kPartyWindows, kDescription, kItemDescription, kItemTarget}},     // 2
    {{kPartyWindows, kDescription, kMagicDescription, kMagicList}},                // 3
    {{kMagicList, kPartyWindows, kDescription, kMagicDescription, kMagicTarget}},  // 4
    {{kPartyWindows, kPlaceWindow, kEquipMember}},                                 // 5
    {{kEquipMember, kPartyWindows, kEquippedDescription, kEquipSlot}},             // 6
    {{kEquipMember, kEquipSlot, kEquipList}},                                      // 7
    {{kEquipMember, kEquipSlot, kNoCandidate}},                                    // 8
    {{kPartyWindows, kPlaceWindow, kSkillMember}},                                 // 9
    {{kSkillMember, kPartyWindows, kSkillList}},                                   // 10
    {{kPartyWindows, kPlaceWindow, kInfoMenu}},                                    // 11
    {{kInfoMenu, kMemberStatus}},                                                  // 12
    {{kInfoMenu, kPlayRecords}},                                                   // 13
    {{kEnemyRecords}},                                                             // 14
    {{kPartyWindows, kSettingsPage, kSettingsList}},                               // 15
    {{kSettingsList, kShortcutDetail, kShortcutList}},                             // 16
    {{kSettingsList, kShortcutList, kShortcutDetail, kShortcutKind}},              // 17
    {{kSettingsList, kShortcutList, kShortcutKind, kShortcutItems}},               // 18
    {{kSettingsList, kShortcutList, kShortcutKind, kShortcutMagic}},               // 19
    {{kSettingsList, kShortcutList, kShortcutKind, kShortcutSkills}},              // 20
    {{kSettingsList, kLearnDescription, kLearnList, kLearnPoints}},                // 21
    {{kSettingsList, kLearnList, kLearnDescription, kLearnPoints, kLearnConfirm}}, // 22
    kValuePages,                                                                   // 23
    kValuePages,                                                                   // 24
    kValuePages,                                                                   // 25
    kValuePages,                                                                   // 26
    kValuePages,                                                                   // 27
    kValuePages,                                                                   // 28
    kValuePages,                                                                   // 29
    kValuePages,                                                                   // 30
    kValuePages,                                                                   // 31
    kValuePages,                                                                   // 32
    kValuePages,                                                                   // 33
    {{kSettingsList, kPartyWindows, kCureAilments}},                               // 34
    kValuePages,                                                                   // 35
    kValuePages,                                                                   // 36
    kValuePages,                                                                   // 37
    {{kPartyWindows, kPlaceWindow, kTransferList}},                                // 38
    {{kPartyWindows, kPlaceWindow, kRecordMenu}},                                  // 39
    kSlotPages,                                                                    // 40
    kSlotPages,                                                                    // 41
    {{kPlaceWindow, kRecordMenu, kSaveSlots, kSlotConfirm}},                       // 42
    kConfirmPages,                                                                 // 43
    kConfirmPages,                                                                 // 44
    {{kEnd}},  // 45: the event layer draws the shop lists
    {{kEnd}},  // 46
    kTopPages, // 47
};

} // namespace

void CMapMenu::DrawMapMenu()
{
    if (openedOnMap) {
        // A text that cannot be drawn ends the menu's drawing for the frame.
        if (mode != MenuInfoEnemies && !DrawTopColumn())
            return;
    } else {
        DrawRetryColumn();
    }
    if (IsMenuMode(mode))
        DrawModePages();
    if (mode != MenuInfoMember && mode != MenuInfoRecords)
        DrawMenuCursor();
}

bool CMapMenu::DrawTopColumn()
{
    const bool active = mode == MenuTop;
    const float depth = active ? kActiveColumnDepth : kDimmedColumnDepth;
    TheFixedWindowSet->DrawFixedWindowAtDepth(MENU_TOP_WINDOW, active ? 0 : 1, depth);
    for (int origin : {ORIGIN_TOP_FIRST, ORIGIN_TOP_REST, ORIGIN_TOP_TRANSFER})
        textOrigins[origin].z = depth - kTextNearer;
    const bool itemsHeld = TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] > 0;
    const bool transfers = TheMap->Header().AllowsTransfers();
    const MenuTextOrigin& first = textOrigins[ORIGIN_TOP_FIRST];
    const MenuTextOrigin& rest = textOrigins[ORIGIN_TOP_REST];
    const MenuTextOrigin& transfer = textOrigins[ORIGIN_TOP_TRANSFER];
    return DrawMenuText(first.x, first.y, first.z, ChoiceColour(active, itemsHeld), kItems, Length(kItems), __LINE__) &&
           DrawMenuText(rest.x, rest.y, rest.z, active ? MENU_TEXT_WHITE : MENU_TEXT_GREY, kTopRest, Length(kTopRest),
                        __LINE__, kRowAdvance) &&
           DrawMenuText(transfer.x, transfer.y, transfer.z, ChoiceColour(active, transfers), kTransfer,
                        Length(kTransfer), __LINE__);
}

// The game over's retry menu: its own column in place of the top column.
void CMapMenu::DrawRetryColumn()
{
    const bool active = mode == MenuRetry;
    const float depth = active ? kActiveColumnDepth : kDimmedColumnDepth;
    TheFixedWindowSet->DrawFixedWindowAtDepth(MENU_RETRY_WINDOW, active ? 0 : 1, depth);
    const bool itemsHeld = TheGameData->categoryListCount[ITEM_CATEGORY_ITEM] > 0;
    const auto& rect = TheFixedWindowSet->windowRects[MENU_RETRY_WINDOW];
    const float x = rect.left + 10.0f;
    const float y = rect.top + 10.0f;
    const float z = depth - kTextNearer;
    if (DrawMenuText(x, y, z, ChoiceColour(active, itemsHeld), kItems, Length(kItems), __LINE__))
        DrawMenuText(x, y + kRowAdvance, z, active ? MENU_TEXT_WHITE : MENU_TEXT_GREY, kRetryRest, Length(kRetryRest),
                     __LINE__, kRowAdvance);
}

void CMapMenu::DrawModePages()
{
    for (PageDrawer drawer : kModePages[mode].drawers) {
        switch (drawer) {
        case kEnd:
            return;
        case kPartyWindows:
            DrawMenuPartyWindows();
            break;
        case kPlaceWindow:
            DrawMenuPlaceWindow();
            break;
        case kDescription:
            TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
            break;
        case kItemDescription:
            DrawItemDescription(ListedItem());
            break;
        case kMagicDescription:
            DrawMagicDescription(ListedMagic(), true);
            break;
        case kItemList:
            DrawItemList();
            break;
        case kItemTarget:
            DrawMemberChoiceWindow(MENU_ITEM_TARGET_WINDOW, kChoiceDepth, targetMask, targetKind != 0);
            break;
        case kMagicList:
            DrawMagicList();
            break;
        case kMagicTarget:
            DrawMemberChoiceWindow(MENU_MAGIC_TARGET_WINDOW, kChoiceDepth, targetMask, targetKind != 0);
            break;
        case kEquipMember:
            DrawEquipMemberWindow();
            break;
        case kEquippedDescription:
            DrawEquippedItemDescription();
            break;
        case kEquipSlot:
            DrawEquipSlotWindow();
            break;
        case kEquipList:
            DrawEquipCandidateList();
            break;
        case kNoCandidate:
            DrawNoCandidateWindow();
            break;
        case kSkillMember:
            DrawSkillMemberWindow();
            break;
        case kSkillList:
            DrawSkillListWindow();
            break;
        case kInfoMenu:
            DrawInfoMenuWindow();
            break;
        case kMemberStatus:
            DrawMemberStatusWindow(infoCursor);
            break;
        case kPlayRecords:
            DrawPlayRecordsWindow();
            break;
        case kEnemyRecords:
            DrawEnemyRecordsPage();
            break;
        case kSettingsList:
            DrawSettingsList();
            break;
        case kSettingsPage:
            DrawSettingsPage();
            break;
        case kSettingChoices:
            DrawSettingChoices();
            break;
        case kCureAilments:
            DrawCureAilmentWindow();
            break;
        case kShortcutList:
            DrawShortcutList();
            break;
        case kShortcutDetail:
            DrawShortcutDetail();
            break;
        case kShortcutKind:
            DrawShortcutKindWindow();
            break;
        case kShortcutItems:
            DrawShortcutItemList();
            break;
        case kShortcutMagic:
            DrawShortcutMagicList();
            break;
        case kShortcutSkills:
            DrawShortcutSkillList();
            break;
        case kLearnDescription:
            DrawLearnDescription();
            break;
        case kLearnList:
            DrawMagicLearnList();
            break;
        case kLearnPoints:
            DrawLearnPointsWindow();
            break;
        case kLearnConfirm:
            DrawLearnConfirmWindow();
            break;
        case kTransferList:
            DrawTransferList();
            break;
        case kRecordMenu:
            DrawRecordMenu(mode == MenuRecord);
            break;
        case kSaveSlots:
            DrawSaveSlotWindow(MENU_SLOT_WINDOW, mode != MenuSlotConfirm, false);
            break;
        case kSlotConfirm:
            DrawSlotConfirmWindow();
            break;
        case kTitleQuitConfirm:
            if (mode == MenuTitleConfirm)
                DrawTitleConfirmWindow();
            else
                DrawQuitConfirmWindow();
            break;
        }
    }
}

// The current mode's window in the normal colours at its depth; a window of
// a mode leading to it dimmed and further back.
void CMapMenu::DrawPageFrame(int window, bool active)
{
    const float depth = WindowDepth(window) + (active ? 0.0f : kDimmedOffset);
    TheFixedWindowSet->DrawFixedWindowAtDepth(window, active ? 0 : 1, depth);
}
