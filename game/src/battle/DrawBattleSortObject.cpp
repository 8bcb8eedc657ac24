#include "battle/DrawBattleSortObject.h"

#include <cstring>

#include "battle/BattleEffect.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "enemies/EnemyServices.h"
#include "party/PartyServices.h"

namespace {

constexpr float kMemberFootOffset = 32.0f;
constexpr float kPartyShotFootOffset = 32.0f;
constexpr float kEnemyShotFootOffset = 16.0f;
constexpr std::uint32_t kEnemyDefeated = 1u << 27;
constexpr std::uint32_t kEnemyEscaped = 1u << 30;
constexpr std::uint32_t kKindGoneFromField = 1u << 21;
constexpr std::uint32_t kKindDropShown = 1u << 31;
constexpr std::uint32_t kDefeatSequenceDone = 1u << 31;

float MemberFootY(int member)
{
    return TheCharacter->members[member].y + kMemberFootOffset;
}

// The enemy's foot line: its top (or the drawn place of an escaping enemy)
// plus the bottom of its body box.
float EnemyFootY(const EnemyRecord& r)
{
    const float top = (r.FlagsA & kEnemyEscaped) != 0 ? r.EscapeDrawY : r.PosY;
    return top + r.BodyBox.bottom;
}

// A beaten enemy leaves the list once its sparkles are gone and it has left
// the field (escaped) or finished its defeat without a drop still shown.
bool IsEnemyLeftOut(const EnemyRecord& r, int slot)
{
    if ((r.FlagsA & kEnemyDefeated) == 0 || TheBattleEffect->HasEnemySparks(slot))
        return false;
    if ((r.FlagsA & kEnemyEscaped) != 0)
        return (r.KindWord & kKindGoneFromField) != 0;
    return (r.FlagsC & kDefeatSequenceDone) != 0 && (r.KindWord & kKindDropShown) == 0;
}

// The recursive merge of both lists: the left head is taken only when its
// key is strictly greater, so equal keys take the right half first.
template <typename Index, typename KeyOf>
void MergeSortDescending(Index* order, Index* scratch, int low, int high, const KeyOf& keyOf)
{
    if (low >= high)
        return;
    const int mid = (low + high) / 2;
    MergeSortDescending(order, scratch, low, mid, keyOf);
    MergeSortDescending(order, scratch, mid + 1, high, keyOf);
    std::memcpy(scratch + low, order + low, sizeof(Index) * static_cast<std::size_t>(high - low + 1));
    int left = low;
    int right = mid + 1;
    int out = low;
    while (left <= mid && right <= high)
        order[out++] = keyOf(scratch[left]) > keyOf(scratch[right]) ? scratch[left++] : scratch[right++];
    while (left <= mid)
        order[out++] = scratch[left++];
    while (right <= high)
        order[out++] = scratch[right++];
}

} // namespace

void CDrawBattleSortObject::InitDrawBattleSortObject()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
}

void CDrawBattleSortObject::ClearBattleSortList()
{
    SortCount = 0;
    UnitCount = 0;
}

bool CDrawBattleSortObject::AddSortEntry(void* owner, float y, std::uint8_t kind, std::uint8_t index)
{
    SortEntries[SortCount] = {owner, BattleDepthKey(y), kind, index};
    if (++SortCount < BATTLE_SORT_CAPACITY)
        return true;
    SortCount = BATTLE_SORT_CAPACITY - 1;
    return false;
}

bool CDrawBattleSortObject::CollectEnemyShots()
{
    if (TheEnemyShotList == nullptr)
        return true;
    for (EnemyShotNode* node = TheEnemyShotList->ShotHead; node != nullptr; node = node->Next)
        if (!node->Removed && eshot::Visible::Get(node->BitsA) != 0 &&
            !AddSortEntry(node, node->Y + kEnemyShotFootOffset, SORT_ENEMY_SHOT, 0))
            return false;
    return true;
}

// Member 0's blow (class 0) is not listed: member 0 draws it with itself.
void CDrawBattleSortObject::CollectPartyShots()
{
    CCharaShot& shots = *TheCharaShot;
    for (CharaShotNode* node = shots.head; node != nullptr; node = node->next) {
        if (!ShotInView::IsSet(node->shotBits) || node->age < 1)
            continue;
        const std::uint32_t shotClass = node->Kind();
        if (shotClass == SHOT_ATTACHED) {
            shots.attachedVisible = 1;
            shots.attachedShot = node;
            continue;
        }
        const std::uint8_t kind = shotClass == SHOT_STRAIGHT ? SORT_PARTY_SHOT_STRAIGHT : SORT_PARTY_SHOT_MAGIC;
        if (!AddSortEntry(node, node->y + kPartyShotFootOffset, kind, 0))
            return;
    }
}

void CDrawBattleSortObject::MakeBattleSortList()
{
    SceneTrace::Note("MakeBattleSortList");
    if (TheCharaShot != nullptr) {
        TheCharaShot->attachedVisible = 0;
        TheCharaShot->attachedShot = nullptr;
    }
    SortCount = 0;
    for (int m = 0; m < BATTLE_SORT_MEMBERS; ++m)
        AddSortEntry(nullptr, MemberFootY(m), SORT_MEMBER, static_cast<std::uint8_t>(m));
    const CEnemyGroup& group = *TheEnemyGroup;
    for (int slot = 0; slot < group.EnemyCount(); ++slot)
        if (!IsEnemyLeftOut(group.Records[slot], slot))
            AddSortEntry(nullptr, EnemyFootY(group.Records[slot]), SORT_ENEMY, static_cast<std::uint8_t>(slot));
    // A list full of enemy shots has no room for party shots; the unit list
    // is still rebuilt, so the overlays follow this frame's places.
    if (CollectEnemyShots() && TheCharaShot != nullptr)
        CollectPartyShots();
    SortBattleSortList();
    MakeUnitList();
}

void CDrawBattleSortObject::SortBattleSortList()
{
    if (SortCount >= BATTLE_SORT_CAPACITY)
        SortCount = BATTLE_SORT_CAPACITY - 1;
    for (int i = 0; i < SortCount; ++i)
        SortOrder[i] = static_cast<std::uint16_t>(i);
    MergeSortDescending(SortOrder, SortScratch, 0, SortCount - 1,
                        [this](std::uint16_t i) { return SortEntries[i].key; });
}

void CDrawBattleSortObject::MakeUnitList()
{
    const CEnemyGroup& group = *TheEnemyGroup;
    const int enemies = group.EnemyCount();
    for (int m = 0; m < BATTLE_SORT_MEMBERS; ++m)
        UnitEntries[m] = {BattleDepthKey(MemberFootY(m)), 1, static_cast<std::uint8_t>(m)};
    for (int slot = 0; slot < enemies; ++slot)
        UnitEntries[BATTLE_SORT_MEMBERS + slot] = {BattleDepthKey(EnemyFootY(group.Records[slot])), 0,
                                                   static_cast<std::uint8_t>(slot)};
    UnitCount = static_cast<std::uint8_t>(BATTLE_SORT_MEMBERS + enemies);
    SortBattleUnitList();
    int members = 0;
    int others = 0;
    for (int i = 0; i < UnitCount; ++i) {
        const BattleUnitEntry& unit = UnitEntries[UnitOrder[i]];
        if (unit.isMember != 0)
            MemberOrder[members++] = unit.index;
        else
            EnemyOrder[others++] = unit.index;
    }
}

void CDrawBattleSortObject::SortBattleUnitList()
{
    for (int i = 0; i < UnitCount; ++i)
        UnitOrder[i] = static_cast<std::uint8_t>(i);
    MergeSortDescending(UnitOrder, UnitScratch, 0, UnitCount - 1,
                        [this](std::uint8_t i) { return UnitEntries[i].key; });
}

void CDrawBattleSortObject::DrawBattleSortList()
{
    SceneTrace::Note("DrawBattleSortList");
    for (int i = 0; i < SortCount; ++i) {
        const BattleSortEntry& entry = SortEntries[SortOrder[i]];
        switch (entry.kind) {
        case SORT_MEMBER:
            DrawPartyBattle(entry.index, entry.key);
            break;
        case SORT_PARTY_SHOT_STRAIGHT:
        case SORT_PARTY_SHOT_MAGIC:
            TheCharaShot->DrawCharaShot(static_cast<CharaShotNode*>(entry.owner), entry.key);
            break;
        case SORT_ENEMY:
            TheEnemyGroup->DrawEnemyObject(entry.index, entry.key);
            break;
        case SORT_ENEMY_SHOT:
            TheEnemyShotList->DrawEnemyShotSprite(static_cast<EnemyShotNode*>(entry.owner), entry.key);
            break;
        default:
            break;
        }
    }
}

// Every status overlay first, then every effect label, each pass back to front.
void CDrawBattleSortObject::DrawBattleSortListUnits()
{
    SceneTrace::Note("DrawBattleSortListUnits");
    const CCharacter& party = *TheCharacter;
    const CEnemyGroup& group = *TheEnemyGroup;
    for (int i = 0; i < UnitCount; ++i) {
        const BattleUnitEntry& unit = UnitEntries[UnitOrder[i]];
        if (unit.isMember != 0) {
            if (party.members[unit.index].effectBits != 0)
                DrawPartyBattleOverlay(unit.index);
            if (unit.index == 2 && party.PartyFlag30())
                DrawMemberBattleSprite();
        } else if (group.Records[unit.index].Status.effectBits != 0) {
            DrawEnemyStatusIcon(unit.index);
        }
    }
    for (int i = 0; i < UnitCount; ++i) {
        const BattleUnitEntry& unit = UnitEntries[UnitOrder[i]];
        const std::uint32_t marks = unit.isMember != 0 ? MarkCount::Get(party.members[unit.index].effectState)
                                                       : MarkCount::Get(group.Records[unit.index].Status.effectState);
        if (marks == 0)
            continue;
        if (unit.isMember != 0)
            DrawMemberEffects(unit.index);
        else
            DrawEnemyEffects(unit.index);
    }
}
