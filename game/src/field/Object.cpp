// The two lists of the part, one frame of every symbol, and the symbols'
// contacts: the player's touch, a pushed block crushing them, and what a
// battle leaves of the symbol that started it.
#include "field/Object.h"

#include "core/Parts.h"
#include "core/Random.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "field/event/Event.h"
#include "media/PlaySE.h"

namespace {

constexpr int kCell = 32;
constexpr int kCrushSound = 17;
constexpr int kAnimationFrames = 12;

// Two spans [a0, a1] and [b0, b1] overlap or meet.
bool SpansTouch(float a0, float a1, float b0, float b1)
{
    return a0 <= b1 && b0 <= a1;
}

// A symbol's coordinate moved by the map's extent to the side of `near`.
float ToSideOf(float value, float near, float extent)
{
    if (!TheMap->IsLoopingMap())
        return value;
    if (value - near > extent / 2.0f)
        return value - extent;
    if (near - value > extent / 2.0f)
        return value + extent;
    return value;
}

} // namespace

CObject::~CObject()
{
    ClearMapObjects();
}

void CObject::InitObject()
{
    ClearMapObjects();
    placeSeed = generatorState = 0;
    nextInOrder = orderLength = 0;
    markedPercent = symbolMode = 0;
    shufflePending = true;
}

void CObject::ReleaseObject()
{
    ClearMapObjects();
}

void CObject::ClearMapObjects()
{
    while (symbolList != nullptr) {
        MapSymbolRecord* next = symbolList->next;
        delete symbolList;
        symbolList = next;
    }
    while (objectList != nullptr) {
        MapObjectRecord* next = objectList->next;
        delete objectList;
        objectList = next;
    }
    symbolTail = nullptr;
    objectTail = nullptr;
    encounteredSymbol = nullptr;
    symbolCount = 0;
}

void CObject::RemoveSymbol(MapSymbolRecord* symbol)
{
    (symbol->prev != nullptr ? symbol->prev->next : symbolList) = symbol->next;
    (symbol->next != nullptr ? symbol->next->prev : symbolTail) = symbol->prev;
    if (encounteredSymbol == symbol)
        encounteredSymbol = nullptr;
    delete symbol;
    --symbolCount;
}

void CObject::UpdateMapObjects()
{
    for (MapSymbolRecord* symbol = symbolList; symbol != nullptr; symbol = symbol->next)
        UpdateSymbol(*symbol);
    for (MapObjectRecord* object = objectList; object != nullptr;) {
        MapObjectRecord* next = object->next;
        UpdateObject(object);
        object = next;
    }
}

void CObject::UpdateSymbol(MapSymbolRecord& s)
{
    const auto timerStep = [this, &s] {
        if (s.decisionTimer > 0)
            --s.decisionTimer;
        if (s.decisionTimer == 0)
            DecideSymbol(s, false);
    };
    // A symbol about to rest slows to a stop.
    const auto slowDown = [&s] {
        return s.restNext && s.decisionTimer < 64 ? static_cast<float>(s.decisionTimer) / 64.0f : 1.0f;
    };
    if (s.counter > 0) {
        if (--s.counter == 0)
            s.appearing = 0;
    } else if (s.reactionType == 0 || !ReactToPlayer(s)) {
        switch (s.pattern) {
        case 1:
            timerStep();
            if (!s.resting)
                ChaseStep(s, slowDown(), false);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
            timerStep();
            MoveSymbolByVelocity(s, slowDown(), true);
            break;
        case 6:
            timerStep();
            if (!s.resting)
                CircleStep(s);
            break;
        case 8:
        case 12:
        case 13:
            if (s.decisionTimer == 0)
                DecideSymbol(s, false);
            MoveSymbolByVelocity(s, 1.0f, true);
            break;
        case 9:
        case 10:
            SentryStep(s);
            break;
        default:
            break;
        }
    }
    if (++s.animCounter >= kAnimationFrames) {
        s.animCounter = 0;
        s.frame = static_cast<std::uint8_t>((s.frame + 1) & 3);
    }
}

MapSymbolRecord* CObject::FindTouchedSymbol()
{
    const float px = TheMapCharacter->mapX;
    const float py = TheMapCharacter->mapY;
    for (MapSymbolRecord* s = symbolList; s != nullptr; s = s->next) {
        if (s->counter > 0)
            continue;
        const float sx = ToSideOf(s->x, px, TheMap->mapExtentX);
        const float sy = ToSideOf(s->y, py, TheMap->mapExtentY);
        if (!SpansTouch(px + 9.0f, px + 24.0f, sx + 4.0f, sx + 28.0f) ||
            !SpansTouch(py + 8.0f, py + 23.0f, sy + 4.0f, sy + 28.0f))
            continue;
        encounteredSymbol = s;
        if (!s->met) {
            // Drawn once, so meeting it again after an escape forms the same battle.
            s->met = 1;
            const auto r0 = static_cast<std::uint32_t>(GameRandom());
            const auto r1 = static_cast<std::uint32_t>(GameRandom());
            const auto r2 = static_cast<std::uint32_t>(GameRandom());
            s->battleSeed = r0 + r1 * 32768u + (r2 / 8192u) * (1u << 30);
        }
        return s;
    }
    return nullptr;
}

void CObject::CheckSymbolContact()
{
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    TheEvent->GetPushVector(offsetX, offsetY);
    const float bx = TheMapCharacter->mapX + offsetX;
    const float by = TheMapCharacter->mapY + offsetY;
    for (MapSymbolRecord* s = symbolList; s != nullptr;) {
        MapSymbolRecord* next = s->next;
        const float sx = ToSideOf(s->x, bx, TheMap->mapExtentX);
        const float sy = ToSideOf(s->y, by, TheMap->mapExtentY);
        if (SpansTouch(bx, bx + kCell, sx + 2.0f, sx + 30.0f) && SpansTouch(by, by + kCell, sy + 2.0f, sy + 30.0f)) {
            ThePlaySE->PlaySoundEffect(kCrushSound);
            RemoveSymbol(s);
        }
        s = next;
    }
}

void CObject::RemoveEncounteredSymbol()
{
    if (encounteredSymbol != nullptr)
        RemoveSymbol(encounteredSymbol);
    encounteredSymbol = nullptr;
}

void CObject::SetSymbolCooldown(int defeatedMask)
{
    if (encounteredSymbol != nullptr) {
        encounteredSymbol->defeatedMask = static_cast<std::uint8_t>(encounteredSymbol->defeatedMask | defeatedMask);
        encounteredSymbol->counter = kCooldownFrames;
        encounteredSymbol->appearing = 0;
        encounteredSymbol->reactionTimer = 0;
    }
    encounteredSymbol = nullptr;
}

bool CObject::IsSymbolAtCell(int x, int y) const
{
    const auto cx = static_cast<float>(x * kCell);
    const auto cy = static_cast<float>(y * kCell);
    for (const MapSymbolRecord* s = symbolList; s != nullptr; s = s->next)
        if (s->x == cx && s->y == cy)
            return true;
    return false;
}
