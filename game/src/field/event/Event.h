// The map's events: the records of the current map sorted into lists, which
// of them are live, the triggers that start them, and the interpreter that
// runs a started record's script command by command, with its message
// window, item gifts, party damage and event battles. The event layer (the
// records' pictures) and the small sprite and icon helpers that the windows
// and the field menu share are drawn here too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "field/event/EventCommandTable.h"
#include "field/event/EventScript.h"
#include "media/FixedWindowSet.h"
#include "media/Texture.h"

class CEvent {
public:
    // Record lists, by what selects a record into them.
    enum RecordList : int {
        LIST_ALL_RECORDS, // every record of the map, in load order
        LIST_OBSTACLES,
        LIST_TOUCH,   // trigger class 1
        LIST_CONFIRM, // trigger class 2
        LIST_BLOCK_ARRIVAL,
        LIST_SWITCHES, // kinds 4-7
        LIST_PLATES,   // kinds 8-11
        LIST_TRAPS_A,
        LIST_TRAPS_B,
        LIST_PERIODIC, // trigger classes 7-10
        LIST_ARROW_PICTURES,
        LIST_ARROWS, // kinds 15-16
        RECORD_LIST_COUNT
    };
    static constexpr int kGroupCount = 4;
    static constexpr int kPictureCells = 64;
    static constexpr int kSpriteFrames = 3;
    static constexpr int kIconCount = 9;
    static constexpr int kMessageUnits = 256;
    static constexpr int kItemMessageUnits = 33;
    // Instant commands run back to back in one frame up to this many; the
    // rest go on in the next frame, so a script that loops without waiting
    // cannot hold the game.
    static constexpr int kCommandsPerFrame = 1024;

    CEvent();
    ~CEvent();
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void InitEvent();
    void ReleaseEvent();
    void UpdateEvent();
    void DrawEvent();
    // The shop's windows 54-63 and their text origins.
    void LayoutEventWindows();

    // Records.
    bool LoadEventData(unsigned char* first, std::size_t bytes, int recordCount);
    void RefreshEventActivity(bool recount);
    void RebuildEventGrid();
    unsigned char* FindEventRecordAt(int x, int y, int n) const;
    int RecordCount() const { return static_cast<int>(lists[LIST_ALL_RECORDS].size()); }
    unsigned char* Record(int index) const { return lists[LIST_ALL_RECORDS][static_cast<std::size_t>(index)]; }
    const std::vector<unsigned char*>& List(RecordList list) const { return lists[list]; }

    // Running a record.
    void StartEvent(unsigned char* record, bool enterMapState);
    // Makes the record current without running it.
    void BeginEvent(unsigned char* record, bool enterMapState);
    void EndEvent(bool leaveMapState);
    void ClearEventState();
    void NextEventCommand(bool run);
    void JumpToEventLabel(int label);
    bool ExecuteEventCommand(bool start);
    bool IsEventRunning() const { return CurrentRecord != nullptr; }

    // Triggers.
    void StartTouchEvents(int x, int y);
    bool CheckStepOnEvent(int x, int y);
    void StartBlockArrivalEvents(int x, int y);
    void StartPendingEvent();
    void OperateSwitchAt(int x, int y);
    void RunSetupEventIfActive();
    bool TryEnterEventCell(int x, int y);
    bool IsEventCellFree(int x, int y) const;
    // The direction of the first arrow tile at the cell, or -1.
    int GetArrowFloorDirection(int x, int y) const;
    void TurnPersonToPlayer(unsigned char* record);

    // The map gimmicks: blocks, plates, switches, traps, arrows, periodic
    // records, the number puzzle and the spawner slots.
    static constexpr int kSpawnerSlots = 4;
    static constexpr int kFieldFramePeriod = 122400;
    static constexpr int kSpawnEitherWords = 15;
    bool TryPushBlock(unsigned char* record);
    void StartPushBlock(unsigned char* record);
    void BeginPushMove();
    void FinishPushBlock();
    void CancelPushBlock();
    void ClearPushBlock();
    bool IsPushingBlock() const { return pushedRecord != nullptr; }
    const unsigned char* PushedRecord() const { return pushedRecord; }
    // The cell of the block being pushed; false while none is.
    bool GetPushedBlockCell(int& x, int& y) const;
    void GetPushVector(float& x, float& y) const;
    bool IsEventAtCell(int x, int y) const;
    void UpdatePlateCounts(int x, int y, bool arriving);
    void StepOnSwitch(unsigned char* record);
    bool UpdateFieldGimmicks(bool hurtAllowed);
    bool CheckTrapOnArrival();
    void StepSequencePuzzle(int step);
    int GetSequenceHint() const;
    void AddSpawnerSlot(const std::int32_t* words);
    int SpawnerSlotCount() const { return static_cast<int>((GroupState >> 3) & 7u); }
    int PuzzleProgress() const { return static_cast<int>(GroupState & 7u); }

    // The map's set-up commands.
    void RunMapSetupCommands();
    void BuildSpawnEitherCommand(std::int32_t* block);

    // Gifts, damage and battles.
    bool GiveEventItem(int category, int id, bool wantName, int moneyMode);
    bool EventDamageParty(int amount);
    void SetEventBattleResult(bool a, bool b);
    void ClearBattleEventPicture();

    // Conditions.
    bool TestIfJumpCondition(int kind, int operand);
    bool TestEventEndCondition(const std::int32_t* block) const;
    void SetFlagIfCondition(const std::int32_t* block);

    // Messages.
    void StartMessage(const char16_t* text, int length, int indent, bool itemText);
    void UpdateMessage();

    // Drawing.
    void DrawEventLayer();
    bool CellToScreen(int x, int y, float& screenX, float& screenY) const;
    void DrawEventSprite(int frame, float x, float y);
    void DrawEventSpriteTurned(int frame, float x, float y);
    void DrawFadedQuads(float leftX, float rightX, float y, float depth, int t, int page, int pageCount);
    void DrawEventIcon(int icon, float xOffset, int line);
    void DrawEventIconTinted(int icon, float x, float y, float depth, std::uint32_t mask);

    // --- The interpreter ---
    std::int32_t Opcode;
    std::int32_t Args[EVENT_ARG_COUNT];
    unsigned char* CurrentRecord;
    unsigned char* SwitchFollowRecord;
    unsigned char* PushFollowRecord;
    unsigned char* MapStartRecord;
    unsigned char* SetupRecord;
    const unsigned char* PointList;
    std::uint32_t PointCount;
    const unsigned char* ScriptPos;
    const unsigned char* PrevScriptPos;
    std::int32_t PrevOpcode;
    std::uint8_t EnteredFromMap;
    // The length of the decoded command in 16-bit units.
    std::int32_t commandLength;
    // The text of the decoded message or choice command.
    const unsigned char* MessageTextPos;
    std::int32_t messageTextUnits;
    // Set by a step that hands on to the next command within the frame.
    bool chainNext;

    // --- Records ---
    std::vector<unsigned char*> lists[RECORD_LIST_COUNT];
    std::vector<std::uint8_t> CellGrid;
    std::int32_t mapWidth, mapHeight;
    std::uint32_t FirstBlockIndex;
    std::uint32_t switchesOn[kGroupCount], switchTotal[kGroupCount];
    std::uint32_t platesCovered[kGroupCount], plateTotal[kGroupCount];
    std::uint32_t
        GroupState; // bits 0-2 puzzle progress, 3-5 spawner slots, 6-7 last switch group, 8-9 last plate group

    // --- The gimmicks ---
    struct SpawnerSlot {
        std::int32_t frame, period, limit, mode;
        std::int32_t command[6];
    };
    unsigned char* pushedRecord = nullptr;
    std::int32_t pushTargetX = 0, pushTargetY = 0;
    float pushVectorX = 0.0f, pushVectorY = 0.0f;
    std::int32_t pushStarted = 0;
    std::vector<std::uint8_t> trapHitA, trapHitB;
    std::int32_t fieldFrame = 0;
    std::int8_t sequence[4] = {};
    SpawnerSlot spawnerSlots[kSpawnerSlots] = {};
    std::int32_t spawnEither[kSpawnEitherWords] = {};

    // --- The message window ---
    std::uint32_t textColour;
    std::int32_t phase; // 0 typing, 1 waiting for the confirm button
    std::int32_t sourceLength;
    std::int32_t revealTotal;
    std::int32_t revealCounter;
    std::int32_t markerCounter;
    std::int32_t handOver;
    std::int32_t iconCategory;
    std::int32_t typedOnce;
    std::int32_t expandedLength;
    char16_t MessageText[kMessageUnits];
    char16_t ItemMessage[kItemMessageUnits];
    float textX;
    float markerX, markerY, markerBob;
    // The name a gift found, for its message.
    std::u16string giftName;

    // --- The choice window (choices and floor lists) ---
    // The working values of a choice in Args.
    enum ChoiceArg : int {
        kChoiceRows = 0,
        kChoiceMarker = 8,
        kChoiceTextLength = 9,
        kChoiceTextWidth = 10,
        kKeptColour = 11,
        kKeptLength = 12,
        kChoiceCursor = 13,
        kChoiceConfirmSound = 14,
        kChoiceCancelAllowed = 15,
        kChoiceCancelLabel = 16,
    };
    ColouredVertex choiceFrame[CFixedWindowSet::kFrameVertexCount];
    char16_t ChoiceText[kMessageUnits];
    float choiceTextX, choiceTextY;
    float choiceCursorY;
    float choiceBob;
    void LayoutChoiceWindow(int rows, int textWidth);
    void MoveChoiceCursor(int direction);
    void FloorWarpChoices(int list);

    // --- The shop ---
    // Where the shop keeps its goods and kept message in Args: rows of
    // category, id and price from word 1, then, past the twelfth row's
    // words, the kept colour and length and the row count.
    enum ShopArg : int {
        kShopFirstRow = 1,
        kShopKeptColour = 37,
        kShopKeptLength = 38,
        kShopRowCount = 39,
    };
    enum ShopStates : int {
        SHOP_MENU = 0,
        SHOP_BUY_LIST = 1,
        SHOP_SELL_LIST = 2,
        SHOP_BUY_QUANTITY = 3,
        SHOP_SELL_QUANTITY = 4,
    };
    static constexpr int kShopMaxRows = SHOP_MAX_ROWS;
    static constexpr int kShopMaxQuantity = 99;
    struct ShopGoods {
        int category, id, price;
    };
    int ShopRowCount() const { return Args[kShopRowCount]; }
    ShopGoods ShopRow(int row) const;
    void SetShopRow(int row, const ShopGoods& goods);
    void BuildShopGoods(int list);
    static int GetShopSortKey(int category, int id);
    void DropUnusableGoods();
    std::int8_t GetMaxBuyQuantity() const;
    std::int8_t GetMaxSellQuantity() const;
    void SetShopState(int state);
    void OpenEventMenu(int state);
    bool UpdateEventShop();
    void LayoutQuantityWindow(int state, bool relayout);
    void SetShopTotal(std::int64_t value);
    bool UpdateQuantityInput();
    bool StepQuantity(bool up, bool freshPress);
    void MoveDigitCursor(bool right);
    void PlaceDigitCursorX(float windowLeft, int column);
    void PlaceDigitCursorY(float windowTop);
    void BuySelectedGoods();
    void SellSelectedItem();
    void GetShopStock(bool withQuantity);
    // The goods row the list's cursor is on, or -1.
    int SelectedShopRow() const;

    std::int32_t ShopState = SHOP_MENU;
    std::int8_t ShopMenuCursor = 0;
    std::int8_t ShopMaxQuantity = 0;
    std::int8_t ShopQuantity = 0;
    std::int8_t ShopDigitColumn = 1;
    std::uint8_t ShopInputArmed = 0;
    char16_t quantityText[2] = {u'0', u'0'};
    char16_t totalText[8] = {};
    std::uint32_t totalColour = 0xFFFFFFFFu;
    char16_t heldText[2] = {};
    std::uint32_t heldColour = 0xFFFFFFFFu;
    std::int32_t heldShown = -1; // the held count the text was made for
    char16_t heldMaxText[2] = {};
    float digitCursorX = 0.0f, digitCursorY = 0.0f;
    // Set once by LayoutEventWindows.
    float shopMenuTextX = 0.0f, shopMenuTextY = 0.0f;
    float heldTextX = 0.0f, heldTextY = 0.0f;

    // --- The event layer ---
    std::unique_ptr<CTexture> pictureSheet, spriteSheet, iconSheet;
    float pictureU[kPictureCells][4], pictureV[kPictureCells][4];
    float spriteU[kSpriteFrames][4], spriteV[kSpriteFrames][4];
    float iconU[kIconCount][4], iconV[4];

private:
    void ResetEventState();
    void ClearCommandState();
    void ClearLists();
    void FillLists();
    bool StartCommand();
    void RunCommandFrame();
    bool RecordAtCell(const unsigned char* record, int x, int y) const;
    bool CellOnMap(int x, int y) const;
    std::size_t BytesLeftInRecord(const unsigned char* at) const;
    void LoadEventTextures();
    // One record's picture, when it is a block and `blocks` is set or neither.
    void DrawEventRecord(const unsigned char* record, bool blocks);
    void DrawMessage();
    void DrawRevealedItemIcon(float front);
    void DrawChoice();
    bool StartChoice();
    void UpdateChoice();
    void KeepMessageForWindow(int colourArg, int lengthArg);
    bool StartShop();
    void CmdShop();
    bool UpdateShopMenu();
    void UpdateShopBuyList();
    void UpdateShopSellList();
    void UpdateShopBuyQuantity();
    void UpdateShopSellQuantity();
    void DrawShop();
    void DrawShopMenu(bool active);
    void DrawQuantityWindow();
    void DrawMoneyWindow(bool total);
    void DrawHeldWindow();
    // False when the text could not be drawn: the rest of the frame's event drawing is skipped.
    bool DrawKeptMessage(int colourArg, int lengthArg, int line);

    // Start actions (true: the per-frame action runs in this call).
    bool StartGetItem();
    bool StartBattle();
    bool StartChangeBgm();
    bool StartFadePlayer();
    bool StartLoseItem();
    bool StartMessageCommand();
    void StartItemMessage(int category, const char16_t* outcome, int amount);
    bool StartChangeMap();
    bool StartNextMap();
    bool StartStairs();
    bool StartScreenEffectCommand();
    bool StartWarp();
    bool StartWarpFlag();
    bool RunTrapCycle(RecordList list, std::vector<std::uint8_t>& marks, bool hurtAllowed);
    bool HurtOnTrap(std::vector<std::uint8_t>& marks, RecordList list);
    void TurnArrows();
    void StartPeriodicRecords();
    void TickSpawnerSlots();
    bool RunSetupCommand(int opcode, std::int32_t* words);
    void SetFlagOnTheWay(int flag);
    void TargetPlayerCell();

    // Per-frame actions.
    void CmdSetFlag();
    void CmdIfJump();
    void CmdDisableEvent();
    void CmdDamageParty();
    void CmdSetPicture();
    void CmdChangeBgm();
    void CmdPlaySe();
    void CmdBattle();
    void CmdLaunchObject(int speed);
    void CmdLaunchObjectIf();
    void CmdWait();
    void CmdRecoverParty();
    void CmdSetListFlag();
    void CmdFadePlayer();
    void CmdSetTransfer();
    void CmdSwitchOn();
    void CmdSpawnSymbol();
    void CmdSpawnSymbols();
    void CmdSequenceStep();
    void CmdRefreshSort();
    void CmdToggleSwitch();
    void CmdAddItems();
    void CmdEndIf();
    void CmdSetGameWord();
    void CmdCallEvent();
    void CmdSetFlagIf();
    void CmdFixView();
    void CmdRemoveItem();
    void CmdNext();
    void CmdStop();
    void CmdMapChange();
};
