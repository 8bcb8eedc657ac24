// The arena's keepers in the game itself: from a save above each keeper on
// map 83 the party speaks to it and fights its formation, and the kinds show
// what they do of their own: periodic specials, stages raised by their own
// attack, the pair whose survivor takes up the fight, counter-shots and hit
// windows at a light blow, and the strong battle's fixed HP. Each run looks
// only within the first 600 frames of action; pictures are left to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ArenaEvents.h"
#include "InProcessGame.h"
#include "Keys.h"
#include "ScriptedRun.h"
#include "core/SceneState.h"
#include "field/Map.h"
#include "field/MapCharacter.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "enemies/kinds/KindHooks.h"
#include "main/GameMain.h"
#include "party/Character.h"

namespace {

namespace arena = sampledata::arena;
using e2e::GameFolder;
using e2e::InProcessGame;

// The first 600 frames of action are watched: a battle may not end sooner.
constexpr int kWatchedFrames = 590;

bool InBattleAction()
{
    return SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_ACTION;
}

// What one enemy did in one frame of the action.
struct SlotFrame {
    int newShots = 0;   // shots it made (by their owner slot)
    float shotX = 0.0f; // where the first of them starts
    float shotY = 0.0f;
    bool special = false;    // its periodic special fired
    bool lightKnock = false; // a knock-back of strength 0 began
    bool wasNormal = false;  // in normal state the frame before
    int stage = 0;           // its stage after the frame
    int stageBefore = 0;
};

// A battle of an arena keeper's formation, watched frame by frame; `log[f][s]`
// is what the enemy in slot s did in action frame f + 1.
class ArenaRun {
public:
    // From the save above the keeper at column `keeperX` to the battle's first
    // frame of action; the arena before the battle may be kept as `fieldPicture`.
    ::testing::AssertionResult Begin(int keeperX, const std::string& fieldPicture = "")
    {
        e2e::WriteSaveAboveTrainer(folder_, arena::kMap, keeperX, arena::kKeeperY);
        if (!game.Start(folder_))
            return ::testing::AssertionFailure() << "the game did not start";
        if (!game.LoadFirstSlot())
            return ::testing::AssertionFailure() << "the save did not load";
        game.Frames(20);
        if (!fieldPicture.empty() && !game.Dump(fieldPicture))
            return ::testing::AssertionFailure() << "no picture";
        game.Press(e2e::kKeyDown); // face the keeper below
        game.Frames(10);
        game.Press(e2e::kKeyConfirm); // the keeper speaks
        game.Frames(80);
        game.Press(e2e::kKeyConfirm); // and fights
        if (game.FramesUntil(InBattleAction, 400) < 0)
            return ::testing::AssertionFailure() << "no battle";
        return ::testing::AssertionSuccess();
    }

    // Runs the watched frames, dumping the picture of action frame `dumpAt` as `picture`.
    ::testing::AssertionResult Watch(int dumpAt, const std::string& picture,
                                     const std::function<void(int frame)>& after = {})
    {
        for (int frame = 1; frame <= kWatchedFrames; ++frame) {
            if (!InBattleAction())
                return ::testing::AssertionFailure() << "the battle ended at action frame " << frame;
            log.push_back(Frame());
            if (after)
                after(frame);
            if (frame == dumpAt && !game.Dump(picture))
                return ::testing::AssertionFailure() << "no picture";
        }
        return ::testing::AssertionSuccess();
    }

    // The action frames at which slot `slot` did what `what` asks.
    std::vector<int> FramesWhen(int slot, const std::function<bool(const SlotFrame&)>& what) const
    {
        std::vector<int> frames;
        for (std::size_t f = 0; f < log.size(); ++f)
            if (what(log[f][static_cast<std::size_t>(slot)]))
                frames.push_back(static_cast<int>(f) + 1);
        return frames;
    }
    const SlotFrame& At(int frame, int slot) const
    {
        return log[static_cast<std::size_t>(frame - 1)][static_cast<std::size_t>(slot)];
    }

    InProcessGame game;
    std::vector<std::vector<SlotFrame>> log;

private:
    std::vector<SlotFrame> Frame()
    {
        CEnemyGroup& group = *TheEnemyGroup;
        const int count = group.EnemyCount();
        std::vector<SlotFrame> frame(static_cast<std::size_t>(count));
        std::vector<std::uint16_t> counters(frame.size());
        std::vector<int> states(frame.size());
        for (int slot = 0; slot < count; ++slot) {
            SlotFrame& f = frame[static_cast<std::size_t>(slot)];
            counters[static_cast<std::size_t>(slot)] = group.Records[slot].SpecialCounter;
            states[static_cast<std::size_t>(slot)] = group.Records[slot].State;
            f.stageBefore = KindField(group.Records[slot], FLAGS_E_KIND_STAGE);
        }
        std::map<const EnemyShotNode*, int> before;
        for (const EnemyShotNode* s = TheEnemyShotList->ShotHead; s != nullptr; s = s->Next)
            before[s] = s->Age;
        game.Frame();
        for (const EnemyShotNode* s = TheEnemyShotList->ShotHead; s != nullptr; s = s->Next) {
            const auto known = before.find(s);
            const int owner = static_cast<int>(eshot::OwnerSlot::Get(s->BitsB));
            if (s->Removed || (known != before.end() && known->second <= s->Age) || owner >= count)
                continue;
            SlotFrame& f = frame[static_cast<std::size_t>(owner)];
            if (f.newShots++ == 0) {
                f.shotX = s->X;
                f.shotY = s->Y;
            }
        }
        for (int slot = 0; slot < count; ++slot) {
            const EnemyRecord& r = group.Records[slot];
            SlotFrame& f = frame[static_cast<std::size_t>(slot)];
            f.special = r.KindTimer != 0 && r.SpecialCounter == 0 && counters[static_cast<std::size_t>(slot)] != 0;
            f.wasNormal = states[static_cast<std::size_t>(slot)] == ENEMY_NORMAL;
            f.lightKnock = r.State == ENEMY_KNOCKBACK && states[static_cast<std::size_t>(slot)] != ENEMY_KNOCKBACK &&
                           GetBits(r.FlagsB, FLAGS_B_HIT_STRENGTH, 2) == 0;
            f.stage = KindField(r, FLAGS_E_KIND_STAGE);
        }
        return frame;
    }

    GameFolder folder_;
};

const EnemyRecord& Enemy(int slot)
{
    return TheEnemyGroup->Records[slot];
}

bool Special(const SlotFrame& f)
{
    return f.special;
}
bool LightKnockFromNormal(const SlotFrame& f)
{
    return f.lightKnock && f.wasNormal;
}
bool StageRose(const SlotFrame& f)
{
    return f.stage > f.stageBefore;
}

bool WalkingOn(int map)
{
    return SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK && TheMap->GetMapNumber() == map &&
           TheMapCharacter->IsPlayerStanding();
}

// The arena is met from a new game's ways: the first floor (where the floor
// guide sends the party) has a second door, left of its arrival, into the
// arena, whose own door leads back.
TEST(ArenaInProcess, TheFirstFloorsSecondDoorLeadsIntoTheArenaAndBack)
{
    constexpr int kFirstFloorMap = 3;
    constexpr int kFramesPerCell = 16;
    constexpr int kFaceLeft = 0;
    GameFolder folder;
    e2e::WriteSave(folder, 0, kFirstFloorMap, arena::kFloorDoorX + 1, arena::kFloorDoorY, kFaceLeft);
    InProcessGame game;
    ASSERT_TRUE(game.Start(folder));
    ASSERT_TRUE(game.LoadFirstSlot());
    ASSERT_GT(game.FramesUntil([] { return WalkingOn(kFirstFloorMap); }, 300), 0);
    game.Hold(e2e::kKeyLeft);
    game.Frames(kFramesPerCell - 1);
    game.LetGo(e2e::kKeyLeft);
    ASSERT_GT(game.FramesUntil([] { return WalkingOn(arena::kMap); }, 600), 0);
    EXPECT_EQ(TheMapCharacter->cellX, arena::kArrivalX);
    EXPECT_EQ(TheMapCharacter->cellY, arena::kArrivalY);
    ASSERT_TRUE(game.Dump("arena_arrival"));
    game.Hold(e2e::kKeyUp);
    game.Frames(kFramesPerCell * (arena::kArrivalY - arena::kDoorY) - 1);
    game.LetGo(e2e::kKeyUp);
    ASSERT_GT(game.FramesUntil([] { return WalkingOn(kFirstFloorMap); }, 600), 0) << "back through its door";
}

// The specials that need only time: each kind fires on its own clock, with
// the shots its special makes (kind 166's clock is also advanced by its
// knock-backs).
TEST(ArenaInProcess, PeriodicSpecialsFireOnTheirOwnClocks)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kPeriodicKeeperX, "arena_keepers"));
    struct Case {
        int kind, period, fewest, most;
        bool clockOnly;
    };
    // Kind 50 fires one diagonal at full HP, up to four when hurt; kind 162 a burst of 3 to 14.
    constexpr Case kCases[] = {{20, 75, 1, 1, true},  {42, 300, 4, 4, true},   {50, 350, 1, 4, true},
                               {111, 75, 2, 2, true}, {162, 300, 3, 14, true}, {166, 540, 2, 2, false},
                               {171, 300, 1, 1, true}};
    ASSERT_EQ(TheEnemyGroup->EnemyCount(), 7);
    ASSERT_TRUE(run.Watch(300, "arena_periodic"));
    for (int slot = 0; slot < 7; ++slot) {
        const Case& c = kCases[slot];
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        ASSERT_EQ(TheEnemyGroup->KindOf(slot), c.kind);
        const std::vector<int> fired = run.FramesWhen(slot, Special);
        ASSERT_FALSE(fired.empty()) << "its special fires within the watched frames";
        EXPECT_LE(fired.front(), c.period);
        if (c.clockOnly) {
            EXPECT_EQ(fired.front(), c.period) << "counted from the battle's first frame of action";
        }
        for (std::size_t i = 0; i < fired.size(); ++i) {
            const int shots = run.At(fired[i], slot).newShots;
            EXPECT_GE(shots, c.fewest) << "at " << fired[i];
            EXPECT_LE(shots, c.most) << "at " << fired[i];
            if (i > 0 && c.clockOnly) {
                EXPECT_EQ(fired[i] - fired[i - 1], c.period);
            }
        }
    }
}

// Kinds 78, 102, 110 and 124 raise their stage with their own attack and
// fire the stage's special at once: the rain grows by two shots a stage,
// the shots from the edges stay four. Kind 183's attacks choose its volleys.
TEST(ArenaInProcess, TheKindsOwnAttacksRaiseTheirStagesAndChooseTheVolleys)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kStageKeeperX));
    ASSERT_EQ(TheEnemyGroup->EnemyCount(), 5);
    std::vector<int> variants;
    ASSERT_TRUE(run.Watch(362, "arena_stages", [&](int frame) {
        if (run.At(frame, 4).special)
            variants.push_back(Enemy(4).KindBytes[1]);
    }));
    struct Case {
        int kind;
        bool rain; // rain from the top, else shots in from the edges at the nearest member
    };
    constexpr Case kCases[] = {{78, true}, {102, false}, {110, true}, {124, false}};
    for (int slot = 0; slot < 4; ++slot) {
        SCOPED_TRACE(testing::Message() << "kind " << kCases[slot].kind);
        ASSERT_EQ(TheEnemyGroup->KindOf(slot), kCases[slot].kind);
        const std::vector<int> rises = run.FramesWhen(slot, StageRose);
        ASSERT_GE(rises.size(), 2u) << "its attack comes round more than once";
        for (int frame : rises) {
            const SlotFrame& f = run.At(frame, slot);
            EXPECT_TRUE(f.special) << "the special fires with the rise, at " << frame;
            EXPECT_EQ(f.newShots, kCases[slot].rain ? 2 * f.stage : 4) << "at stage " << f.stage;
        }
    }
    // Kind 183's volleys: corners 4, rain 8, throws from the side, 5 from below.
    ASSERT_EQ(TheEnemyGroup->KindOf(4), 183);
    const std::vector<int> volleys = run.FramesWhen(4, Special);
    ASSERT_GE(volleys.size(), 3u);
    ASSERT_EQ(variants.size(), volleys.size());
    constexpr int kVolleyShots[4] = {4, 8, 0, 5};
    for (std::size_t i = 0; i < volleys.size(); ++i) {
        const SlotFrame& f = run.At(volleys[i], 4);
        ASSERT_LT(variants[i], 4);
        ASSERT_EQ(f.stage, 0) << "no stage was drawn";
        if (kVolleyShots[variants[i]] != 0) {
            EXPECT_EQ(f.newShots, kVolleyShots[variants[i]]) << "variant " << variants[i] << " at " << volleys[i];
        } else {
            EXPECT_GE(f.newShots, 1);
        }
    }
    std::sort(variants.begin(), variants.end());
    EXPECT_GE(std::unique(variants.begin(), variants.end()) - variants.begin(), 2) << "its attacks choose volleys";
}

// Kinds 114 and 115: while both stand neither fires; once the party beats
// kind 114, kind 115 takes a stage, remembers where 114 fell and fires from
// there on its clock.
TEST(ArenaInProcess, ThePairsSurvivorFiresFromWhereItsPartnerFell)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kPairKeeperX));
    ASSERT_EQ(TheEnemyGroup->KindOf(0), 114);
    ASSERT_EQ(TheEnemyGroup->KindOf(1), 115);
    int fell = 0;
    float fellX = 0.0f, fellY = 0.0f;
    ASSERT_TRUE(run.Watch(430, "arena_pair", [&](int frame) {
        if (fell == 0 && Enemy(0).State == ENEMY_DEFEATED) {
            fell = frame;
            fellX = Enemy(0).CenterX - 8.0f;
            fellY = Enemy(0).CenterY - 8.0f;
        }
    }));
    ASSERT_GT(fell, 0) << "the party beats kind 114";
    ASSERT_LE(fell + 300, kWatchedFrames);
    EXPECT_EQ(run.At(fell, 1).stage, 1) << "kind 115 takes a stage at its partner's defeat";
    const std::vector<int> shots = run.FramesWhen(1, [](const SlotFrame& f) { return f.newShots > 0; });
    ASSERT_EQ(shots.size(), 1u) << "nothing before the partner fell, then once on its clock";
    EXPECT_EQ(shots.front(), fell + 300);
    const SlotFrame& shot = run.At(shots.front(), 1);
    EXPECT_EQ(shot.newShots, 1);
    constexpr double kShotSpeed = 3.5;
    EXPECT_NEAR(std::hypot(shot.shotX - fellX, shot.shotY - fellY), kShotSpeed, 0.01)
        << "one step out from where kind 114 fell";
    EXPECT_FLOAT_EQ(Enemy(1).SavedPoint[0], fellX);
    EXPECT_FLOAT_EQ(Enemy(1).SavedPoint[1], fellY);
}

// Kinds 30, 74 and 158 answer every light blow that finds them standing with
// one shot; kind 74's comes from the next field edge each time.
TEST(ArenaInProcess, LightBlowsAreAnsweredWithCounterShots)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kCounterKeeperX));
    ASSERT_EQ(TheEnemyGroup->EnemyCount(), 3);
    ASSERT_TRUE(run.Watch(85, "arena_counter"));
    constexpr int kKinds[3] = {30, 74, 158};
    for (int slot = 0; slot < 3; ++slot) {
        SCOPED_TRACE(testing::Message() << "kind " << kKinds[slot]);
        ASSERT_EQ(TheEnemyGroup->KindOf(slot), kKinds[slot]);
        const std::vector<int> blows = run.FramesWhen(slot, LightKnockFromNormal);
        ASSERT_FALSE(blows.empty()) << "the party's blows reach it";
        for (int frame : blows)
            EXPECT_EQ(run.At(frame, slot).newShots, 1) << "at " << frame;
        if (kKinds[slot] == 74) {
            EXPECT_EQ(KindField(Enemy(slot), FLAGS_E_KIND_CYCLE), static_cast<int>(blows.size() % 4))
                << "each answer takes the next edge";
        }
    }
}

// Kind 60 answers a light blow with a shot for every kind 61 standing.
TEST(ArenaInProcess, ACounterVolleyCountsTheStandingComrades)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kVolleyKeeperX));
    ASSERT_EQ(TheEnemyGroup->KindOf(0), 60);
    ASSERT_TRUE(run.Watch(85, "arena_volley"));
    const std::vector<int> blows = run.FramesWhen(0, LightKnockFromNormal);
    ASSERT_FALSE(blows.empty());
    for (int frame : blows)
        EXPECT_EQ(run.At(frame, 0).newShots, 2) << "two of kind 61 stand, at " << frame;
}

// Kind 180 answers a light blow only when its last answer is 301 frames past.
TEST(ArenaInProcess, ABurstCounterReloadsFor301Frames)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kOnceKeeperX));
    ASSERT_EQ(TheEnemyGroup->KindOf(0), 180);
    ASSERT_TRUE(run.Watch(95, "arena_once"));
    int last = -1;
    int answers = 0;
    for (int frame : run.FramesWhen(0, LightKnockFromNormal)) {
        const bool answers301 = last < 0 || frame - last >= 301;
        EXPECT_EQ(run.At(frame, 0).newShots, answers301 ? 1 : 0) << "at " << frame;
        if (answers301) {
            last = frame;
            ++answers;
        }
    }
    EXPECT_GE(answers, 2) << "it answers again after reloading";
}

// Kind 182 opens a hit window at a light blow and keeps it for 250 frames;
// fewer than 14 knock-backs in it leave it unfilled.
TEST(ArenaInProcess, AHitWindowOpensAtABlowAndRuns250Frames)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kWindowKeeperX));
    ASSERT_EQ(TheEnemyGroup->KindOf(0), 182);
    constexpr std::uint32_t kWindowOpen = 1u << 14;
    std::vector<std::int32_t> starts;
    ASSERT_TRUE(run.Watch(200, "arena_window", [&](int frame) {
        if (run.At(frame, 0).lightKnock)
            starts.push_back(Enemy(0).HitWindowStart);
    }));
    const std::vector<int> blows = run.FramesWhen(0, [](const SlotFrame& f) { return f.lightKnock; });
    ASSERT_GE(blows.size(), 2u);
    EXPECT_NE(Enemy(0).FlagsG & kWindowOpen, 0u);
    EXPECT_EQ(Enemy(0).FlagsG & FLAGS_G_HIT_WINDOW_FILLED, 0u) << "fewer than 14 knock-backs in a window";
    int opened = blows.front();
    for (std::size_t i = 1; i < blows.size(); ++i) {
        if (blows[i] - opened >= 250) {
            EXPECT_EQ(starts[i] - starts[0], blows[i] - blows[0]) << "a new window at " << blows[i];
            opened = blows[i];
        } else {
            EXPECT_EQ(starts[i] - starts[0], opened - blows[0]) << "the window runs on at " << blows[i];
        }
    }
}

// The keeper's boss battle on map 83 is strong: the map's fixed HP, and the
// party's blows bring it down.
TEST(ArenaInProcess, TheStrongBattleTakesTheMapsFixedHp)
{
    ArenaRun run;
    ASSERT_TRUE(run.Begin(arena::kStrongKeeperX));
    ASSERT_EQ(TheEnemyGroup->EnemyCount(), 4);
    EXPECT_TRUE(TheEnemyGroup->IsStrongBattle());
    constexpr int kFixedHp[4] = {6000, 6000, 8000, 8000};
    int total = 0;
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(Enemy(slot).MaxHp, kFixedHp[slot]) << slot;
        total += Enemy(slot).Hp;
    }
    EXPECT_EQ(total, 28000);
    ASSERT_TRUE(run.Watch(100, "arena_strong"));
    int left = 0;
    for (int slot = 0; slot < 4; ++slot)
        left += Enemy(slot).Hp;
    EXPECT_LT(left, total) << "the party's blows land";
}

} // namespace
