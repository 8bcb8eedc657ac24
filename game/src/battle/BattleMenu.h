// The battle command menu: while the battle phase is the menu, the battle
// stands still and the player uses items, orders the third member's magic
// and skills, assigns the shortcut buttons, changes the battle settings and
// escapes. One object, a member of the game object, reached through
// TheBattleMenu. It also owns the game-over choice window and the result
// window of a won battle, which share its frames, texts and cursor.
//
// The 32 battle frames are the fixed-window set's cursor frames 0-31: the
// menu lays them out once and resizes some of them as lists change.
#pragma once

#include <cstdint>

#include "menu/MenuServices.h"
#include "platform/Device.h"

class CTexture;

// The menu's states, one window (or sub-window) with one cursor each.
enum BattleMenuStateNumber : int {
    BATTLE_MENU_COMMAND = 0,
    BATTLE_MENU_ITEMS = 1,
    BATTLE_MENU_ITEM_TARGET = 2,
    BATTLE_MENU_MAGIC = 3,
    BATTLE_MENU_MAGIC_TARGET = 4,
    BATTLE_MENU_SKILL_MEMBER = 5,
    BATTLE_MENU_SKILLS = 6,
    BATTLE_MENU_SKILL_TARGET = 7,
    BATTLE_MENU_SETTINGS = 8,
    BATTLE_MENU_SHORTCUT_SLOTS = 9,
    BATTLE_MENU_SHORTCUT_ACTION = 10,
    BATTLE_MENU_SHORTCUT_ITEM = 11,
    BATTLE_MENU_SHORTCUT_MAGIC = 12,
    BATTLE_MENU_SHORTCUT_SKILL = 13,
    BATTLE_MENU_LEADER = 14,
    BATTLE_MENU_AI_MAGIC = 15,
    BATTLE_MENU_HEAL_PERCENT = 16,
    BATTLE_MENU_PRAYER_PERCENT = 17,
    BATTLE_MENU_GROUP_HEAL_PERCENT = 18,
    BATTLE_MENU_AILMENTS = 19,
    BATTLE_MENU_INTERRUPT = 20,
    BATTLE_MENU_ITEM_PRIORITY = 21,
    BATTLE_MENU_CHANT_CHECK = 22,
    BATTLE_MENU_ESCAPE = 23,
    BATTLE_MENU_STATE_COUNT = 24,
};

// The battle frames (cursor frames of the fixed-window set) by what they frame.
enum BattleFrame : int {
    BATTLE_FRAME_DESCRIPTION = 0,
    BATTLE_FRAME_COMMAND = 1,
    BATTLE_FRAME_REMAIN = 2,
    BATTLE_FRAME_ITEM_LAST = 3, // fitted to the last page's rows
    BATTLE_FRAME_ITEM_FULL = 4,
    BATTLE_FRAME_ITEM_TARGET = 5,
    BATTLE_FRAME_MAGIC_LAST = 6,
    BATTLE_FRAME_MAGIC_FULL = 7,
    BATTLE_FRAME_MAGIC_TARGET = 8,
    BATTLE_FRAME_SKILL_MEMBERS = 9,
    BATTLE_FRAME_SKILLS = 10,
    BATTLE_FRAME_SKILL_TARGET = 11,
    BATTLE_FRAME_SETTINGS = 12,
    BATTLE_FRAME_SHORTCUT_SLOTS = 13,
    BATTLE_FRAME_SHORTCUT_ACTION = 14,
    BATTLE_FRAME_SHORTCUT_ITEM_LAST = 15,
    BATTLE_FRAME_SHORTCUT_ITEM_FULL = 16,
    BATTLE_FRAME_SHORTCUT_MAGIC_LAST = 17,
    BATTLE_FRAME_SHORTCUT_MAGIC_FULL = 18,
    BATTLE_FRAME_SHORTCUT_SKILLS = 19,
    BATTLE_FRAME_LEADER = 20,
    BATTLE_FRAME_AI_MAGIC = 21,
    BATTLE_FRAME_PERCENT = 22,
    BATTLE_FRAME_AILMENTS = 23,
    BATTLE_FRAME_INTERRUPT = 24,
    BATTLE_FRAME_ITEM_PRIORITY = 25,
    BATTLE_FRAME_CHANT_CHECK = 26,
    BATTLE_FRAME_ESCAPE = 27,
    BATTLE_FRAME_CHOICE = 28,
    BATTLE_FRAME_RESULT = 29,
    BATTLE_FRAME_RESULT_MEMBERS = 30,
    BATTLE_FRAME_RESULT_ITEMS = 31,
    BATTLE_FRAME_COUNT = 32,
};

// The text origins of TextPos by what starts there.
enum BattleTextOrigin : int {
    BATTLE_TEXT_ITEMS_ENTRY = 0,
    BATTLE_TEXT_COMMANDS = 1,
    BATTLE_TEXT_ESCAPE_ENTRY = 2,
    BATTLE_TEXT_REMAIN = 3,
    BATTLE_TEXT_ITEM_PAGE_FULL = 4,
    BATTLE_TEXT_ITEM_PAGE_LAST = 5,
    BATTLE_TEXT_ITEM_COUNTS = 6,
    BATTLE_TEXT_DURATION = 7,
    BATTLE_TEXT_SHORTCUT_ITEM_PAGE_FULL = 8,
    BATTLE_TEXT_SHORTCUT_ITEM_PAGE_LAST = 9,
    BATTLE_TEXT_SHORTCUT_ITEM_COUNTS = 10,
    BATTLE_TEXT_MAGIC_PAGE_FULL = 11,
    BATTLE_TEXT_MAGIC_PAGE_LAST = 12,
    BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_FULL = 13,
    BATTLE_TEXT_SHORTCUT_MAGIC_PAGE_LAST = 14,
    BATTLE_TEXT_SHORTCUT_SKILLS = 15,
    BATTLE_TEXT_ESCAPE_WINDOW = 16,
    BATTLE_TEXT_CHOICE = 17,
    BATTLE_TEXT_ORIGIN_COUNT = 18,
};

// The menu texture's icon cells (16 × 16, one row).
enum BattleMenuIcon : int {
    BATTLE_ICON_ITEM = 0,
    BATTLE_ICON_SKILL_FIRST = 1, // + member
    BATTLE_ICON_MAGIC = 8,
    BATTLE_ICON_COUNT = 9,
    BATTLE_ICON_HAND = 15,
};

// Window colour sets of the battle frames: the window holding the cursor,
// and a window left open behind it.
constexpr int BATTLE_WINDOW_ACTIVE = 0;
constexpr int BATTLE_WINDOW_BEHIND = 1;

// Text colours (ARGB) of the menu windows.
constexpr std::uint32_t BATTLE_TEXT_BLACK = 0xFF000000u;
constexpr std::uint32_t BATTLE_TEXT_WHITE = 0xFFFFFFFFu;
constexpr std::uint32_t BATTLE_TEXT_UNUSABLE = 0xFF989898u;        // in an active window
constexpr std::uint32_t BATTLE_TEXT_UNUSABLE_BEHIND = 0xFF4C4C4Cu; // in a window behind
constexpr std::uint32_t BATTLE_LIST_UNUSABLE = 0xFF888888u;        // in an active list
constexpr std::uint32_t BATTLE_LIST_UNUSABLE_BEHIND = 0xFF444444u; // in a list behind

// Depths of the menu's windows (smaller is nearer).
constexpr float BATTLE_MENU_DEPTH_BACK = 0.0499f;
constexpr float BATTLE_MENU_DEPTH_LIST = 0.0497f;
constexpr float BATTLE_MENU_DEPTH_SUB = 0.0495f;
constexpr float BATTLE_MENU_DEPTH_SKILL_TARGET = 0.0493f;
constexpr float BATTLE_MENU_DEPTH_SHORTCUT = 0.0491f;
constexpr float BATTLE_MENU_CURSOR_DEPTH = 0.01f;

// Rows of every battle window are 18 pixels apart; lists show 10 a page.
constexpr float BATTLE_MENU_ROW_HEIGHT = 18.0f;
constexpr int BATTLE_LIST_PAGE_ROWS = 10;
constexpr int BATTLE_SETTING_COUNT = 10;
constexpr int BATTLE_COUNT_TEXT_CHARS = 40;

// The two sizes of a target window: "使う"/"やめる", or three members and "やめる".
enum BattleTargetKind : std::uint8_t {
    BATTLE_TARGET_USE = 0,
    BATTLE_TARGET_MEMBERS = 1,
};

class CBattleMenu {
public:
    CBattleMenu() = default;
    // The menu owns its texture, whether or not the scene released it.
    ~CBattleMenu() { delete MenuTexture; }
    CBattleMenu(const CBattleMenu&) = delete;
    CBattleMenu& operator=(const CBattleMenu&) = delete;

    // --- Construction, layout and the cursor ---
    void InitBattleMenu();
    void ReleaseBattleMenu();
    void LayoutBattleMenu();
    void AlignBattleMenuCursorX(float frameLeft);
    void SetBattleMenuCursorX(float frameLeft, float offset);
    void SetBattleMenuCursorRow(float frameTop, int row);
    // current + step, wrapping over `count` rows; on a change the cursor
    // sound and the cursor moved to the new row of the frame whose top is given.
    int StepBattleMenuCursor(int current, int step, int count, float frameTop);
    // One column of rows by the direction keys; true when a key stepped.
    bool MoveBattleMenuCursor(std::int8_t& cursor, int count);
    bool MoveBattleMenuCursor(std::uint8_t& cursor, int count);
    void DrawBattleMenuCursor();

    // --- The state machine ---
    void UpdateBattleMenu();
    void EnterBattleMenuState(int state);
    void SetBattleMenuState(int state);
    void RefreshBattleMenuWindow(int state, bool rebuild);
    void RefreshItemListWindow(int frame, int returnState, int originA, int originB, bool rebuild);
    void RefreshMagicListWindow(int frame, int returnState, int originA, int originB, bool rebuild);
    void CloseBattleMenu();

    // --- The game-over choice window and the result window ---
    void OpenBattleChoice();
    // 0 while no row is chosen, else the chosen row + 1.
    int UpdateBattleChoice();
    void DrawBattleChoice();
    void PrepareBattleResult();
    void DrawBattleResult();

    // --- Drawing: the menu frame, the icons and the list helpers ---
    void DrawBattleMenu();
    void DrawRemainCountWindow();
    void SetBattleMenuDigit(int n);
    void DrawMenuIcon(int cell);
    void DrawMenuIconAt(int cell, float x, float y, float z, std::uint32_t colour);
    void BuildItemCountText(const std::int16_t* list, std::int16_t count);
    void BuildListPageText(PageNumberLine& record, int page, int pages);
    static void SetOrAddMenuValue(int value, bool replace, std::int32_t* target);
    // Up and down wrap within the page, right and left turn it; true only
    // when a page was turned.
    bool MoveListCursorWithPages(int rowsPerPage, std::int32_t* index, std::int32_t* count, std::int32_t* page,
                                 std::int32_t* pages, std::int8_t* rowsOnPage);
    bool TurnListPage(int rowsPerPage, bool forward, bool restartRepeat, std::int32_t* index, std::int32_t* count,
                      std::int32_t* page, std::int32_t* pages, std::int8_t* rowsOnPage);
    void PlaceTargetFrame(int frame, int anchorFrame, int row, std::int8_t kind);
    // One text of a menu window with the battle text object; a failure is
    // reported with the caller's line and answers false.
    static bool DrawBattleMenuText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int bound,
                                   int line, float lineAdvance = 0.0f, float lineWidth = 65536.0f);

    // --- Lists and descriptions ---
    void DrawItemListWindow();
    void DrawMagicListWindow();
    void DrawItemDescription(int item);
    void DrawMagicDescription(int magic);
    void DrawSkillDescription(int member, int skill);
    void DrawAilmentDescription(int ailment);
    void DrawTargetWindow(int frame, float depth, const std::uint8_t mask[3], std::uint8_t kind);
    void DrawSkillMemberWindow();
    void DrawSkillListWindow();

    // --- Settings, shortcut, option and escape windows ---
    void DrawSettingListWindow();
    void DrawSettingHelp();
    // Draw at the pen and move it right; false when a text failed.
    bool DrawButtonLabel(MenuTextOrigin& pen, int button);
    bool DrawPlusSign(MenuTextOrigin& pen);
    void DrawShortcutSlotWindow();
    void DrawShortcutDescription();
    void DrawShortcutActionWindow();
    void DrawShortcutItemList();
    void DrawShortcutMagicList();
    void DrawShortcutSkillList();
    void DrawLeaderChoiceWindow();
    void DrawAiMagicChoiceWindow();
    void DrawPercentChoiceWindow();
    void DrawInterruptChoiceWindow();
    void DrawItemPriorityChoiceWindow();
    void DrawChantCheckChoiceWindow();
    void DrawAilmentToggleWindow();
    void DrawEscapeWindow();

    // --- Fields ---
    CTexture* MenuTexture;
    TexturedVertex CursorQuad[4];
    TexturedVertex IconQuad[4];
    PageNumberLine PageText;
    MenuTextOrigin TextPos[BATTLE_TEXT_ORIGIN_COUNT];
    float CursorIconU[4], CursorIconV[4];
    float IconU[BATTLE_ICON_COUNT][4];
    float IconV[4];
    float CursorX, CursorY;
    std::int32_t CursorFrame;
    std::int32_t BattleMenuState;
    std::int32_t ListIndex;
    std::int32_t ListPage;
    std::int32_t ListPageCount;
    std::int32_t ListCount;
    std::int32_t SettingIndex;
    std::int32_t SettingPage;
    std::int32_t SettingPageCount;
    std::int32_t SettingCount;
    char16_t RemainText[5];
    char16_t CountText[BATTLE_COUNT_TEXT_CHARS];
    char16_t ExpText[7], GoldText[7], HitText[7];
    std::uint8_t TargetMask[3];
    std::uint8_t TopCursor;
    std::int8_t ListRows;
    std::uint8_t CountTextLength;
    std::int8_t TargetCursor;
    std::uint8_t TargetKind;
    std::int8_t SkillMember;
    std::int8_t SkillIndex;
    std::int8_t SettingRows;
    std::int8_t ShortcutSlot;
    std::int8_t ShortcutAction;
    std::int8_t OptionValue;
    std::int8_t OptionCount;
    std::int8_t EscapeCursor;
    std::int8_t ChoiceCursor;
    std::uint8_t ResultDigits;
    std::uint32_t flags; // bit 0: CanEscape

    static constexpr std::uint32_t kCanEscape = 1u;
    bool CanEscape() const { return (flags & kCanEscape) != 0; }

private:
    // The state handlers, one a state or family of states.
    void UpdateCommandState();
    void UpdateItemListState();
    void UpdateItemTargetState();
    void UpdateMagicListState();
    void UpdateMagicTargetState();
    void UpdateSkillMemberState();
    void UpdateSkillListState();
    void UpdateSkillTargetState();
    void UpdateBattleSettingStates();
    void UpdateSettingListState();
    void UpdateShortcutSlotState();
    void UpdateShortcutActionState();
    void UpdateShortcutItemState();
    void UpdateShortcutMagicState();
    void UpdateShortcutSkillState();
    void UpdateOptionState();
    void UpdateAilmentToggleState();
    void UpdateEscapeState();

    // The actions the handlers share.
    void EnterWithConfirm(int state);
    void BackTo(int state);
    void Refuse();
    void CloseWithSound(int sound);
    void MoveStateCursor(std::int8_t& cursor, int count);
    void MoveStateCursor(std::uint8_t& cursor, int count);
    void PageMoveList();
    void PageMoveSettings();
    void ClearRepeatAndSwing();
    void ApplyOptionValue();
    void ToggleSelectedMagic();
    void ToggleSelectedSkill(int member);
    void AssignSelectedSkill(std::uint32_t buttons);
    void WriteSelectedSlot(int kind, int id);
    void RefreshTargetWindow(int state);
    bool FitListWindow(int frame, int returnState, bool rebuild, int count, float pageTextRoom);
    void PlacePageText(int frame, int originA, int originB);
    void SetOptionEntry(int count, std::uint32_t value);
    int StateCursorRow(int state) const;
};
