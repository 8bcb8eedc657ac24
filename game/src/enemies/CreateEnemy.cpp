// One enemy record made from its kind: picture, size and frames, stats,
// boxes, starting cooldowns, place, target order and the kind's set-ups.
#include <algorithm>
#include <cstring>

#include "battle/BattleServices.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/BattleRecordWords.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyImmunity.h"
#include "core/EnemyKinds.h"
#include "enemies/kinds/KindHooks.h"
#include "field/FieldServices.h"
#include "party/PartyServices.h"

namespace {

constexpr int kStatBonusAttack = 200;
constexpr int kStatBonusDefence = 100;
constexpr int kSharedAiType = 22;
constexpr int kPhaseKind = 17;
constexpr std::uint16_t kPhaseKindPeriod = 960;
constexpr int kPhaseKindCycle = 3;
constexpr int kAlwaysDropKind = 191;
constexpr std::uint32_t kMapTableBattlesFixed = 0x400;
constexpr int kStatBonusEffects[2] = {3, 4};

EnemyBox Box(int left, int top, int right, int bottom)
{
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right), static_cast<float>(bottom)};
}

} // namespace

bool CEnemyGroup::CreateEnemy(int slot, int kind, float x, float y, bool carriesDrop, bool clamp, int facing)
{
    if (slot < 0 || slot >= ENEMY_SLOTS || FindEnemyKind(0) == nullptr)
        return false;
    kind = CheckedKindId(kind);
    const EnemyKind& k = *FindEnemyKind(kind);
    const EnemyKindDef& def = k.def;
    EnemyRecord& r = Records[slot];
    const bool bonus = (GroupBits2 & GROUP2_STAT_BONUS) != 0;

    // Kind, picture, stats.
    KindDefs[slot] = &def;
    MoveDefs[slot] = k.moves.empty() ? nullptr : k.moves.data();
    ActionDefs[slot] = k.actions.empty() ? nullptr : k.actions.data();
    SetBits(r.KindWord, KIND_WORD_KIND, 10, static_cast<std::uint32_t>(kind));
    const int cacheSlot = LoadEnemyTexture(def.GraphicId);
    SetBits(r.FlagsA, FLAGS_A_TEXTURE_SLOT, 4,
            static_cast<std::uint32_t>(cacheSlot < 0 ? ENEMY_NO_TEXTURE : cacheSlot));
    SetBits(r.FlagsB, FLAGS_B_RANDOM_MEMBER, 2, static_cast<std::uint32_t>(GameRandom() * 3 >> 15));
    r.Alpha = 255;
    r.MaxHp = r.Hp = def.MaxHp;
    r.ExpValue = static_cast<std::uint16_t>(def.Exp);
    r.KindWord = carriesDrop ? r.KindWord | KIND_WORD_CARRIES_DROP : r.KindWord & ~KIND_WORD_CARRIES_DROP;
    r.Attack = def.Attack + (bonus ? kStatBonusAttack : 0);
    r.AttackB = def.AttackB + (bonus ? kStatBonusAttack : 0);
    r.Defence = def.Defence + (bonus ? kStatBonusDefence : 0);
    r.DefenceB = def.DefenceB + (bonus ? kStatBonusDefence : 0);

    // Size and the frame in the picture: a frame larger than a quarter of
    // the picture is halved; a picture four times as wide as high is one row.
    r.Width = r.Height = static_cast<float>(EnemySpriteSide(def.SizeClass));
    r.FrameWidth = r.Width;
    r.FrameHeight = r.Height;
    if (const CTexture* texture = EnemyTexture(slot)) {
        const bool oneRow = texture->height * 4.0f <= texture->width;
        r.FlagsE = oneRow ? r.FlagsE | FLAGS_E_ONE_ROW : r.FlagsE & ~FLAGS_E_ONE_ROW;
        if (r.FrameWidth > texture->width / 4.0f)
            r.FrameWidth /= 2.0f;
        if (r.FrameHeight > texture->height / (oneRow ? 1.0f : 4.0f))
            r.FrameHeight /= 2.0f;
    }

    // Label, underlay, immunities, resistances, contact.
    r.LabelHeight = static_cast<float>(def.LabelHeight);
    if (def.SizeClass == 1 || def.SizeClass == 3)
        r.FlagsF |= FLAGS_F_ALT_UNDERLAY;
    r.ImmunityMask = ImmunityMaskOf(def);
    r.ElementResist[0] = static_cast<std::uint8_t>(def.Resist0);
    r.ElementResist[1] = static_cast<std::uint8_t>(def.Resist1);
    r.ElementResist[2] = static_cast<std::uint8_t>(def.Resist2);
    r.ElementResist[3] = static_cast<std::uint8_t>(def.Resist3);
    if (def.NoContact && !def.ContactOverride)
        r.FlagsE |= FLAGS_E_NO_CONTACT;

    // Boxes and the cooldowns the battle starts with.
    r.BodyBox = Box(def.BodyLeft, def.BodyTop, def.BodyRight, def.BodyBottom);
    r.HitBox = Box(def.HitLeft, def.HitTop, def.HitRight, def.HitBottom);
    r.OuterBox = Box(def.ContactLeft - 3, def.ContactTop - 3, def.ContactRight + 3, def.ContactBottom + 1);
    r.InnerBox = Box(def.ContactLeft + 1, def.ContactTop + 1, def.ContactRight - 1, def.ContactBottom - 1);
    for (std::size_t i = 0; i < k.actions.size() && i < ENEMY_MAX_ACTIONS; ++i)
        if (k.actions[i].StartCooled)
            r.ActionCooldown[i] = static_cast<std::uint16_t>(StretchDelay(slot, k.actions[i].Cooldown));
    for (std::size_t i = 0; i < k.moves.size() && i < ENEMY_MAX_MOVES; ++i)
        if (k.moves[i].StartCooled)
            r.MoveCooldown[i] = static_cast<std::uint16_t>(StretchDelay(slot, k.moves[i].Cooldown));
    r.ActionCooldownAll = StretchDelay(slot, def.FirstActionDelay);
    r.MoveCooldownAll = StretchDelay(slot, def.FirstMoveDelay);
    ClearMoveUses(slot);

    // The dropped item's fall and the name's width.
    r.DropFallLimit = std::max(0.0f, r.LabelHeight - r.Height / 2.0f - 6.0f);
    r.NameWidth = TheBattleBackground->GetBattleLabelWidth(def.Name, def.NameLength);

    // Place and facing.
    SetEnemyPosition(slot, x, y);
    if (clamp)
        ClampEnemyToField(slot, 3);
    r.PrevX = r.PosX;
    r.PrevY = r.PosY;
    SetBits(r.FlagsA, FLAGS_A_FACING, 2, static_cast<std::uint32_t>(facing));

    // Whom it prefers to aim at.
    if (def.ShuffleTargets) {
        const int first = GameRandom() * 3 >> 15;
        const int second = (first + 1 + (GameRandom() >> 14)) % 3;
        r.TargetOrder[first] = 2;
        r.TargetOrder[second] = 1;
        r.TargetOrder[3 - first - second] = 0;
    } else {
        r.TargetOrder[0] = 2;
        r.TargetOrder[1] = 1;
        r.TargetOrder[2] = 0;
    }

    // The first enemy of the shared AI draws the group's value.
    if (def.AiType == kSharedAiType && !(GroupBits2 & GROUP2_SHARED_AI_TAKEN)) {
        GroupBits2 |= GROUP2_SHARED_AI_TAKEN;
        SetBits(GroupBits2, 16, 2, static_cast<std::uint32_t>(GameRandom() * 3 >> 15));
    }

    // The kind's own set-ups.
    if (def.PhaseRotation) {
        int index = static_cast<int>(GetBits(GroupBits, GROUP_PHASE_INDEX, 3));
        SetBits(GroupBits, GROUP_PHASE_INDEX, 3, static_cast<std::uint32_t>((index + 1) % 8));
        int length = PhaseCycleLength(kind);
        if (kind == kPhaseKind) {
            if (PhasePeriod == 0)
                PhasePeriod = kPhaseKindPeriod;
            length = kPhaseKindCycle;
            index %= kPhaseKindCycle;
        }
        SetBits(r.FlagsD, FLAGS_D_PHASE_INDEX, 3, static_cast<std::uint32_t>(index));
        SetBits(r.FlagsD, FLAGS_D_PHASE_LENGTH, 3, static_cast<std::uint32_t>(length));
    }
    if (def.PeriodicSpecial)
        InitEnemySpecialPeriod(*this, slot);
    else
        r.KindTimer = 0;
    if (def.CreationHook)
        InitEnemyKindSpecial(*this, slot);
    SetSeenBy(slot);

    // The map's stat bonus also lays two status effects on it.
    if (bonus)
        for (int effect : kStatBonusEffects)
            ApplyHitStatusEffects(r.Status, EFFECT_SIDE_ENEMY, slot, effect, 1);

    // The first frame of its sprite.
    UpdateSpriteFrame(slot);
    RegisterKindDrawing(*this, slot);
    return true;
}

void CEnemyGroup::ClearMoveUses(int slot)
{
    std::memset(Records[slot].MoveUses, 0, sizeof Records[slot].MoveUses);
}

// Which members may aim at the enemy: all with the kind's flag; in the
// fixed-damage mode the kind's own bytes; otherwise the members whose
// attack (members 0 and 1) or magic attack (member 2) beats its defence.
void CEnemyGroup::SetSeenBy(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    if (def.AllSeen) {
        r.SeenBy[0] = r.SeenBy[1] = r.SeenBy[2] = 1;
    } else if (TheBattleTouch->flags & 1u) {
        r.SeenBy[0] = def.TestSeenBy0 != 0;
        r.SeenBy[1] = def.TestSeenBy1 != 0;
        r.SeenBy[2] = def.TestSeenBy2 != 0;
    } else {
        r.SeenBy[0] = def.Defence < TheCharacter->statsA[0][0];
        r.SeenBy[1] = def.Defence < TheCharacter->statsA[1][0];
        r.SeenBy[2] = def.DefenceB < TheCharacter->statsA[2][1];
    }
}

void CEnemyGroup::SetupFixedBattleEnemy(int slot)
{
    EnemyRecord& r = Records[slot];
    const EnemyKindDef& def = *KindDefs[slot];
    r.MaxHp = r.Hp = static_cast<std::int32_t>(std::clamp<std::uint32_t>(static_cast<std::uint32_t>(def.FixedHp), 1u,
                                                                         static_cast<std::uint32_t>(ENEMY_MAX_HP)));
    r.FixedDamage[0] = static_cast<std::int16_t>(def.TestSeenBy0);
    r.FixedDamage[1] = static_cast<std::int16_t>(def.TestSeenBy1);
    r.FixedDamage[2] = static_cast<std::int16_t>(def.TestSeenBy2);
    const bool mapTableFixed =
        (GroupBits & GROUP_ENCOUNTER_TABLE) && CurrentMap != nullptr &&
        (RecordWord(BattleRecordBytes(CurrentMap + mapblob::kFlagsBOffset, 4), 0) & kMapTableBattlesFixed) != 0;
    if ((GroupBits & GROUP_FROM_FORMATION) || mapTableFixed) {
        r.ExpValue = 0;
        const int kind = static_cast<int>(GetBits(r.KindWord, KIND_WORD_KIND, 10));
        if (def.DropChance == 1 && kind != kAlwaysDropKind)
            r.KindWord &= ~KIND_WORD_CARRIES_DROP;
    }
    SetSeenBy(slot);
}
