#include "field/Map.h"

#include <cstring>
#include <type_traits>
#include <new>

#include "record/Pipkorn.h"
#include "core/Parts.h"
#include "battle/BattleBackground.h"
#include "enemies/Enemy.h"
#include "field/DrawSortObject.h"
#include "field/MapCharacter.h"
#include "field/MapNameEffect.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventArea.h"
#include "party/Character.h"
#include "core/SceneState.h"
#include "field/MapBlob.h"
#include "core/ZephGlobals.h"

unsigned char* CurrentMap = nullptr;

namespace {

constexpr const char* kSource = "Map";
constexpr int kTileSheetEntry = 493;
constexpr int kOverlayEntry = 285;
constexpr int kMap21DataEntry = 3;
constexpr int kOverlayMapA = 20;
constexpr int kOverlayMapB = 21;
constexpr int kPuzzleMap = 96;
constexpr int kPanelTile = 6;
constexpr int kSymbolsAwayFlag = 161;
constexpr float kOverlayDepth = 0.302f;

bool IsOpenTile(int tile)
{
    switch (tile) {
    case -2:
    case 0:
    case 6:
    case 8:
    case 11:
    case 12:
    case 14:
    case 15:
        return true;
    default:
        return false;
    }
}

// Tiles that only map objects of terrain class 2 cross.
bool IsRoughTile(int tile)
{
    return tile == -1 || (tile >= 33 && tile <= 36) || (tile >= 38 && tile <= 47);
}

bool CellInRange(int x, int y, int width, int height)
{
    return x >= 0 && x < width && y >= 0 && y < height;
}

} // namespace

// ----------------------------------------------------------------------------
// Construction

void CMap::InitMap()
{
    static_assert(std::is_trivially_copyable_v<CMap>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    mapNumber = -1;
    placeNumber = -1;
    hudSide = 1;
    const float corners[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
    for (int i = 0; i < 4; ++i) {
        overlayQuad[i].z = kOverlayDepth;
        overlayQuad[i].rhw = 1.0f;
        overlayQuad[i].colour = 0xFFFFFFFFu;
        overlayQuad[i].u = corners[i][0];
        overlayQuad[i].v = corners[i][1];
    }
    tileSheet = new (std::nothrow) CTexture();
    if (tileSheet == nullptr) {
        REPORT_ERROR(kSource, 69, 1);
        return;
    }
    if (tileSheet->LoadTexture(0, kTileSheetEntry))
        ComputeTileCoordinates();
}

void CMap::ComputeTileCoordinates()
{
    for (int t = 0; t < kTileCount; ++t) {
        const int column = t % 4 + 4 * ((t / 16) % 2);
        const int row = (t / 4) % 4 + 4 * (t / 32);
        const float left = static_cast<float>(column * kCellSize);
        const float top = static_cast<float>(row * kCellSize);
        tileSheet->RectToUV(left, top, left + kCellSize, top + kCellSize, tileU[t], tileV[t]);
    }
}

void CMap::ReleaseMap()
{
    if (map21Data != nullptr && ZephFilePack != nullptr)
        ZephFilePack->FreeData(map21Data);
    map21Data = nullptr;
    delete overlayTexture;
    overlayTexture = nullptr;
    delete tileSheet;
    tileSheet = nullptr;
}

// ----------------------------------------------------------------------------
// Header

std::uint32_t CMap::FlagsA() const
{
    return CurrentMap != nullptr ? mapblob::ReadU32(CurrentMap, mapblob::kFlagsAOffset) : 0;
}

std::uint32_t CMap::FlagsB() const
{
    return CurrentMap != nullptr ? mapblob::ReadU32(CurrentMap, mapblob::kFlagsBOffset) : 0;
}

int CMap::GetFieldTune() const
{
    return CurrentMap != nullptr ? CurrentMap[mapblob::kTuneOffset] : 0;
}

bool CMap::IsLoopingMap() const
{
    return (FlagsA() & mapblob::kFlagALooping) != 0;
}

bool CMap::IsLitMap() const
{
    return (FlagsA() & mapblob::kFlagALit) != 0;
}

// ----------------------------------------------------------------------------
// Making a map current

bool CMap::SetMap(unsigned char* blob, int playerX, int playerY, int viewX, int viewY, int direction, bool startPending,
                  int /*unused*/, bool clearTransfer, bool newPlace)
{
    // Everything the steps below rely on is checked before the first change.
    if (mapblob::CheckMapBlob(blob, MapBlobSize < 0 ? 0 : static_cast<std::size_t>(MapBlobSize)) !=
        mapblob::BlobFault::None)
        return false;
    const int newWidth = mapblob::ReadI16(blob, mapblob::kWidthOffset);
    const int newHeight = mapblob::ReadI16(blob, mapblob::kHeightOffset);
    if (!CellInRange(playerX, playerY, newWidth, newHeight))
        return false;
    if (viewX != -1 && !CellInRange(viewX, viewY, newWidth, newHeight))
        return false;
    if (direction < -1 || direction > 3)
        return false;
    const std::size_t eventArea = mapblob::EventAreaOffset(newWidth, newHeight);
    const std::size_t blobSize = static_cast<std::size_t>(MapBlobSize);
    if (eventArea > blobSize ||
        CheckEventArea(blob + eventArea, blobSize - eventArea, mapblob::ReadU16(blob, mapblob::kEventCountOffset)) !=
            EventAreaFault::None)
        return false;

    // 1.
    CurrentMap = blob;
    tiles = blob + mapblob::kGridOffset;
    width = newWidth;
    height = newHeight;
    const std::uint32_t flagsA = FlagsA();
    const std::uint32_t flagsB = FlagsB();
    const int newMapNumber = mapblob::ReadU16(blob, mapblob::kMapNumberOffset);
    const int newPlaceNumber = mapblob::ReadU16(blob, mapblob::kPlaceOffset);
    // 2.
    TheObject->ClearMapObjects();
    TheGameData->ClearLocalFlags();
    if (clearTransfer)
        TheGameData->ClearMapTransfer();
    TheEvent->ClearPushBlock();
    TheGameData->ResetItemListCursors();
    // 3.
    TheBattleBackground->SetBattleBackground(static_cast<int>(mapblob::Bits(flagsA, 23, 2)));
    // 4.
    if (flagsA & mapblob::kFlagAReturnPoint)
        TheGameData->StoreMapPosition(newMapNumber, mapblob::ReadI16(blob, mapblob::kReturnXOffset),
                                      mapblob::ReadI16(blob, mapblob::kReturnYOffset));
    // 5.
    TheEnemyGroup->SetMapBit(mapblob::Bits(flagsA, 18, 3) == 1 && TheGameData->GetGameFlag(kSymbolsAwayFlag) == 0);
    // 6.
    TheObject->EnterMapObjects(newPlace);
    TheEnemyGroup->ReadMapEnemyFlags();
    // 7.
    TheCharacter->SetPartyStockMax(blob + mapblob::kStockMaxOffset);
    TheCharacter->SetPartyEquipmentKinds(blob + mapblob::kStockRegenOffset);
    if (flagsB & mapblob::kFlagBRefillStocks)
        TheCharacter->RestorePartyStock();
    TheCharacter->SetMusicSwitch(blob[mapblob::kTuneOffset] != blob[mapblob::kBattleTuneOffset]);
    // 8. The name is at most 8 units; the ninth is its end.
    char16_t name[mapblob::kNameUnits];
    for (int i = 0; i < mapblob::kNameUnits; ++i)
        name[i] = static_cast<char16_t>(mapblob::ReadU16(blob, mapblob::kNameOffset + 2 * i));
    name[mapblob::kNameUnits - 1] = 0;
    TheGameData->LayoutAreaNameWindow(newPlaceNumber, name);
    // 9.
    if (flagsA & mapblob::kFlagARestoring)
        TheCharacter->RestoreParty();
    // 10., 11.
    mapNumber = newMapNumber;
    placeNumber = newPlaceNumber;
    LoadMapExtras();
    scrollX = scrollY = 0.0f;
    cellOffsetX = cellOffsetY = 0.0f;
    firstColumn = firstRow = 0;
    mapExtentX = static_cast<float>(width * kCellSize);
    mapExtentY = static_cast<float>(height * kCellSize);
    const bool looping = (flagsA & mapblob::kFlagALooping) != 0;
    if (looping) {
        scrollExtentX = mapExtentX;
        scrollExtentY = mapExtentY;
        symbolLimitX = mapExtentX;
        symbolLimitY = mapExtentY;
    } else {
        scrollExtentX = mapExtentX - 640.0f;
        scrollExtentY = mapExtentY - 480.0f;
        symbolLimitX = mapExtentX - kCellSize;
        symbolLimitY = mapExtentY - kCellSize;
    }
    loopingEnabled = 0;
    SetMapLooping(looping && (flagsB & mapblob::kFlagBStartUnwrapped) == 0);
    // 12.
    puzzleActive = mapNumber == kPuzzleMap ? 1 : 0;
    if (puzzleActive)
        CountTilePanels();
    // 13.
    if (viewX != -1) {
        scrollX = static_cast<float>(viewX * kCellSize);
        scrollY = static_cast<float>(viewY * kCellSize);
    } else {
        CentreViewOnCell(playerX, playerY);
    }
    // 14.
    if (!TheEvent->LoadEventData(blob + eventArea, blobSize - eventArea,
                                 mapblob::ReadU16(blob, mapblob::kEventCountOffset)))
        return false;
    // 15.
    TheMapCharacter->PlacePlayer(playerX, playerY, direction, 0);
    TheMapCharacter->SetArrivalCheck();
    // 16.
    UpdateScrollCells();
    hudSide = 320.0f > TheMapCharacter->screenX + 16.0f ? 1 : 0;
    // 17.
    TheMapNameEffect->StartMapNameEffect(newPlace);
    TheEvent->RunSetupEventIfActive();
    if (startPending)
        TheEvent->StartPendingEvent();
    // 18.
    TheDrawSortObject->MakeMapSortList();
    return true;
}

void CMap::LoadMapExtras()
{
    if (mapNumber == kOverlayMapA || mapNumber == kOverlayMapB) {
        if (overlayTexture == nullptr) {
            overlayTexture = new (std::nothrow) CTexture();
            if (overlayTexture != nullptr)
                overlayTexture->LoadTexture(0, kOverlayEntry);
        }
    } else {
        delete overlayTexture;
        overlayTexture = nullptr;
    }
    if (mapNumber == kOverlayMapB) {
        if (map21Data == nullptr) {
            map21Data = ZephFilePack->LoadData(0, kMap21DataEntry, &map21DataSize, nullptr);
            if (map21Data == nullptr) {
                REPORT_ERROR(kSource, 1212, 1);
                throw 0;
            }
        }
    } else if (map21Data != nullptr) {
        ZephFilePack->FreeData(map21Data);
        map21Data = nullptr;
        map21DataSize = 0;
    }
}

void CMap::SetMapLooping(bool on)
{
    loopingEnabled = on ? 1 : 0;
    if (IsLoopingMap() && loopingEnabled) {
        scrollRangeX = mapExtentX;
        scrollRangeY = mapExtentY;
    } else {
        scrollRangeX = mapExtentX - 640.0f;
        scrollRangeY = mapExtentY - 480.0f;
    }
}

// ----------------------------------------------------------------------------
// Movement tests

bool CMap::IsMapCellPassable(int x, int y, bool strict) const
{
    if (!HasMap() || !CellInRange(x, y, width, height))
        return false;
    const int tile = TileAt(x, y);
    if (IsOpenTile(tile))
        return true;
    return !strict && (tile == 4 || tile == 7);
}

bool CMap::IsMapCellWalkable(int x, int y) const
{
    if (!HasMap() || !CellInRange(x, y, width, height))
        return false;
    const int tile = TileAt(x, y);
    if (IsOpenTile(tile) || tile == 4 || tile == 7)
        return true;
    return IsRoughTile(tile) && mapblob::Bits(FlagsA(), 21, 2) == 2;
}

bool CMap::IsTilePanel(int x, int y) const
{
    return HasMap() && CellInRange(x, y, width, height) && TileAt(x, y) == kPanelTile;
}

bool CMap::CanEnterCell(int direction, const float point[2], bool bump)
{
    if (!HasMap())
        return false;
    int x = static_cast<int>((point[0] + scrollX) / kCellSize);
    int y = static_cast<int>((point[1] + scrollY) / kCellSize);
    // The point may lie on the wrapped copy of a looping map.
    if (x >= width)
        x -= width;
    if (y >= height)
        y -= height;
    if (!TheGameData->StepMapPosition(x, y, direction))
        return false;
    if (IsMapCellPassable(x, y, false))
        return TheEvent->TryEnterEventCell(x, y);
    if (bump && CellInRange(x, y, width, height))
        TheEvent->StartTouchEvents(x, y);
    return false;
}

// ----------------------------------------------------------------------------
// Panel puzzle

void CMap::CountTilePanels()
{
    std::memset(steppedOn, 0, sizeof(steppedOn));
    panelsStepped = 0;
    panelsTotal = 0;
    for (int x = 0; x < kScreenColumns; ++x)
        for (int y = 0; y < kScreenRows; ++y)
            if (IsTilePanel(x, y))
                ++panelsTotal;
}

void CMap::StepOnTilePanel(int x, int y)
{
    if (x < 0 || x >= kScreenColumns || y < 0 || y >= kScreenRows || !IsTilePanel(x, y))
        return;
    std::uint8_t& mark = steppedOn[x * kScreenRows + y];
    if (mark)
        return;
    mark = 1;
    ++panelsStepped;
    if (panelsStepped == panelsTotal)
        TheGameData->SetGameFlag(-1, 1);
}

// ----------------------------------------------------------------------------
// Loading a map entry

bool LoadMapBlob(int map)
{
    if (map < 0 || map >= mapblob::kMapCount || ZephFilePack == nullptr)
        return false;
    int size = 0;
    unsigned char* loaded = ZephFilePack->LoadData(0, map + mapblob::kFirstMapEntry, &size, nullptr);
    if (loaded == nullptr)
        return false;
    if (size < 0 || mapblob::CheckMapBlob(loaded, static_cast<std::size_t>(size)) != mapblob::BlobFault::None) {
        ZephFilePack->FreeData(loaded);
        return false;
    }
    if (MapBlobBuffer != nullptr)
        ZephFilePack->FreeData(MapBlobBuffer);
    MapBlobBuffer = loaded;
    MapBlobSize = size;
    return true;
}
