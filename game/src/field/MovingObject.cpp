// The moving map objects: launched from a cell, they roll on cell by cell
// until something stops them, and hurt the party when they run into the
// player.
#include <new>

#include "core/Parts.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/Object.h"
#include "field/event/Event.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr int kCell = 32;
constexpr int kHitSound = 18;
constexpr int kMapDamage = -1;
constexpr int kFastestObject = 31;

enum ObjectState : std::uint8_t { kLaunched = 0, kRolling = 1, kBlocked = 2 };

struct Box {
    float left, top, right, bottom;
};

bool BoxesTouch(const Box& a, const Box& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

Box Offset(const Box& b, float x, float y)
{
    return {b.left + x, b.top + y, b.right + x, b.bottom + y};
}

// The object's body and its leading point, by direction, from its position.
constexpr Box kBodyBox[4] = {{13, 5, 20, 27}, {5, 12, 27, 19}, {12, 5, 19, 27}, {5, 13, 27, 20}};
constexpr Box kLeadBox[4] = {{15, 6, 18, 9}, {6, 14, 9, 17}, {14, 23, 17, 26}, {23, 15, 26, 18}};
constexpr int kStepX[4] = {0, -1, 0, 1};
constexpr int kStepY[4] = {-1, 0, 1, 0};

// How far the object has come past the near boundary of cell (cx, cy)
// along its direction, in (-extent / 2, extent / 2] on a looping map.
float PastBoundary(const MapObjectRecord& o, int cx, int cy)
{
    float p = 0.0f;
    float extent = 0.0f;
    switch (o.direction) {
    case 0:
        p = static_cast<float>(cy * kCell) - o.y;
        extent = TheMap->mapExtentY;
        break;
    case 1:
        p = static_cast<float>(cx * kCell) - o.x;
        extent = TheMap->mapExtentX;
        break;
    case 2:
        p = o.y - static_cast<float>(cy * kCell);
        extent = TheMap->mapExtentY;
        break;
    default:
        p = o.x - static_cast<float>(cx * kCell);
        extent = TheMap->mapExtentX;
        break;
    }
    if (TheMap->IsLoopingMap()) {
        if (p > extent / 2.0f)
            p -= extent;
        else if (p <= -extent / 2.0f)
            p += extent;
    }
    return p;
}

bool ReachedTarget(const MapObjectRecord& o)
{
    const float p = PastBoundary(o, o.targetX, o.targetY);
    return p >= 0.0f && p < static_cast<float>(kCell);
}

bool CellFree(int x, int y)
{
    return TheEvent->IsEventCellFree(x, y);
}

} // namespace

void CObject::CreateMapObject(int x, int y, int speed, int direction)
{
    // An object too slow to move or fast enough to skip a cell is not launched.
    if (speed < 1 || speed > kFastestObject || direction < 0 || direction > 3)
        return;
    int ax = x;
    int ay = y;
    if (!TheMap->Header().HasCell(x, y) || !TheGameData->StepMapPosition(ax, ay, direction))
        return;
    if (!TheMap->IsMapCellWalkable(ax, ay) || !CellFree(ax, ay))
        return;
    auto* object = new (std::nothrow) MapObjectRecord{};
    if (object == nullptr)
        return;
    object->speed = static_cast<float>(speed);
    object->x = static_cast<float>(x * kCell);
    object->y = static_cast<float>(y * kCell);
    object->cellX = static_cast<std::int16_t>(x);
    object->cellY = static_cast<std::int16_t>(y);
    object->targetX = static_cast<std::int16_t>(ax);
    object->targetY = static_cast<std::int16_t>(ay);
    object->direction = static_cast<std::int8_t>(direction);
    object->phase = kLaunched;
    object->prev = objectTail;
    (objectTail != nullptr ? objectTail->next : objectList) = object;
    objectTail = object;
}

void CObject::RemoveObject(MapObjectRecord* object)
{
    (object->prev != nullptr ? object->prev->next : objectList) = object->next;
    (object->next != nullptr ? object->next->prev : objectTail) = object->prev;
    delete object;
}

// The object passes onto its target cell; false when it is taken off.
bool CObject::AdvanceObject(MapObjectRecord& o)
{
    if (o.phase == kBlocked)
        return false;
    o.cellX = o.targetX;
    o.cellY = o.targetY;
    int nx = o.targetX;
    int ny = o.targetY;
    const bool onMap = TheGameData->StepMapPosition(nx, ny, o.direction);
    if (!onMap) {
        nx = o.targetX + kStepX[o.direction];
        ny = o.targetY + kStepY[o.direction];
    }
    o.targetX = static_cast<std::int16_t>(nx);
    o.targetY = static_cast<std::int16_t>(ny);
    if (!onMap || !TheMap->IsMapCellWalkable(nx, ny)) {
        o.phase = kBlocked;
        return true;
    }
    if (CellFree(nx, ny)) {
        o.phase = kRolling;
        return true;
    }
    // A block on its way into that cell takes the object's place.
    if (TheEvent->IsEventAtCell(nx, ny))
        return false;
    o.phase = kBlocked;
    o.stoppedByEvent = 1;
    return true;
}

bool CObject::ObjectRemovedByTests(const MapObjectRecord& o) const
{
    int blockX = 0;
    int blockY = 0;
    if (TheEvent->GetPushedBlockCell(blockX, blockY)) {
        const bool onBlockCell = (o.cellX == blockX && o.cellY == blockY) ||
                                 (o.phase != kBlocked && o.targetX == blockX && o.targetY == blockY);
        float offsetX = 0.0f;
        float offsetY = 0.0f;
        TheEvent->GetPushVector(offsetX, offsetY);
        const float bx = TheMapCharacter->mapX + offsetX;
        const float by = TheMapCharacter->mapY + offsetY;
        const Box block{bx, by, bx + kCell, by + kCell};
        if (onBlockCell && BoxesTouch(Offset(kBodyBox[o.direction], o.x, o.y), block))
            return true;
    }
    if (o.phase != kBlocked && !CellFree(o.targetX, o.targetY))
        return true;
    if (o.phase == kBlocked && o.stoppedByEvent && CellFree(o.targetX, o.targetY))
        return true;
    return o.phase != kLaunched && !CellFree(o.cellX, o.cellY);
}

void CObject::UpdateObject(MapObjectRecord*& object)
{
    MapObjectRecord& o = *object;
    switch (o.direction) {
    case 0:
        o.y -= o.speed;
        break;
    case 1:
        o.x -= o.speed;
        break;
    case 2:
        o.y += o.speed;
        break;
    default:
        o.x += o.speed;
        break;
    }
    if (TheMap->IsLoopingMap()) {
        if (o.x < 0.0f)
            o.x += TheMap->mapExtentX;
        else if (o.x >= TheMap->mapExtentX)
            o.x -= TheMap->mapExtentX;
        if (o.y < 0.0f)
            o.y += TheMap->mapExtentY;
        else if (o.y >= TheMap->mapExtentY)
            o.y -= TheMap->mapExtentY;
    }
    if (ReachedTarget(o) && !AdvanceObject(o)) {
        RemoveObject(object);
        object = nullptr;
        return;
    }
    if (ObjectRemovedByTests(o)) {
        RemoveObject(object);
        object = nullptr;
    }
}

bool CObject::CheckObjectHitsPlayer()
{
    const float px = TheMapCharacter->mapX;
    const float py = TheMapCharacter->mapY;
    bool hit = false;
    for (MapObjectRecord* o = objectList; o != nullptr;) {
        MapObjectRecord* next = o->next;
        if (o->phase != kBlocked) {
            float ox = o->x;
            float oy = o->y;
            if (TheMap->IsLoopingMap()) {
                const float w = TheMap->mapExtentX;
                const float h = TheMap->mapExtentY;
                ox += ox - px > w / 2.0f ? -w : (px - ox > w / 2.0f ? w : 0.0f);
                oy += oy - py > h / 2.0f ? -h : (py - oy > h / 2.0f ? h : 0.0f);
            }
            const Box player{px + 9.0f, py + 8.0f, px + 24.0f, py + 23.0f};
            if (BoxesTouch(Offset(kLeadBox[o->direction], ox, oy), player)) {
                RemoveObject(o);
                hit = true;
            }
        }
        o = next;
    }
    if (!hit)
        return false;
    ThePlaySE->PlaySoundEffect(kHitSound);
    if (DamagePartyNonLethal(kMapDamage))
        return false;
    TheMapCharacter->GameOverFromMap();
    return true;
}
