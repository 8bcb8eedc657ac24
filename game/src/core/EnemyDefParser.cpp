#include "core/EnemyDefParser.h"

#include "core/GameDataTables.h"
#include "core/TableCheck.h"
#include "core/EnemyDefFields.h"

namespace {

constexpr int kGraphicLimit = 182;

struct Checker {
    EnemyDefFault& fault;
    int kind;

    bool Refuse(const char* record, int index, const char* field, std::string why)
    {
        fault.kind = kind;
        fault.record = record;
        fault.index = index;
        fault.field = field;
        fault.why = std::move(why);
        return false;
    }
};

int DropRowCount(int category)
{
    if (category == 0)
        return ITEM_ROW_COUNT;
    if (category <= 3)
        return WEAPON_ROW_COUNT;
    if (category <= 6)
        return ARMOR_ROW_COUNT;
    return ACCESSORY_ROW_COUNT;
}

bool CheckKind(Checker& c, const EnemyKindDef& k)
{
    if (k.MaxHp < 1 || k.MaxHp > ENEMY_MAX_HP)
        return c.Refuse("kind", 0, "MaxHp",
                        std::to_string(static_cast<std::uint32_t>(k.MaxHp)) + " is outside 1-" +
                            std::to_string(ENEMY_MAX_HP));
    if (k.NameLength > ENEMY_NAME_UNITS)
        return c.Refuse("kind", 0, "NameLength", OutsideRangeText(k.NameLength, 0, ENEMY_NAME_UNITS));
    if (k.MoveCount > ENEMY_MAX_MOVES)
        return c.Refuse("kind", 0, "MoveCount", OutsideRangeText(k.MoveCount, 0, ENEMY_MAX_MOVES));
    if (k.ActionCount > ENEMY_MAX_ACTIONS)
        return c.Refuse("kind", 0, "ActionCount", OutsideRangeText(k.ActionCount, 0, ENEMY_MAX_ACTIONS));
    if (k.AiType > ENEMY_AI_TYPE_LIMIT)
        return c.Refuse("kind", 0, "AiType", OutsideRangeText(k.AiType, 0, ENEMY_AI_TYPE_LIMIT));
    if (k.GraphicId > kGraphicLimit)
        return c.Refuse("kind", 0, "GraphicId", OutsideRangeText(k.GraphicId, 0, kGraphicLimit));
    if (k.DropItemId >= DropRowCount(k.DropItemCategory))
        return c.Refuse("kind", 0, "DropItemId",
                        "row " + std::to_string(k.DropItemId) + " of category " + std::to_string(k.DropItemCategory) +
                            " does not exist");
    return true;
}

bool CheckMove(Checker& c, const EnemyKindDef& k, int index, const EnemyMoveDef& m)
{
    if (m.FallbackMove >= k.MoveCount)
        return c.Refuse("move", index, "FallbackMove", OutsideRangeText(m.FallbackMove, 0, k.MoveCount - 1));
    if (m.NextMove >= k.MoveCount)
        return c.Refuse("move", index, "NextMove", OutsideRangeText(m.NextMove, 0, k.MoveCount - 1));
    return true;
}

bool CheckAction(Checker& c, const EnemyKindDef& k, int index, const EnemyActionDef& a)
{
    if (a.FallbackAction >= k.ActionCount)
        return c.Refuse("action", index, "FallbackAction", OutsideRangeText(a.FallbackAction, 0, k.ActionCount - 1));
    if (a.NextAction >= k.ActionCount)
        return c.Refuse("action", index, "NextAction", OutsideRangeText(a.NextAction, 0, k.ActionCount - 1));
    if (a.GaugeMember > ENEMY_STOCK_LIMIT)
        return c.Refuse("action", index, "GaugeMember", OutsideRangeText(a.GaugeMember, 0, ENEMY_STOCK_LIMIT));
    if (IsShotActionType(a.ActionType) && a.ShotSlots == 0)
        return c.Refuse("action", index, "ShotSlots", "0 on a shot action");
    if (a.ActionType == ENEMY_ACTION_SUMMON && a.ActionCount16 >= ENEMY_KIND_TOTAL)
        return c.Refuse("action", index, "ActionCount16", "summons kind " + OutsideRangeText(a.ActionCount16, 0, 193));
    if (a.ActionType == ENEMY_ACTION_STOCK_DRAIN) {
        if ((a.Param & 7) > ENEMY_STOCK_LIMIT)
            return c.Refuse("action", index, "Param", "stock " + OutsideRangeText(a.Param & 7, 0, ENEMY_STOCK_LIMIT));
        if (a.ActionCount16 == 0)
            return c.Refuse("action", index, "ActionCount16", "a drain period of 0");
    }
    return true;
}

} // namespace

std::string EnemyDefFault::Line() const
{
    std::string line = "enemy kind " + std::to_string(kind) + ", " + record;
    line += std::string(record) == "kind" ? std::string(" record") : " " + std::to_string(index);
    return line + ", " + field + ": " + why;
}

bool ParseEnemyKinds(const std::uint8_t* bytes, std::size_t size, std::vector<EnemyKind>& kinds, EnemyDefFault& fault)
{
    kinds.assign(ENEMY_KIND_TOTAL, EnemyKind{});
    std::size_t at = 0;
    for (int n = 0; n < ENEMY_KIND_TOTAL; ++n) {
        Checker c{fault, n};
        EnemyKind& kind = kinds[n];
        if (size - at < ENEMY_KIND_RECORD_SIZE)
            return c.Refuse("kind", 0, "record", "the entry ends inside it");
        UnpackRecord(bytes + at, kKindFields, kind.def);
        for (int i = 0; i < ENEMY_NAME_UNITS; ++i) {
            const std::uint8_t* unit = bytes + at + ENEMY_NAME_OFFSET + 2 * i;
            kind.def.Name[i] = i < kind.def.NameLength ? static_cast<char16_t>(unit[0] | unit[1] << 8) : u'\0';
        }
        if (!CheckKind(c, kind.def))
            return false;
        at += ENEMY_KIND_RECORD_SIZE;
        const std::size_t listBytes = static_cast<std::size_t>(ENEMY_MOVE_RECORD_SIZE) * kind.def.MoveCount +
                                      static_cast<std::size_t>(ENEMY_ACTION_RECORD_SIZE) * kind.def.ActionCount;
        if (size - at < listBytes)
            return c.Refuse("kind", 0, "MoveCount", "its movements and actions run past the entry's end");
        kind.moves.resize(kind.def.MoveCount);
        for (int i = 0; i < kind.def.MoveCount; ++i, at += ENEMY_MOVE_RECORD_SIZE) {
            UnpackRecord(bytes + at, kMoveFields, kind.moves[i]);
            if (!CheckMove(c, kind.def, i, kind.moves[i]))
                return false;
        }
        kind.actions.resize(kind.def.ActionCount);
        for (int i = 0; i < kind.def.ActionCount; ++i, at += ENEMY_ACTION_RECORD_SIZE) {
            UnpackRecord(bytes + at, kActionFields, kind.actions[i]);
            if (!CheckAction(c, kind.def, i, kind.actions[i]))
                return false;
        }
    }
    if (at != size) {
        Checker c{fault, ENEMY_KIND_TOTAL - 1};
        return c.Refuse("kind", 0, "record", std::to_string(size - at) + " bytes follow the last kind");
    }
    return true;
}
