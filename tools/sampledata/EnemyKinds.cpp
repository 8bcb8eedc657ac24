// The 194 enemy kinds of the sample data, written through the loader's own
// field table. Kinds 0 to 16 are demo kinds a battle shows (walkers, a
// caster, a healer, a summoner, bosses); the others are plain valid stubs.
#include <algorithm>
#include <string>

#include "SampleData.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/EnemyDefWriter.h"

namespace sampledata {
namespace {

constexpr int kDemoKindCount = 17;
constexpr int kDemoExpBase = 500;
constexpr int kMaxKindExp = 1023; // the kind's 10-bit field

std::u16string Digits(int n)
{
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

EnemyKind BaseKind(const std::u16string& name, int hp, int sizeClass, int graphic)
{
    EnemyKind k;
    EnemyKindDef& d = k.def;
    d.MaxHp = hp;
    d.FixedHp = hp;
    d.Attack = d.AttackB = 8 + hp / 20;
    d.Defence = d.DefenceB = 2 + hp / 60;
    d.FirstActionDelay = 60;
    d.NameLength = static_cast<std::int32_t>(name.size());
    for (std::size_t i = 0; i < name.size() && i < ENEMY_NAME_UNITS; ++i)
        d.Name[i] = name[i];
    const int size = EnemySpriteSide(sizeClass);
    // The hurt box reaches wider than the body, so a blow lands a little
    // before the walker meets the body.
    d.BodyLeft = d.ContactLeft = size / 8;
    d.HitLeft = size / 16;
    d.BodyTop = d.ContactTop = d.HitTop = size / 8;
    d.BodyRight = d.ContactRight = size - size / 8;
    d.HitRight = size - size / 16;
    d.BodyBottom = d.ContactBottom = d.HitBottom = size - 2;
    d.GraphicId = graphic;
    d.KnockbackFrames = 12;
    d.LabelHeight = size / 2 + 24 > 127 ? 127 : size / 2 + 24;
    d.TurnChance = 5;
    d.Money = 5 + hp / 10;
    d.Exp = 3 + hp / 20 > 1023 ? 1023 : 3 + hp / 20;
    d.Level = 1 + hp / 100;
    d.Resist0 = d.Resist1 = d.Resist2 = d.Resist3 = 3; // × 1.0
    d.FirstMoveDelay = 30;
    d.SizeClass = sizeClass;
    d.FlinchFrames = 16;
    return k;
}

EnemyMoveDef Move(int type, float speed, int duration)
{
    EnemyMoveDef m{};
    m.MoveType = type;
    m.Speed = speed;
    m.Speed2 = 0.05f;
    m.Duration = duration;
    m.Period = 40;
    m.Cooldown = 30;
    m.RetryDelay = 10;
    m.Weight = 10;
    m.HpMaxPercent = 100;
    return m;
}

EnemyActionDef Action(int type, int length)
{
    EnemyActionDef a{};
    a.ActionType = type;
    a.Length = length;
    a.RetryDelay = 20;
    a.Cooldown = 90;
    a.Weight = 10;
    a.HpMaxPercent = 100;
    a.IconId = -1;
    a.TestKind = 0;
    return a;
}

// A sub-pattern attack firing `shots` motion-0 shots.
EnemyActionDef Shot(int type, int shots, float speed)
{
    EnemyActionDef a = Action(type, 60);
    a.ActionParam0 = speed;
    a.ActionCount16 = 240;
    a.ActionLength18 = 280;
    a.RepeatPeriod = 20;
    a.StartDelay = 10;
    a.ShotSlots = shots;
    a.ShotsPerVolley = shots;
    a.ShotHits = 1;
    a.ShotErasable = 1;
    return a;
}

// Action `a` only when the enemy's code A (code B) test passes.
EnemyActionDef When(EnemyActionDef a, int codeA, int paramA, int codeB, int paramB)
{
    a.CondA = codeA;
    a.CondAParam = paramA;
    a.CondB = codeB;
    a.CondBParam = paramB;
    return a;
}

EnemyKind Walker(const std::u16string& name, int hp, int sizeClass, int graphic)
{
    EnemyKind k = BaseKind(name, hp, sizeClass, graphic);
    k.moves = {Move(0, 0.0f, 40), Move(7, 1.0f, 60)};
    k.actions = {Action(0, 30), Shot(1, 1, 2.0f)};
    return k;
}

std::vector<EnemyKind> DemoKinds()
{
    std::vector<EnemyKind> kinds;
    // 0: stands and fires; no movements.
    EnemyKind slime = BaseKind(u"スライム", 30, 0, 0);
    slime.actions = {Action(0, 30), Shot(1, 1, 1.5f)};
    slime.def.DropChance = 1; // always carries a herb
    kinds.push_back(slime);
    kinds.push_back(Walker(u"コウモリ", 40, 0, 1));
    EnemyKind goblin = Walker(u"ゴブリン", 80, 1, 2);
    goblin.moves.push_back(Move(22, 1.2f, 90));
    goblin.actions.push_back(Action(2, 30)); // dash
    goblin.actions.back().ActionParam0 = 4.0f;
    goblin.actions.back().ActionCount16 = 20;
    goblin.def.DropChance = 2;
    goblin.def.DropItemCategory = 1;
    goblin.def.DropItemId = 3;
    kinds.push_back(goblin);
    // 3: the caster, three movements and two spells.
    EnemyKind caster = BaseKind(u"まどうし", 60, 0, 3);
    caster.moves = {Move(0, 0.0f, 30), Move(7, 0.8f, 60), Move(22, 0.8f, 60)};
    caster.actions = {Shot(3, 3, 2.5f), Shot(38, 1, 3.0f)};
    caster.actions[0].IsSpell = 1;
    caster.actions[0].StartDelay = 40;
    caster.actions[0].IconId = 2;
    kinds.push_back(caster);
    // 4: the healer.
    EnemyKind healer = Walker(u"いやしそう", 70, 0, 4);
    healer.actions = {Action(23, 30), Action(0, 30)};
    healer.actions[0].ActionCount16 = 20; // heals 20 to 40 percent
    healer.actions[0].ActionLength18 = 40;
    healer.actions[0].IsSpell = 1;
    healer.actions[0].StartDelay = 30;
    kinds.push_back(healer);
    // 5: the summoner calls two slimes.
    EnemyKind summoner = Walker(u"しょうかんし", 90, 1, 5);
    summoner.actions = {Action(27, 30), Shot(5, 2, 2.0f)};
    summoner.actions[0].ActionCount16 = 0;
    summoner.actions[0].Param = 2;
    summoner.actions[0].MaxUses = 2;
    kinds.push_back(summoner);
    // 6: a slow golem drawn from a one-row sheet.
    EnemyKind golem = Walker(u"ゴーレム", 300, 2, 6);
    golem.def.KnockbackMode = 2;
    golem.def.Resist0 = 1;         // × 0.5 against red
    golem.def.Resist3 = 6;         // × 2.0 against brown
    golem.def.ImmunityA = 0b110;   // poison and skill seal
    golem.def.ImmunityB = 0b10000; // stop
    kinds.push_back(golem);
    // 7 and 8: bosses.
    EnemyKind dragon = BaseKind(u"ドラゴン", 2000, 3, 7);
    dragon.def.BossBattle = 1;
    dragon.moves = {Move(22, 0.6f, 120)};
    dragon.actions = {Shot(1, 5, 2.0f), Shot(3, 8, 1.5f), Shot(38, 1, 3.5f)};
    dragon.def.DropChance = 1;
    dragon.def.DropItemCategory = 7;
    dragon.def.DropItemId = 10;
    dragon.def.Resist0 = 0;          // × 0.25 against red
    dragon.def.Resist1 = 7;          // × 2.5 against blue
    dragon.def.ImmunityA = 0b10001;  // all boosts, confusion
    dragon.def.ImmunityB = 0b100001; // slip, weakness
    kinds.push_back(dragon);
    EnemyKind lord = BaseKind(u"まおう", 3000, 2, 8);
    lord.def.BossBattle = 1;
    lord.def.ShuffleTargets = 1;
    lord.moves = {Move(0, 0.0f, 60), Move(7, 0.7f, 80)};
    lord.actions = {Shot(5, 4, 2.0f), Action(27, 30)};
    lord.actions[1].ActionCount16 = 1;
    lord.actions[1].Param = 1;
    kinds.push_back(lord);
    const std::u16string names[] = {u"ウルフ", u"スケルトン", u"ゴースト", u"キノコ",
                                    u"ヘビ",   u"カラス",     u"クモ",     u"ナイト"};
    // Kinds 9-16 show one family each, with the AI type that picks their targets.
    const int aiTypes[8] = {9, 1, 2, 3, 4, 14, 21, 22};
    for (int i = 0; i < 8; ++i) {
        const int id = 9 + i;
        EnemyKind k = Walker(names[i], 50 + 15 * i, i % 3, id);
        k.def.DropChance = 1 + i % 4;
        k.def.DropItemId = i;
        k.def.AiType = aiTypes[i];
        kinds.push_back(k);
    }
    EnemyKind* family = &kinds[9];
    // 9: strikes only at a member in front of it and within reach.
    family[0].actions = {Action(0, 30), When(Shot(13, 1, 3.0f), 14, 3, 0, 0)};
    // 10: revives a fallen fellow.
    family[1].actions = {Action(0, 30), When(Action(25, 30), 0, 0, 9, 1)};
    family[1].actions[1].ActionCount16 = 30; // back with 30 to 50 percent
    family[1].actions[1].ActionLength18 = 50;
    family[1].actions[1].Weight = 40;
    // 11: lays attack-up on the whole group.
    family[2].actions = {Action(0, 30), Action(26, 30)};
    family[2].actions[1].Param = 1;
    family[2].actions[1].ActionLength18 = 3;
    // 12: cures its fellows' ailments, and fires while none is ailing.
    family[3].actions = {Shot(12, 1, 2.0f), When(Action(24, 30), 0, 0, 21, 0)};
    // 13: flees sideways once hurt, the more likely the more HP it lost.
    family[4].actions = {Shot(11, 1, 2.0f), When(Action(22, 30), 0, 0, 39, 0)};
    family[4].actions[1].ActionParam0 = 3.0f;
    family[4].actions[1].Param = 1;
    family[4].actions[1].HpMaxPercent = 70;
    // 14: bounces off the field edges.
    family[5].moves = {Move(12, 1.5f, 120)};
    // 15: fires at its random target; 16 strikes along a line at the member the group remembers.
    family[6].actions = {Action(0, 30), Shot(13, 2, 2.0f)};
    family[7].actions = {Action(0, 30), When(Shot(13, 1, 3.5f), 27, 4, 0, 0)};
    // The demo kinds give much experience: the fighter's first battle on map
    // 0 (a slime and a bat) lifts every member of a new game a level.
    for (EnemyKind& kind : kinds)
        kind.def.Exp = std::min(kDemoExpBase + kind.def.MaxHp / 2, kMaxKindExp);
    return kinds;
}

} // namespace

std::vector<EnemyKind> SampleEnemyKinds()
{
    std::vector<EnemyKind> kinds = DemoKinds();
    for (int id = kDemoKindCount; id < ENEMY_KIND_COUNT; ++id) {
        // Stubs use the pictures the demo kinds leave, all 32 × 32.
        const int graphic = kDemoKindCount + (id - kDemoKindCount) % (ENEMY_GRAPHIC_COUNT - kDemoKindCount);
        kinds.push_back(BaseKind(u"魔物" + Digits(id), 30 + id, 0, graphic));
    }
    // Kinds with a periodic special or their own set-up at creation ask for
    // them, so a battle with them reaches the per-kind hooks.
    for (int id : {20, 42, 50, 78, 81, 99, 102, 110, 111, 114, 115, 124, 162, 166, 171, 183})
        kinds[id].def.PeriodicSpecial = 1;
    for (int id : {53,  67,  68,  80,  82,  84,  90,  94,  104, 110, 114, 115, 119, 120, 125, 135, 142, 144, 147,
                   152, 153, 154, 157, 161, 168, 172, 173, 174, 175, 176, 177, 178, 182, 183, 185, 189, 190})
        kinds[id].def.CreationHook = 1;
    return kinds;
}

int EnemyGraphicSizeClass(int graphic)
{
    const std::vector<EnemyKind> demo = DemoKinds();
    return graphic < static_cast<int>(demo.size()) ? demo[graphic].def.SizeClass : 0;
}

Bytes EnemyKindEntry()
{
    return WriteEnemyKinds(SampleEnemyKinds());
}

} // namespace sampledata
