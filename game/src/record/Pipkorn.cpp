#include "record/Pipkorn.h"

#include "core/PlayTimeClock.h"

#include <cstring>
#include <string>

#include "field/FieldServices.h"
#include "party/PartyServices.h"
#include "core/PlaceNames.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "core/GameConstants.h"

GameData* TheGameData = nullptr;
Direct3DSurface9* BackBufferSurface = nullptr;

namespace {

void Frame(ColouredVertex* frame, float left, float top, float right, float bottom)
{
    CFixedWindowSet::BuildWindowFrame(frame, left, top, right, bottom, CFixedWindowSet::kBorderWidth);
}

// A failed measurement counts as no width.
float MeasuredWidth(const char16_t* text, int length)
{
    if (ZephTextTexture == nullptr || length == 0)
        return 0.0f;
    const int width = ZephTextTexture->GetStringWidth(text, length);
    return width > 0 ? static_cast<float>(width) : 0.0f;
}

} // namespace

GameData::GameData()
{
    // Every field starts at zero, then takes its start value.
    ClearProgress();
    textSpeed = 1;
    effectOption = autoRun = playerFacing = hudMode = 0;
    playerMap = 0;
    playerX = 9;
    playerY = 2;
    mapPositionMap = 0;
    mapPositionX = 9;
    mapPositionY = 7;
    lastPlaceShown = -1;
    placeNameLength = mapNameLength = 0;
    placeNameWidth = 0.0f;
    pendingMoveX = pendingMoveY = 0;
    pendingMoveFacing = 0;
    pendingMove = 0;
    eventWord = 0;
    std::memset(localFlags, 0, sizeof localFlags);
    std::memset(snapshotHp, 0, sizeof snapshotHp);
    std::memset(snapshotSp, 0, sizeof snapshotSp);
    std::memset(snapshotStock, 0, sizeof snapshotStock);
    std::memset(snapshotItems, 0, sizeof snapshotItems);
    for (auto& list : categoryList)
        for (auto& id : list)
            id = -1;
    std::memset(categoryListCount, 0, sizeof categoryListCount);
    for (auto& marker : lastAdded)
        marker = -1;
    std::memset(magicList, 0xFF, sizeof magicList);
    magicListCount = 0;
    std::memset(enemyList, 0, sizeof enemyList);
    enemyListCount = 0;
    std::memset(battleItemList, 0, sizeof battleItemList);
    battleItemCount = 0;
    for (auto& key : ownedKeyList)
        key = -1;
    ownedKeyCount = 1;
    std::memset(mergeScratch, 0, sizeof mergeScratch);
    std::memset(heldScratch, 0, sizeof heldScratch);
    std::memset(shufflePool, 0, sizeof shufflePool);
    std::memset(frames, 0, sizeof frames);
    for (auto& frame : frames)
        for (ColouredVertex& v : frame) {
            v.z = 0.302f;
            v.rhw = 1.0f;
        }
    hpDigits = columnDigits = 0;
    std::memset(statusDigits, 0, sizeof statusDigits);
}

GameData::~GameData()
{
    ReleaseBackBuffer();
}

bool GameData::AcquireBackBuffer()
{
    // Between frames the device's render target is its back buffer.
    if (BackBufferSurface == nullptr && D3DDevice != nullptr && D3DDevice->GetRenderTarget(0, &BackBufferSurface) < 0)
        BackBufferSurface = nullptr;
    return BackBufferSurface != nullptr;
}

void GameData::ReleaseBackBuffer()
{
    if (BackBufferSurface != nullptr)
        BackBufferSurface->Release();
    BackBufferSurface = nullptr;
}

void GameData::LayoutGameDataWindows()
{
    for (int i = 0; i < 2; ++i)
        Frame(frames[FRAME_RECORD_0 + i], 604.0f - 40.0f * i, 338.0f, SCREEN_WIDTH - 40.0f * i, 374.0f);
}

void GameData::LayoutHudWindows(int variant)
{
    if (variant == 0) {
        const float width = 4.0f + 16.0f + 24.0f + 12.0f + 12.0f * hpDigits;
        Frame(frames[FRAME_HP_LEFT], 0.0f, 0.0f, width, 96.0f);
        Frame(frames[FRAME_HP_RIGHT], SCREEN_WIDTH - width, 0.0f, SCREEN_WIDTH, 96.0f);
        return;
    }
    float left = SCREEN_WIDTH - 4.0f - 16.0f;
    for (int i = 0; i < 3; ++i)
        left -= 36.0f + 12.0f * statusDigits[i] + (i < 2 ? 22.0f : 0.0f);
    Frame(frames[FRAME_WIDE_STATUS], left, 0.0f, SCREEN_WIDTH, 234.0f);
}

void GameData::LayoutHudColumnWindows(int digits)
{
    columnDigits = static_cast<std::int8_t>(digits);
    const float width = 4.0f + 16.0f + 22.0f + 12.0f + 12.0f * digits;
    Frame(frames[FRAME_COLUMN_RIGHT_UPPER], SCREEN_WIDTH - width, 0.0f, SCREEN_WIDTH, 174.0f);
    Frame(frames[FRAME_COLUMN_RIGHT_LOWER], SCREEN_WIDTH - width, 100.0f, SCREEN_WIDTH, 274.0f);
    Frame(frames[FRAME_COLUMN_LEFT_UPPER], 0.0f, 0.0f, width, 174.0f);
    Frame(frames[FRAME_COLUMN_LEFT_LOWER], 0.0f, 100.0f, width, 274.0f);
    const float longLeft = SCREEN_WIDTH - 4.0f - 16.0f - 2.0f * (34.0f + 12.0f * (2 * digits + 3)) - 22.0f;
    Frame(frames[FRAME_LONG_COLUMN], longLeft, 238.0f, SCREEN_WIDTH, 334.0f);
}

void GameData::LayoutAreaNameWindow(int place, const char16_t* mapName)
{
    // The place number comes from the map entry: one past the table names nothing.
    const char16_t* placeName = place >= 0 && place < PLACE_NAME_COUNT ? PlaceNameTable[place] : u"";
    if (mapName == nullptr)
        mapName = u"";
    placeNameLength = static_cast<std::int32_t>(std::char_traits<char16_t>::length(placeName));
    mapNameLength = static_cast<std::int32_t>(std::char_traits<char16_t>::length(mapName));
    const float placeWidth = MeasuredWidth(placeName, placeNameLength);
    placeNameWidth = placeWidth + 12.0f;
    float textWidth = placeWidth;
    if (mapNameLength > 0)
        textWidth += MeasuredWidth(mapName, mapNameLength) + 12.0f;
    Frame(frames[FRAME_PLACE_NAME], 590.0f - textWidth, 416.0f, 610.0f, 460.0f);
}

void GameData::ClearProgress()
{
    playTime = 0;
    std::memset(eventFlags, 0, sizeof eventFlags);
    battlesWon = enemiesDefeated = 0;
    std::memset(defeatedByMember, 0, sizeof defeatedByMember);
    std::memset(enemyRecords, 0, sizeof enemyRecords);
    std::memset(heldItems, 0, sizeof heldItems);
    std::memset(heldWeapons, 0, sizeof heldWeapons);
    std::memset(heldArmor, 0, sizeof heldArmor);
    std::memset(heldAccessories, 0, sizeof heldAccessories);
    std::memset(ownedKeyFlags, 0, sizeof ownedKeyFlags);
}

void GameData::NewGameData()
{
    ClearLocalFlags();
    lastPlaceShown = -1;
    ClearProgress();
    ownedKeyFlags[0] = 1;
    eventFlags[0] = 1;
    heldItems[0] = 10;
    heldItems[3] = 5;
    for (int m = 0; m < 3; ++m) {
        heldWeapons[m][0] = 1;
        heldArmor[m][0] = 1;
    }
    hudMode = 0;
    textSpeed = 1;
    effectOption = 0;
    autoRun = 0;
    playerMap = 0;
    playerX = 9;
    playerY = 2;
    playerFacing = 0;
    StoreMapPosition(0, 9, 7);
    InitPartyNewGame();
}

void GameData::ResetSessionState()
{
    eventWord = 0;
    ClearLocalFlags();
    lastPlaceShown = -1;
    ClearMapTransfer();
    ResetItemListCursors();
    RefreshPartyDisplay();
    // The main loop counts play time from here on.
    PlayTimeClock = plat::NowMs();
}

void GameData::SetGameFlag(int id, std::uint8_t value)
{
    if (id < -(LOCAL_FLAG_COUNT - 1) || id >= EVENT_FLAG_COUNT || GetGameFlag(id) == value)
        return;
    if (id < 0) {
        localFlags[-id] = value;
        return;
    }
    const std::uint32_t bit = 1u << (id % 32);
    if (value != 0)
        eventFlags[id / 32] |= bit;
    else
        eventFlags[id / 32] &= ~bit;
}

std::uint8_t GameData::GetGameFlag(int id) const
{
    if (id < -(LOCAL_FLAG_COUNT - 1) || id >= EVENT_FLAG_COUNT)
        return 0;
    if (id < 0)
        return localFlags[-id];
    return static_cast<std::uint8_t>((eventFlags[id / 32] >> (id % 32)) & 1u);
}

void GameData::ClearLocalFlags()
{
    std::memset(localFlags, 0, sizeof localFlags);
}

void GameData::SetItemOwnedFlag(int key)
{
    if (key < 0 || key >= OWNED_KEY_COUNT)
        return;
    ownedKeyFlags[key] = 1;
    RebuildItemLists(LIST_OWNED_KEYS, false);
}

void GameData::AddPlayTimeSecond()
{
    int hours = PlayHours();
    int minutes = PlayMinutes();
    int seconds = PlaySeconds();
    if (hours >= PLAY_HOURS_CAP)
        return;
    if (++seconds == 60) {
        seconds = 0;
        if (++minutes == 60) {
            minutes = 0;
            ++hours;
        }
    }
    playTime = static_cast<std::uint32_t>(hours) | static_cast<std::uint32_t>(minutes) << 15 |
               static_cast<std::uint32_t>(seconds) << 22;
}

void GameData::CountBattleWin()
{
    if (battlesWon < BATTLE_COUNTER_CAP)
        ++battlesWon;
}

void GameData::CountEnemyDefeat(int member, int kind)
{
    if (enemiesDefeated < BATTLE_COUNTER_CAP)
        ++enemiesDefeated;
    if (member >= 0 && member < 3 && defeatedByMember[member] < BATTLE_COUNTER_CAP)
        ++defeatedByMember[member];
    if (kind < 0 || kind >= ENEMY_RECORD_COUNT)
        return;
    std::uint16_t& record = enemyRecords[kind];
    if ((record & 0x3FFF) < ENEMY_DEFEAT_CAP)
        record = static_cast<std::uint16_t>(record + 1);
}

void GameData::MarkEnemyKindMet(int kind)
{
    if (kind >= 0 && kind < ENEMY_RECORD_COUNT)
        enemyRecords[kind] |= 0x4000;
}

void GameData::MarkEnemyKindDropTaken(int kind)
{
    if (kind >= 0 && kind < ENEMY_RECORD_COUNT)
        enemyRecords[kind] |= 0x8000;
}

void GameData::RequestMapTransfer(int x, int y, int facing)
{
    if (pendingMove != 0)
        return;
    pendingMove = 1;
    pendingMoveX = x;
    pendingMoveY = y;
    pendingMoveFacing = static_cast<std::int8_t>(facing);
}

void GameData::ClearMapTransfer()
{
    pendingMove = 0;
    pendingMoveX = pendingMoveY = 0;
    pendingMoveFacing = 0;
}

void GameData::StoreMapPosition(int map, int x, int y)
{
    mapPositionMap = map;
    mapPositionX = x;
    mapPositionY = y;
}

bool GameData::StepMapPosition(int& x, int& y, int direction) const
{
    switch (direction) {
    case 0:
        --y;
        break;
    case 1:
        --x;
        break;
    case 2:
        ++y;
        break;
    case 3:
        ++x;
        break;
    default:
        break;
    }
    if (TheMap == nullptr || !TheMap->HasMap())
        return false;
    const MapHeader& map = TheMap->Header();
    // x is tested before y; a coordinate that left a looping map comes in at the other side.
    if (x < 0 || x >= map.width) {
        if (!map.IsLooping())
            return false;
        x += x < 0 ? map.width : -map.width;
    }
    if (y < 0 || y >= map.height) {
        if (!map.IsLooping())
            return false;
        y += y < 0 ? map.height : -map.height;
    }
    return true;
}

void GameData::SaveBattleSnapshot()
{
    std::memset(snapshotHp, 0, sizeof snapshotHp);
    std::memset(snapshotSp, 0, sizeof snapshotSp);
    std::memset(snapshotStock, 0, sizeof snapshotStock);
    std::memcpy(snapshotItems, heldItems, sizeof snapshotItems);
    if (TheCharacter == nullptr)
        return;
    for (int m = 0; m < 3; ++m) {
        snapshotHp[m] = TheCharacter->hp[m];
        snapshotSp[m] = TheCharacter->sp[m];
    }
    for (int k = 0; k < 6; ++k)
        snapshotStock[k] = TheCharacter->stock[k];
}

void GameData::RestoreBattleSnapshot(bool restoreParty)
{
    std::memcpy(heldItems, snapshotItems, sizeof snapshotItems);
    RebuildItemLists(0, false);
    if (!restoreParty || TheCharacter == nullptr)
        return;
    for (int m = 0; m < 3; ++m) {
        TheCharacter->hp[m] = snapshotHp[m];
        TheCharacter->sp[m] = snapshotSp[m];
    }
    for (int k = 0; k < 6; ++k)
        TheCharacter->stock[k] = snapshotStock[k];
}

int FormatNumberText(char16_t* out, int value, int width, bool fixed, bool zeroFill)
{
    int digits = 1;
    for (int v = value / 10; v != 0; v /= 10)
        ++digits;
    if (fixed)
        digits = width;
    int written = 0;
    for (int i = 0; i < width - digits; ++i)
        out[written++] = zeroFill ? u'0' : u' ';
    int v = value;
    for (int i = digits - 1; i >= 0; --i) {
        out[written + i] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    }
    return written + digits;
}

void FormatNumberRight(char16_t* out, int value, int digits, int width)
{
    const int shown = digits < width ? digits : width;
    int at = 0;
    for (; at < width - shown; ++at)
        out[at] = u' ';
    int v = value;
    for (int i = width - 1; i >= at; --i) {
        out[i] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    }
    out[width] = 0;
}

void ShuffleIndices(std::uint8_t* out, int n)
{
    if (n < 0 || n > 8 || TheGameData == nullptr)
        return;
    std::uint8_t* pool = TheGameData->shufflePool;
    for (int i = 0; i < n; ++i)
        pool[i] = static_cast<std::uint8_t>(i);
    for (int k = 0; k < n; ++k) {
        const int j = GameRandom() * (n - k) / 32768;
        out[k] = pool[j];
        for (int i = j; i < n - k - 1; ++i)
            pool[i] = pool[i + 1];
    }
}
