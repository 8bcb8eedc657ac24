// The field menu: a state machine of 48 modes, each one page or sub-window
// with one cursor, opened on the map and, as the retry menu, at the game
// over. It also lends its cursor, key repeat and list helpers to the battle
// menu, the event windows and the title, and its save-slot list to the title.
#pragma once

#include <cstdint>

#include "core/SceneTrace.h"
#include "media/Texture.h"
#include "menu/MenuEquipTexts.h"
#include "menu/MenuMagicLearn.h"
#include "menu/MenuRecordTexts.h"
#include "record/SaveAndLoad.h"

// One row of the save-slot list.
struct SaveSlotRow {
    char16_t dateText[20]; // "YYYY年MM月DD日hh:mm:ss", 19 characters
    char16_t levelText[3]; // right-aligned in three characters
    std::uint8_t filled;   // 1 when the slot holds a readable save with a time
};

// The fields of one paged list; the main list and the settings list each
// have their own, and the list helpers work on either.
struct MenuListFields {
    std::int32_t pageCount;
    std::int32_t page;
    std::int32_t position; // absolute index of the selected entry
    std::int32_t blinkCounter;
    std::int32_t count;
    std::int8_t rowsOnPage;
};

// "1  /  3": the page text, the width of its first number and the two blanks
// after it plus 6 (the slash is placed by it), and its length.
struct PageNumberLine {
    char16_t text[14];
    float width;
    std::int32_t length;
};

struct MenuTextOrigin {
    float x, y, z;
};

// A number drawn from its own buffer, rebuilt when the value changes.
struct MenuNumberText {
    char16_t text[10];
    std::int32_t length;
};

constexpr int MENU_TEXT_ORIGIN_COUNT = 31;
constexpr int MENU_DURATION_COUNT = 14;
constexpr int MENU_COUNT_TEXT_CHARS = 40;
constexpr int MENU_LEARNABLE_MAGIC = 24;
constexpr int MENU_SHOP_ROWS = 10;
constexpr int MENU_PRICE_CHARS = 9;

class CMapMenu {
public:
    // Construction, release and the party display's reset.
    void InitMapMenu();
    void ReleaseMapMenu();
    void ReleaseEnemyPicture();
    void ResetMapMenuState();

    // Window layout: the rectangles of windows 1-53 and 64 and the text origins.
    void LayoutMapMenuWindows();
    void PlaceDescriptionTextOrigin();
    void InitMapMenuConstants();

    // Modes.
    void UpdateMapMenu();
    void SetMapMenuMode(int mode);
    void PlaceCursorForMode(int mode);
    void CloseMapMenu();
    void RefreshMenuList(int mode, bool rebuild);

    // Drawing.
    void DrawMapMenu();
    void DrawMenuPartyWindows();
    void DrawMenuPlaceWindow();
    void DrawPartyWindowIcon(int window, int kind);
    void DrawMenuCursor();

    // After a use on the map: a map may restore the members and refill the counters.
    void ApplyMapRestoreFlags();

    // The item and magic pages.
    void DrawItemList();
    void DrawMagicList();
    void DrawItemDescription(int item);
    void DrawMagicDescription(int magic, bool revealed);
    void DrawMemberChoiceWindow(int window, float depth, const std::uint8_t states[3], bool perMember);
    // "使用時間" and whole seconds and "秒"; rebuilt only when the value changes.
    void SetDurationText(int seconds);
    // Cost, power (magics 0 to 15), chant time; rebuilt only when the magic changes.
    void SetMagicInfoText(int magic);

    // Cursor placement and swing.
    void PlaceMenuCursorX(float windowLeft);
    void PlaceMenuCursorXOffset(float windowLeft, float offset);
    void PlaceMenuCursorRow(float windowTop, int row);
    void AnimateMenuCursor();
    void ResetMenuCursorAnimation();

    // Key auto-repeat: a held direction repeats after 40 frames, then every 4.
    void StartKeyRepeat(int direction);
    void UpdateKeyRepeat();
    void ResetKeyRepeat();

    // Steps a row index with wrap-around; on a change plays the cursor sound
    // and places the cursor on the new row of the window whose top is given.
    int StepMenuCursor(int current, int step, int rowCount, float windowTop);
    // One step in a grid of `columns` columns and `rows` rows holding `count`
    // entries; the battle menu places its own cursor.
    int StepGridCursor(int current, int direction, int count, int columns, float columnPitch, int rows,
                       bool battleMenu);
    // One column of rows: up and down step (with repeat), right and left jump
    // to the last and first row. True when a key moved the cursor.
    bool MoveMenuCursorByKeys(std::int8_t& cursor, int rowCount);
    bool MoveGridCursorByKeys(std::int8_t& cursor, int count, int columns, float columnPitch, int rows,
                              bool battleMenu);
    // A paged list: up and down wrap within the page, right and left turn it.
    // True when the page was turned.
    bool MoveListCursorByKeys(int rowsPerPage, MenuListFields& list);
    bool TurnListPage(int rowsPerPage, bool forward, bool startRepeat, MenuListFields& list);
    void SetMenuListPosition(int value, bool absolute, std::int32_t& position);
    void OnListPositionChanged();

    // Count column and page-number texts of the lists.
    static void FormatCountText(char16_t out[3], int count);
    static int FormatPageNumberText(PageNumberLine& line, int pageIndex, int pageTotal);
    void BuildPageNumberLine(PageNumberLine& line, int pageIndex, int pageTotal);
    void FormatHeldCountColumn(const std::int16_t* items, int listCount);
    void FormatEquipCountColumn();
    void FormatListedCountColumn();

    // The event shop's two lists in window 55: the goods (mode 45) and the
    // party's items for sale (mode 46), ten rows a page with the prices of
    // the visible rows. The event code moves them with the list helpers and
    // draws them through these.
    void OpenItemListWindow(int listMode, bool rebuild);
    // The equipment preview of the goods under the cursor, then the shop's held count.
    void PreviewShopItem();
    // The held item at a position of the sell list: its sell price, its
    // held count, its table row (with its name length); 0 or none past the end.
    std::uint16_t GetListedItemPrice(int position) const;
    int GetListedItemCount(int position) const;
    const unsigned char* GetListedItemDef(int position, std::uint32_t& nameLength) const;
    // Removes `count` of the item under the list cursor; false, removing
    // nothing, when fewer are held or the cursor is past the list.
    bool ConsumeListedItem(int count);
    void DrawEventShopWindow(bool active);
    void DrawEventItemListWindow(bool active);
    // The goods list's member tab (whose accessory is previewed), wrapping 0-2.
    void CycleEquipTab(bool backwards);
    void DrawShopTabIcon();

    // The record pages (save, load, title, quit, return), the transfer page
    // and the retry menu. The slot rows: which save slots hold a save, with
    // their level and date; the slot part of RefreshMenuList.
    void ReadSaveSlotRows();
    // SaveGame's result; the slot rows are read again either way.
    bool SaveToSelectedSlot();
    void LoadSelectedSlot();
    void ResetChosenSlotIfEmpty();
    void ClearPlayerMark();
    void MeasureTransferPlaceNames();
    void DrawRecordMenu(bool active);
    void DrawSaveSlotWindow(int window, bool active, bool windowDrawnByCaller);
    void DrawSlotConfirmWindow();
    void DrawTitleConfirmWindow();
    void DrawQuitConfirmWindow();
    void DrawTransferList();
    void PlaceWindowAtRowWithRows(int window, int besideWindow, int row, int rows);

    // Asks the game window to close; the program then shuts down.
    void QuitGame();

    // The information pages: the five-row menu, a member's status, the play
    // records and the enemy records.
    void DrawInfoMenuWindow();
    void DrawMemberStatusWindow(int member);
    void PreparePlayRecordTexts();
    void UpdatePlayTimeTexts();
    void DrawPlayRecordsWindow();
    void ShowEnemyRecord(int kind);
    void SelectRecordsEnemy(int kind);
    void DrawEnemyRecordsPage();

    // The settings pages: the list, the description of the row under the
    // cursor, the choice windows and the ailment grid; the shortcut pages;
    // magic learning.
    void DrawSettingsList();
    void DrawSettingsPage();
    // Each advances `x` past what it drew; false when a text could not be drawn.
    bool DrawButtonLabel(float& x, float y, float z, int button);
    bool DrawPlusSign(float& x, float y, float z);
    bool DrawMagicLearnNote(float x, float y, float z);
    void DrawSettingChoices();
    void DrawCureAilmentWindow();
    void DrawShortcutList();
    void DrawShortcutDetail();
    void DrawShortcutKindWindow();
    void DrawShortcutItemList();
    void DrawShortcutMagicList();
    void DrawShortcutSkillList();
    void RefreshMagicLearnStates();
    void DrawMagicLearnList();
    void DrawLearnDescription();
    void DrawLearnPointsWindow();
    void DrawLearnConfirmWindow();

    // The equipment pages: the member, the slot and the candidates with the
    // preview of the one under the cursor; descriptions and comparisons.
    void RefreshEquipList(bool rebuild);
    void SizeEquipListWindow();
    void PreviewEquipCandidate();
    void ComputeEquipPreview(int member, int kind, int candidate);
    // 2 when the figure rises from current to next, 1 when it stays, 0 when it falls.
    static int CompareStatValue(int current, int next);
    int GetEquipListItemId() const;
    void DrawEquipMemberWindow();
    void DrawEquipSlotWindow();
    void DrawEquipCandidateList();
    void DrawNoCandidateWindow();
    void DrawEquippedItemDescription();
    void DrawWeaponDescription(int member, int weapon);
    void DrawArmorDescription(int category, int id);
    void UpdateEquipStatTexts(int category, int id);
    void BuildEquipStatTexts(int category, int id);
    // Sign and digits, no terminator; the characters written.
    static int FormatSignedNumber(std::int16_t value, char16_t* out);
    // The colour marks and the magic attack text of weapon effects 22-31; advances x.
    bool DrawMagicColorEffect(float& x, float y, float z, int effect);
    void DrawWeaponComparison(int window, int member, int candidate, bool unchanged);
    bool DrawWeaponUnchangedColumn(int window, int member, int candidate, float& y, float columnX, int stat);
    void DrawArmorComparison(int window, int member, int kind, int candidate);
    // The skill pages: the member column, the two skills and their description.
    void DrawSkillMemberWindow();
    void DrawSkillListWindow();
    void DrawSkillDescription(int member, int skill);

    // --- Fields ---
    CTexture* enemyPicture;
    SaveSlotRow saveSlots[SAVE_SLOT_COUNT];
    TexturedVertex pictureQuads[2][4];
    PageNumberLine pageLines[2]; // main list, settings list
    std::uint32_t packedWord;    // fields of 15, 7 and 7 bits, all ones when nothing is chosen
    MenuTextOrigin textOrigins[MENU_TEXT_ORIGIN_COUNT];
    float cursorX;
    float cursorSwing;
    float cursorY;
    float rowPitch; // the description's row pitch
    std::int32_t mode;
    std::int32_t homeMode;
    std::int32_t cursorWindow;
    std::int32_t repeatCounters[4];
    std::int32_t swingCounter;
    std::int32_t transferNameWidths[10];
    MenuListFields mainList;
    MenuListFields settingsList;
    std::int32_t valueCount;
    char16_t countText[MENU_COUNT_TEXT_CHARS];
    char16_t useTimeLabel[5];
    char16_t useTimeText[16];
    std::int32_t useTimeLength;
    std::int32_t useTimeSeconds; // the value the text was built for, -1 none
    float useTimeX;
    char16_t magicInfoText[22];
    std::int32_t magicInfoLength;
    MenuNumberText durationTexts[MENU_DURATION_COUNT];
    PlayRecordTexts playRecords;
    EnemyRecordDetail enemyDetail;
    std::uint8_t learnStates[MENU_LEARNABLE_MAGIC]; // MagicLearnState of each magic
    RecordNumber learnPoints;
    std::int16_t markers[4]; // magic info, equipment text, loaded enemy graphic, enemy shown
    std::uint8_t repeatHeld[4];
    std::uint8_t countTextLength;
    std::int8_t topCursor;
    std::int8_t recordRow;
    std::int8_t slotCursor;
    std::int8_t confirmCursor;
    std::int8_t titleQuitCursor;
    std::int8_t targetCursor;
    std::uint8_t targetKind;
    std::uint8_t targetMask[3];
    std::int8_t memberCursor;
    std::int8_t slotKind;
    std::int8_t equipCategory;
    std::int8_t skillCursor;
    std::int8_t infoCursor;
    std::int8_t shortcutButtonCursor;
    std::int8_t shortcutKindCursor;
    std::int8_t displayModeValue;
    std::int8_t controlledMemberValue;
    std::int8_t optionValue;
    std::int8_t learnConfirmCursor;
    std::uint8_t confirmArmed;
    std::uint8_t quitArmed;
    std::uint8_t openedOnMap;
    std::uint8_t resume;
    // The equipment pages' texts; markers[1] keeps the described id, this its category.
    EquipStatTexts equipStatTexts;
    EquipPreview equipPreview;
    std::int8_t equipTextCategory;
    // The shop lists: one price text a visible row, the digits of the
    // longest goods price, the member tab and where the sell list's page
    // text stands on windows 55 and 56.
    char16_t priceTexts[MENU_SHOP_ROWS][MENU_PRICE_CHARS];
    std::uint8_t priceWidth;
    std::uint8_t shopTab;
    MenuTextOrigin shopPageOrigins[2];

private:
    // The equipment and skill pages (modes 5-10).
    void UpdateEquipMember();
    void UpdateEquipSlot();
    void UpdateEquipList();
    void UpdateEquipEmpty();
    void UpdateSkillMember();
    void UpdateSkillList();

    bool EnterMode(int mode);
    bool EnterListMode(int mode);
    void SetSettingValue(int mode, int values, int value);
    std::int8_t& SettingValue(int mode);
    int CursorRowForMode(int mode) const;

    void UpdateMenuTop();
    void UpdateInfoMenu();
    void UpdateSettingsPages();
    void UpdateSettingsList();
    void UpdateSettingChoice();
    void UpdateAilmentGrid();
    void UpdateShortcutButtons();
    void UpdateShortcutKind();
    void UpdateShortcutEntries(bool magic);
    void UpdateShortcutSkill();
    void UpdateMagicLearnList();
    void UpdateMagicLearnConfirm();
    void SetShortcut(int kind, int id);
    void Refuse();
    void BackTo(int page, int sound);
    void UpdateInfoPage();
    void UpdateEnemyRecordsList();
    void PlaceEnemyPicture(int sizeClass);
    void PrepareEnemyRecordTexts(int kind);
    bool DrawEnemyRecordList();
    bool DrawEnemyValueBlock(float y);
    bool DrawEnemyTreasureLine(int kind);
    void UpdateEntryList(bool magic);
    void UpdateEntryTarget(bool magic);
    void UseOnTarget(bool magic);
    void AssignListedShortcut(bool magic, int pushed);
    int ListedItem() const;
    int ListedMagic() const;
    bool LeftWithMenuButton(int pushed);
    void UpdateListWaiting();
    bool ModifierHeld() const;
    void UpdateRecordMenu();
    void UpdateSlotList();
    void UpdateSlotConfirm();
    void UpdateTitleConfirm();
    void UpdateQuitConfirm();
    void UpdateTransferPage();
    void UpdateRetryMenu();
    void PlaceCursorOnModeRow(int mode);

    // False when the mode cannot be shown and was left.
    bool RefreshModeList(int mode, bool rebuild);
    bool RefreshPagedList(int mode, bool rebuild);
    template <typename CountOfEntry> void WriteCountColumn(int listCount, CountOfEntry countOf);
    bool PlaceTargetWindow(int mode);
    bool PlaceLearnConfirmWindow();
    void PlaceSlotConfirmWindow();
    void PlaceWindowAtRow(int window, int besideWindow, int row, int kind);

    bool DrawTopColumn();
    void DrawRetryColumn();
    void DrawModePages();
    void DrawPageFrame(int window, bool active);
    bool DrawPartyColumns(float left, float top);
    bool DrawMoney(float right, float bottom);
    bool DrawColourCounters(float left, float top);
    void DrawPagedListFrame(int lastPageWindow, bool active, int pageOrigin);
    void OpenShopGoodsList(bool rebuild);
    void OpenShopSellList(bool rebuild);
    void ClampShopListPage();
    void PlaceShopSideWindows();
    bool DrawShopGoodsRows(float x, float y, float z, std::uint32_t colour);
    void DrawShopGoodsDetail(int category, int id);
    bool DrawShopSellRows(int window, float z, std::uint32_t colour);
};
