#include "field/Map.h"

#include <cstring>
#include <type_traits>
#include <new>

#include "record/Pipkorn.h"
#include "core/Parts.h"
#include "battle/BattleServices.h"
#include "enemies/EnemyServices.h"
#include "field/DrawSortObject.h"
#include "field/FieldServices.h"
#include "field/MapCharacter.h"
#include "field/MapEntryCheck.h"
#include "field/MapNameEffect.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "field/event/EventArea.h"
#include "party/PartyServices.h"
#include "core/GameConstants.h"
#include "core/PackCatalogue.h"
#include "core/SceneState.h"
#include "field/MapBlob.h"
#include "core/ZephGlobals.h"
#include "core/ContentWarning.h"

unsigned char* CurrentMap = nullptr;

namespace {

constexpr const char* kSource = "Map";
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
        REPORT_ERROR(kSource, 69, ERROR_NO_MEMORY);
        return;
    }
    if (tileSheet->LoadTexture(0, PACK_MAP_TILE_SHEET))
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
// Making a map current

bool CMap::SetMap(unsigned char* blob, int playerX, int playerY, int viewX, int viewY, int direction, bool startPending,
                  int /*unused*/, bool clearTransfer, bool newPlace)
{
    // Everything the steps below rely on is checked before the first change.
    MapHeader entered;
    if (ReadMapHeader(blob, MapBlobSize < 0 ? 0 : static_cast<std::size_t>(MapBlobSize), entered) !=
        mapblob::BlobFault::None)
        return false;
    if (!entered.HasCell(playerX, playerY))
        return false;
    if (viewX != -1 && !entered.HasCell(viewX, viewY))
        return false;
    if (direction < -1 || direction > 3)
        return false;
    const std::size_t eventArea = entered.EventAreaOffset();
    const std::size_t blobSize = static_cast<std::size_t>(MapBlobSize);
    if (eventArea > blobSize ||
        CheckEventArea(blob + eventArea, blobSize - eventArea, entered.eventCount) != EventAreaFault::None)
        return false;

    CurrentMap = blob;
    header = entered;
    tiles = blob + mapblob::kGridOffset;
    width = header.width;
    height = header.height;
    TheObject->ClearMapObjects();
    TheGameData->ClearLocalFlags();
    if (clearTransfer)
        TheGameData->ClearMapTransfer();
    TheEvent->ClearPushBlock();
    TheGameData->ResetItemListCursors();
    TheBattleBackground->SetBattleBackground(header.BattleBackground());
    if (header.KeepsReturnPoint())
        TheGameData->StoreMapPosition(header.mapNumber, header.returnX, header.returnY);
    TheEnemyGroup->SetMapBit(header.SymbolMode() == 1 && TheGameData->GetGameFlag(kSymbolsAwayFlag) == 0);
    TheObject->EnterMapObjects(newPlace);
    TheEnemyGroup->ReadMapEnemyFlags();
    TheCharacter->SetPartyStockMax(header.stockMax);
    TheCharacter->SetPartyEquipmentKinds(header.stockRegen);
    if (header.RefillsStocks())
        TheCharacter->RestorePartyStock();
    TheCharacter->SetMusicSwitch(header.fieldTune != header.battleTune);
    TheGameData->LayoutAreaNameWindow(header.placeNumber, header.name);
    if (header.RestoresParty())
        TheCharacter->RestoreParty();
    // 10., 11.
    mapNumber = header.mapNumber;
    placeNumber = header.placeNumber;
    LoadMapExtras();
    scrollX = scrollY = 0.0f;
    cellOffsetX = cellOffsetY = 0.0f;
    firstColumn = firstRow = 0;
    mapExtentX = static_cast<float>(width * kCellSize);
    mapExtentY = static_cast<float>(height * kCellSize);
    const bool looping = header.IsLooping();
    if (looping) {
        scrollExtentX = mapExtentX;
        scrollExtentY = mapExtentY;
        symbolLimitX = mapExtentX;
        symbolLimitY = mapExtentY;
    } else {
        scrollExtentX = mapExtentX - SCREEN_WIDTH;
        scrollExtentY = mapExtentY - SCREEN_HEIGHT;
        symbolLimitX = mapExtentX - kCellSize;
        symbolLimitY = mapExtentY - kCellSize;
    }
    loopingEnabled = 0;
    SetMapLooping(looping && !header.StartsUnwrapped());
    puzzleActive = mapNumber == kPuzzleMap ? 1 : 0;
    if (puzzleActive)
        CountTilePanels();
    if (viewX != -1) {
        scrollX = static_cast<float>(viewX * kCellSize);
        scrollY = static_cast<float>(viewY * kCellSize);
    } else {
        CentreViewOnCell(playerX, playerY);
    }
    if (!TheEvent->LoadEventData(blob + eventArea, blobSize - eventArea, header.eventCount))
        return false;
    TheMapCharacter->PlacePlayer(playerX, playerY, direction, 0);
    TheMapCharacter->SetArrivalCheck();
    UpdateScrollCells();
    hudSide = 320.0f > TheMapCharacter->screenX + 16.0f ? 1 : 0;
    TheMapNameEffect->StartMapNameEffect(newPlace);
    TheEvent->RunSetupEventIfActive();
    if (startPending)
        TheEvent->StartPendingEvent();
    TheDrawSortObject->MakeMapSortList();
    return true;
}

void CMap::LoadMapExtras()
{
    if (mapNumber == OVERLAY_MAP_A || mapNumber == OVERLAY_MAP_B) {
        if (overlayTexture == nullptr) {
            overlayTexture = new (std::nothrow) CTexture();
            if (overlayTexture != nullptr)
                overlayTexture->LoadTexture(0, PACK_MAP_OVERLAY);
        }
    } else {
        delete overlayTexture;
        overlayTexture = nullptr;
    }
    if (mapNumber == OVERLAY_MAP_B) {
        if (map21Data == nullptr) {
            map21Data = ZephFilePack->LoadData(0, PACK_MAP21_DATA, &map21DataSize, nullptr);
            if (map21Data == nullptr) {
                REPORT_ERROR(kSource, 1212, ERROR_NO_MEMORY);
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
        scrollRangeX = mapExtentX - SCREEN_WIDTH;
        scrollRangeY = mapExtentY - SCREEN_HEIGHT;
    }
}

// ----------------------------------------------------------------------------
// Movement tests

bool CMap::IsMapCellPassable(int x, int y, bool strict) const
{
    if (!HasMap() || !header.HasCell(x, y))
        return false;
    const int tile = TileAt(x, y);
    if (IsOpenTile(tile))
        return true;
    return !strict && (tile == 4 || tile == 7);
}

bool CMap::IsMapCellWalkable(int x, int y) const
{
    if (!HasMap() || !header.HasCell(x, y))
        return false;
    const int tile = TileAt(x, y);
    if (IsOpenTile(tile) || tile == 4 || tile == 7)
        return true;
    return IsRoughTile(tile) && header.TerrainClass() == 2;
}

bool CMap::IsTilePanel(int x, int y) const
{
    return HasMap() && header.HasCell(x, y) && TileAt(x, y) == kPanelTile;
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
    if (bump && header.HasCell(x, y))
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

unsigned char* LoadPendingMap(int map, int* size)
{
    if (map < 0 || map >= MAP_COUNT || ZephFilePack == nullptr)
        return nullptr;
    int loadedSize = 0;
    unsigned char* loaded = ZephFilePack->LoadData(0, MapPackEntry(map), &loadedSize, nullptr);
    if (loaded == nullptr)
        return nullptr;
    // Every field is checked once here, so nothing read later meets a value
    // outside its range; a bad entry is named and refused.
    MapEntryFault fault;
    if (!CheckMapEntry(loaded, loadedSize < 0 ? 0 : static_cast<std::size_t>(loadedSize), map, fault)) {
        WarnContent("Map", fault.Line());
        ZephFilePack->FreeData(loaded);
        return nullptr;
    }
    *size = loadedSize;
    return loaded;
}

bool LoadMapBlob(int map)
{
    int size = 0;
    unsigned char* loaded = LoadPendingMap(map, &size);
    if (loaded == nullptr)
        return false;
    if (MapBlobBuffer != nullptr)
        ZephFilePack->FreeData(MapBlobBuffer);
    MapBlobBuffer = loaded;
    MapBlobSize = size;
    return true;
}

bool EnterLoadedMap(unsigned char* blob, int size, int x, int y, int direction, bool clearTransfer, bool newPlace)
{
    const std::int32_t previousSize = MapBlobSize;
    MapBlobSize = size;
    if (!TheMap->SetMap(blob, x, y, -1, -1, direction, false, 0, clearTransfer, newPlace)) {
        MapBlobSize = previousSize;
        ZephFilePack->FreeData(blob);
        return false;
    }
    if (MapBlobBuffer != nullptr && MapBlobBuffer != blob)
        ZephFilePack->FreeData(MapBlobBuffer);
    MapBlobBuffer = blob;
    return true;
}
