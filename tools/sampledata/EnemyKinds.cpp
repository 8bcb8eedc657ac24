// The 194 enemy kinds of the sample data, written through the loader's own
// field table. Kinds 0 to 16 are demo kinds a battle shows (walkers, a
// caster, a healer, a summoner, bosses), kinds 17 to 24 the patterned walks
// and the vanishers, kinds 25 to 29 a gallery of shot patterns, and kinds 31
// to 36 show how shots fly, burst and whirl; the showcases of the kinds'
// own moves and attacks and the arena's kinds (ArenaKinds.cpp) take over
// their stubs; the others are plain valid stubs.
#include <algorithm>
#include <iterator>
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
    a.Repeats = 3; // a volley on frames 0, 20 and 40
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

// The kind's attack; its shots hit with the whole of it, so a member takes
// that attack less its defence.
void Hurts(EnemyKind& kind, int attack)
{
    kind.def.Attack = kind.def.AttackB = attack;
    for (EnemyActionDef& action : kind.actions)
        action.ActionParam3 = 1.0f;
}

// Its shots fly twice as fast and come twice as often: members who stand
// about are hit.
void FiresHard(EnemyKind& kind)
{
    constexpr int kHardCooldown = 45;
    for (EnemyActionDef& action : kind.actions) {
        if (action.ShotsPerVolley == 0)
            continue;
        action.ActionParam0 *= 2.0f;
        action.Cooldown = kHardCooldown;
    }
}

EnemyKind Walker(const std::u16string& name, int hp, int sizeClass, int graphic)
{
    EnemyKind k = BaseKind(name, hp, sizeClass, graphic);
    k.moves = {Move(0, 0.0f, 40), Move(7, 1.0f, 60)};
    k.actions = {Action(0, 30), Shot(1, 1, 2.0f)};
    return k;
}

// The healer's heal, longer than member 2's circle magic answers (104 frames) plus its thinking period.
constexpr int kHealerPrayerFrames = 180;

std::vector<EnemyKind> DemoKinds()
{
    std::vector<EnemyKind> kinds;
    // 0: stands and fires; no movements.
    EnemyKind slime = BaseKind(u"スライム", 30, 0, 0);
    slime.actions = {Action(0, 30), Shot(1, 1, 1.5f)};
    slime.def.DropChance = 1; // always carries a herb
    kinds.push_back(slime);
    kinds.push_back(Walker(u"コウモリ", 40, 0, 1));
    EnemyKind goblin = Walker(u"ゴブリン", 180, 1, 2);
    goblin.moves.push_back(Move(22, 1.2f, 90));
    goblin.actions.push_back(Action(2, 30)); // dash
    goblin.actions.back().ActionParam0 = 4.0f;
    goblin.actions.back().ActionCount16 = 20;
    goblin.def.DropChance = 2;
    goblin.def.DropItemCategory = 1;
    goblin.def.DropItemId = 3;
    kinds.push_back(goblin);
    // 3: the caster, three movements and two spells.
    EnemyKind caster = BaseKind(u"まどうし", 140, 0, 3);
    caster.moves = {Move(0, 0.0f, 30), Move(7, 0.8f, 60), Move(22, 0.8f, 60)};
    caster.actions = {Shot(3, 3, 2.5f), Shot(38, 1, 3.0f)};
    caster.actions[0].IsSpell = 1;
    caster.actions[0].StartDelay = 40;
    caster.actions[0].IconId = 2;
    kinds.push_back(caster);
    // 4: the healer.
    EnemyKind healer = Walker(u"いやしそう", 140, 0, 4);
    healer.actions = {Action(23, 30), Action(0, 30)};
    healer.actions[0].ActionCount16 = 20; // heals 20 to 40 percent
    healer.actions[0].ActionLength18 = 40;
    healer.actions[0].IsSpell = 1;
    // Its prayer is long: member 2's thinking, once a second, still finds
    // its circle with more frames left than the circle magic's cast takes.
    healer.actions[0].StartDelay = kHealerPrayerFrames;
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
    // The first map's and the hall's kinds hurt: the first fighter's slime
    // and bat a little, the second fighter's goblin, caster and healer
    // enough to beat a party that stands still, yet not the leader's blows;
    // member 2's spells alone do not carry their battle; they act at once
    // and fire while they walk.
    constexpr int kAttacks[] = {20, 22, 60, 56, 50};
    constexpr int kSecondFighterMagicDefence = 22;
    constexpr int kSecondFighterFirstAction = 10;
    for (int id = 0; id < static_cast<int>(std::size(kAttacks)); ++id)
        Hurts(kinds[static_cast<std::size_t>(id)], kAttacks[id]);
    for (int id : kSecondFighterKinds) {
        kinds[static_cast<std::size_t>(id)].def.DefenceB = kSecondFighterMagicDefence;
        kinds[static_cast<std::size_t>(id)].def.FirstActionDelay = kSecondFighterFirstAction;
        for (EnemyMoveDef& move : kinds[static_cast<std::size_t>(id)].moves)
            move.WithAction = 1;
    }
    FiresHard(kinds[2]);
    FiresHard(kinds[3]);
    // The demo kinds give much experience: the fighter's first battle on map
    // 0 (a slime and a bat) lifts every member of a new game a level.
    for (EnemyKind& kind : kinds)
        kind.def.Exp = std::min(kDemoExpBase + kind.def.MaxHp / 2, kMaxKindExp);
    return kinds;
}

// A walk with its own target rule (`Param`) and period.
EnemyMoveDef Walk(int type, float speed, int duration, int period, int param)
{
    EnemyMoveDef m = Move(type, speed, duration);
    m.Period = period;
    m.Param = param;
    return m;
}

// Kinds 17-24 show the patterned walks and the vanishers; they keep the
// stub's picture and size.
void AddWalkingKinds(std::vector<EnemyKind>& kinds)
{
    constexpr int kFirst = 17;
    constexpr int kNearest = 2;
    constexpr int kHidden = 16;
    constexpr int kFacingFirst = 8;
    auto kind = [&](int id, const std::u16string& name, int hp) -> EnemyKind& {
        EnemyKind& k = kinds[static_cast<std::size_t>(id)];
        const int graphic = k.def.GraphicId;
        k = BaseKind(name, hp, 0, graphic);
        k.def.Exp = std::min(kDemoExpBase + hp / 2, kMaxKindExp);
        k.def.FirstMoveDelay = 10;
        k.actions = {Action(0, 30), Shot(1, 1, 2.0f)};
        return k;
    };
    // 17: eight-way steps, any of the eight every 30 frames, and along its facing.
    kind(kFirst, u"ヤマネコ", 60).moves = {Walk(4, 1.5f, 120, 30, 0), Walk(1, 1.0f, 60, 0, 0)};
    // 18: zig-zags, switching axis every 24 frames.
    kind(kFirst + 1, u"ハチ", 50).moves = {Walk(25, 2.0f, 160, 24, 2)};
    // 19: walks sideways until a member is lined up below or above, then goes for them.
    EnemyKind& scorpion = kind(kFirst + 2, u"サソリ", 90);
    scorpion.moves = {Walk(26, 1.2f, 200, 20, kFacingFirst | 5)};
    scorpion.moves[0].Speed2 = 2.0f;
    // 20: the same up and down.
    EnemyKind& crab = kind(kFirst + 3, u"カニ", 90);
    crab.moves = {Walk(27, 1.2f, 200, 20, 5)};
    crab.moves[0].Speed2 = 2.0f;
    // 21: looks round until somebody is in front, then goes for them.
    kind(kFirst + 4, u"イノシシ", 100).moves = {Walk(28, 1.8f, 160, 30, 0), Walk(23, 1.0f, 90, 30, kNearest)};
    // 22: roams in front of itself, charges whoever comes in front, then waits.
    EnemyKind& lizard = kind(kFirst + 5, u"トカゲ", 80);
    lizard.moves = {Walk(30, 1.0f, 200, 60, 4), Walk(29, 1.0f, 200, 60, 4)};
    lizard.moves[0].Speed2 = 3.0f;
    lizard.moves[1].Speed2 = 3.0f;
    // 23: vanishes to a random place and in front of the nearest member, and
    // as an action behind them.
    EnemyKind& phantom = kind(kFirst + 6, u"まぼろし", 70);
    phantom.moves = {Walk(31, 0.0f, 150, 0, kHidden), Walk(33, 0.0f, 150, 0, kNearest), Walk(7, 0.8f, 60, 40, 0)};
    phantom.actions = {Shot(1, 1, 2.0f), Action(20, 150)};
    phantom.actions[1].Param = kNearest | kHidden;
    // 24: vanishes to the corner farthest from the party, beside a member and by a fellow.
    EnemyKind& fairy = kind(kFirst + 7, u"ようせい", 60);
    fairy.moves = {Walk(32, 0.0f, 150, 0, 0), Walk(44, 0.0f, 150, 0, kNearest), Walk(48, 0.0f, 150, 0, 0),
                   Walk(16, 1.2f, 90, 40, 0)};
}

// An action of `type` firing volleys of `count` shots of pattern `pattern`
// over `slots` slots, three volleys 20 frames apart.
EnemyActionDef Volley(int type, int pattern, int count, int slots, float speed)
{
    EnemyActionDef a = Shot(type, count, speed);
    a.AimMode = pattern;
    a.ShotSlots = slots;
    a.Cooldown = 60;
    a.ActionCount16 = 150; // short-lived, so each volley's shape stays readable
    a.ActionLength18 = 180;
    return a;
}

// The same, the shots entering from the edges at `degrees` into the field.
EnemyActionDef EdgeVolley(int type, int pattern, int count, int degrees, float speed)
{
    EnemyActionDef a = Volley(type, pattern, count, count, speed);
    a.Param = degrees;
    return a;
}

// Kinds 25-29: a gallery of shot patterns, one family each (rings, fans,
// edges and corners, aims, rain), that the shrine's keeper sends in.
constexpr int kFirstGalleryKind = 25;

std::vector<EnemyKind> GalleryKinds()
{
    const std::u16string names[5] = {u"リング", u"オウギ", u"カドマ", u"ネライ", u"アマフリ"};
    std::vector<EnemyKind> kinds;
    for (int i = 0; i < 5; ++i) {
        const int id = kFirstGalleryKind + i;
        EnemyKind k = BaseKind(names[i], 150, 0, id); // the stub's picture
        k.def.FirstActionDelay = 30 + 20 * i;
        k.moves = {Move(0, 0.0f, 60), Move(7, 0.5f, 40)};
        kinds.push_back(k);
    }
    // Rings: twelve spokes; the spokes between them twice, 15 frames apart;
    // a spiral whose volleys go on numbering round the ring.
    EnemyActionDef between = Volley(1, 13, 8, 8, 2.0f);
    between.SingleShot = 1;
    between.Repeats = 2;
    between.RepeatPeriod = 15;
    EnemyActionDef spiral = Volley(1, 12, 3, 24, 2.0f);
    spiral.ContinueIndex = 1;
    spiral.Repeats = 8;
    spiral.RepeatPeriod = 6;
    kinds[0].actions = {Volley(1, 12, 12, 12, 1.8f), between, spiral};
    // Fans round the facing: 90° with jitter, 180° inside its edges, 45° edge to edge.
    kinds[1].actions = {Volley(1, 25, 5, 5, 2.2f), Volley(3, 30, 7, 7, 2.0f), Volley(1, 33, 4, 4, 2.5f)};
    // Edges and corners: from the four corners diagonally, from both sides,
    // in columns from the top, from the middle of each edge.
    kinds[2].actions = {Volley(10, 39, 4, 4, 2.0f), EdgeVolley(6, 36, 6, 90, 2.0f), EdgeVolley(7, 36, 5, 90, 1.8f),
                        EdgeVolley(15, 36, 4, 90, 2.0f)};
    // Aims: at the AI's member from the rim, at the nearest, at each member in turn.
    kinds[3].actions = {Volley(3, 61, 3, 3, 2.5f), Volley(1, 60, 1, 1, 3.0f), Volley(1, 49, 3, 3, 2.2f)};
    // Rain: from the top straight down, up from the bottom in a cone, from
    // random edges towards the field's centre, from the corners in cones.
    kinds[4].actions = {EdgeVolley(8, 36, 6, 90, 2.0f), EdgeVolley(41, 38, 5, 40, 1.8f), Volley(9, 46, 8, 8, 1.6f),
                        EdgeVolley(42, 41, 8, 30, 1.8f)};
    for (EnemyKind& kind : kinds)
        kind.def.Exp = std::min(kDemoExpBase + kind.def.MaxHp / 2, kMaxKindExp);
    return kinds;
}

// A shot action whose shots fly by `motion`, with `action` every `period` frames.
EnemyActionDef MotionShot(float speed, int motion, int action = 0, int period = 0)
{
    EnemyActionDef a = Shot(1, 1, speed);
    a.ShotMotion = motion;
    a.ShotAction = action;
    a.TargetKindId = period; // the shots' action period
    a.ShotChance = action != 0 ? 100 : 0;
    a.ShotOnce = 1;
    return a;
}

// Kinds 31-36, fought together (kind 31 first, in slot 0): shots that
// orbit, return, are thrown, burst twice over, bounce off the edges and
// swing, and the two whirls and the pull.
void ShotGalleryKinds(std::vector<EnemyKind>& kinds)
{
    constexpr int kFirst = 31;
    auto kind = [&](int id, const std::u16string& name) -> EnemyKind& {
        EnemyKind& k = kinds[id];
        const int graphic = k.def.GraphicId;
        k = BaseKind(name, 200, 0, graphic);
        k.moves = {Move(0, 0.0f, 60)};
        k.def.FirstActionDelay = 20;
        return k;
    };
    // 31: shots circling itself at radius 96 (it stands in slot 0), and turning shots.
    EnemyKind& orbiter = kind(kFirst, u"エイセイ");
    orbiter.actions = {MotionShot(0.0f, 14), MotionShot(2.0f, 8)};
    orbiter.actions[0].ActionParam1 = 0.05f;
    orbiter.actions[0].ShotChance = 1;
    orbiter.actions[0].GaugeMember = 0;
    orbiter.actions[1].ActionParam1 = 0.03f;
    // 32: a shot that turns back at 50 frames and vanishes at its owner; a thrown shot.
    EnemyKind& returner = kind(kFirst + 1, u"ブーメラン");
    returner.actions = {MotionShot(3.0f, 20, 2, 50), MotionShot(5.0f, 18)};
    returner.actions[1].ActionParam1 = 4.0f;  // falls at most 4 a frame
    returner.actions[1].ActionParam2 = 0.15f; // slows its rise
    // 33: a shot bursting into 8 that burst again into 8 (child rows 8 and 2); a spray of 2-5.
    EnemyKind& burster = kind(kFirst + 2, u"ハナビ");
    burster.actions = {MotionShot(2.0f, 0, 28, 45), MotionShot(2.0f, 0, 36, 40)};
    burster.actions[0].ShotChildCount = 8;
    burster.actions[0].ShotChildRow = 8;
    burster.actions[1].ShotChildCount = 5;
    burster.actions[1].ShotChildRow = 7;
    // 34: accelerating shots that bounce off the edges and turn round every 40
    // frames (a toggle), and swinging shots.
    EnemyKind& bouncer = kind(kFirst + 3, u"ハネカエリ");
    bouncer.actions = {MotionShot(2.0f, 3, 3, 40), MotionShot(2.0f, 22)};
    bouncer.actions[0].ActionParam2 = 0.05f;
    bouncer.actions[0].SubPatternMode = 1; // reflect at the edges
    bouncer.actions[0].ShotOnce = 0;
    bouncer.actions[1].ActionParam1 = 0.04f;
    // 35: a whirl at the field's centre pushing the members away.
    EnemyKind& whirler = kind(kFirst + 4, u"ツムジ");
    whirler.actions = {Action(30, 60), MotionShot(2.0f, 0)};
    whirler.actions[0].ActionParam0 = 3.0f;
    whirler.actions[0].TestKind = -30; // starts half a second later
    whirler.actions[0].ActionCount16 = 300;
    whirler.actions[0].ActionLength18 = 360;
    whirler.actions[0].TargetKindId = 1; // one at a time
    whirler.actions[0].Weight = 30;
    // 36: a pulling whirl on itself, and a pull on its target member.
    EnemyKind& puller = kind(kFirst + 5, u"ヒキヨセ");
    puller.actions = {Action(30, 60), Action(43, 90)};
    puller.actions[0].Param = 1;
    puller.actions[0].ActionParam0 = -2.0f;
    puller.actions[0].ActionCount16 = 240;
    puller.actions[0].ActionLength18 = 240; // beside the pushing whirl, within the whirls' cap
    puller.actions[1].ActionParam0 = -1.5f;
    puller.actions[1].ActionLength18 = 90;
}

// Kinds that walk and shoot in their own way, fought together (kind 90 in
// slot 0, so it heads for the top-left corner and kind 190 follows it):
// headings chosen by the kind, a boomerang, a charge and a diagonal, shots
// that burst at a drawn period, return to their owner or turn at the edges.
void KindMoveShowcaseKinds(std::vector<EnemyKind>& kinds)
{
    auto kind = [&](int id, const std::u16string& name, std::vector<EnemyMoveDef> moves) -> EnemyKind& {
        EnemyKind& k = kinds[id];
        const int graphic = k.def.GraphicId;
        k = BaseKind(name, 200, 0, graphic);
        k.moves = std::move(moves);
        k.def.FirstMoveDelay = 10;
        k.def.FirstActionDelay = 30;
        k.actions = {Shot(1, 1, 2.0f)};
        return k;
    };
    // 90: heads for the corner of its slot.
    kind(90, u"ワタリドリ", {Walk(41, 1.5f, 240, 60, 0)});
    // 99: a boomerang at its target; shots bursting into 8 at one of their periods.
    EnemyKind& bomber = kind(99, u"バクダン", {Walk(46, 2.5f, 300, 40, 0)});
    bomber.actions = {MotionShot(2.0f, 0, 46, 60)};
    bomber.actions[0].ActionCount16 = bomber.actions[0].ActionLength18 = 301;
    bomber.actions[0].ShotChildCount = 8;
    bomber.actions[0].ShotOnce = 0;
    // 143: wanders into the other half of the field.
    kind(143, u"フリコ", {Walk(41, 1.2f, 240, 40, 0)});
    // 176: a diagonal by its facing; shots in whole periods turning away from the edges.
    EnemyKind& diagonal = kind(176, u"ナナメ", {Walk(37, 1.5f, 300, 0, 0)});
    diagonal.actions = {MotionShot(3.0f, 17, 0, 20)};
    diagonal.actions[0].SubPatternMode = 12;
    diagonal.actions[0].ShotOnce = 0;
    // 178: charges, topping at 3; shots that come back to it.
    EnemyKind& charger = kind(178, u"トッシン", {Walk(38, 1.0f, 200, 0, 0x35)});
    charger.moves[0].Speed2 = 0.1f;
    charger.actions = {MotionShot(2.0f, 17, 0, 0)};
    // 190: follows the enemy in slot 0.
    kind(190, u"オトモ", {Walk(41, 1.0f, 240, 60, 0)});
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
    // them, so a battle with them reaches the per-kind hooks. The demo kinds
    // below take their ids over afresh.
    for (int id : {20, 42, 50, 78, 81, 99, 102, 110, 111, 114, 115, 124, 162, 166, 171, 183})
        kinds[id].def.PeriodicSpecial = 1;
    for (int id : {53,  67,  68,  80,  82,  84,  90,  94,  104, 110, 114, 115, 119, 120, 125, 135, 142, 144, 147,
                   152, 153, 154, 157, 161, 168, 172, 173, 174, 175, 176, 177, 178, 182, 183, 185, 189, 190})
        kinds[id].def.CreationHook = 1;
    // The kinds that answer a light knock-back with a counter-shot (kind 30's
    // comes with the arena's kinds).
    for (int id : {60, 74, 116, 158, 180})
        kinds[id].def.KnockbackCounter = 1;
    AddWalkingKinds(kinds);
    std::vector<EnemyKind> gallery = GalleryKinds();
    std::copy(gallery.begin(), gallery.end(), kinds.begin() + kFirstGalleryKind);
    ShotGalleryKinds(kinds);
    KindMoveShowcaseKinds(kinds);
    KindAttackKinds(kinds);
    ArenaKinds(kinds);
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
