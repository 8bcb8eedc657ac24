// The headings the kinds choose at each decision of the kind-chosen walk,
// value by value: the draws are replayed from the same seed.
#include <array>
#include <cmath>

#include "KindFixture.h"
#include "core/Random.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemySteering.h"
#include "party/CharaShot.h"

namespace enemytest {
namespace {

constexpr float kPi = BATTLE_PI;
constexpr std::uint32_t kSeed = 4321;

// The generator's next draws after `kSeed`, as the game's rules read them.
// The draws a decision from the seed makes, taken when the replay is made:
// the decision reseeds the generator itself, so the replay holds whichever
// side of a comparison is evaluated first.
struct Draws {
    Draws()
    {
        SeedGameRandom(kSeed);
        for (std::uint32_t& draw : draws)
            draw = GameRandom() >> 5;
    }
    std::uint32_t Next() { return draws.at(next++); }
    float Random() { return static_cast<float>(Next()) * (2.0f * kPi / 1024.0f) - kPi; }
    float Jitter7() { return 0.1308997f - static_cast<float>(Next()) * 0.00025566347f; }
    float Jitter15() { return 0.2617994f - static_cast<float>(Next()) * 0.00051132694f; }

    std::array<std::uint32_t, 8> draws{};
    std::size_t next = 0;
};

class KindDirectionTest : public KindFixture {
protected:
    void Walking(const EnemyMoveDef& move)
    {
        LoadKindsLike([&](EnemyKind& k) {
            k.def.PeriodicSpecial = 0;
            k.moves = {move};
        });
    }
    static EnemyMoveDef Walk(float speed = 2.0f, float speed2 = 0.0f, int period = 0, int param = 0)
    {
        EnemyMoveDef m = Mv(41);
        m.Speed = speed;
        m.Speed2 = speed2;
        m.Period = period;
        m.Duration = 400;
        m.Param = param;
        return m;
    }
    void Place(int slot, float cx, float cy)
    {
        group().Records[slot].CenterX = cx;
        group().Records[slot].CenterY = cy;
    }
    void Face(int slot, int facing) { SetBits(group().Records[slot].FlagsA, FLAGS_A_FACING, 2, facing); }
    float Decide(int slot, int moveFrame)
    {
        group().Records[slot].MoveFrame = moveFrame;
        SeedGameRandom(kSeed);
        return ExecuteEnemyKindMove(group(), slot);
    }
};

// Facing 0 left, 1 up, 2 right, 3 down.
constexpr float kFacingAngle[4] = {-kPi / 2, -kPi, kPi / 2, 0.0f};

TEST_F(KindDirectionTest, Kind142HeadsForTheMiddleOfTheBottomEdge)
{
    Walking(Walk());
    One(142);
    const float goalY = 480.0f - rec().Height / 2.0f;
    struct Case {
        float cx, cy, angle;
    };
    const Case cases[] = {
        {320, goalY - 200, 0.0f},     // straight above it: down
        {120, goalY, kPi / 2},        // left of it: right
        {520, goalY, -kPi / 2},       // right of it: left
        {120, goalY - 200, kPi / 4},  // up and left: down-right
        {520, goalY - 200, -kPi / 4}, // up and right: down-left
        {320, goalY, 0.0f},           // on the point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cx << "," << c.cy);
        Place(0, c.cx, c.cy);
        EXPECT_NEAR(Decide(0, 7), c.angle, 1e-5f);
    }
}

TEST_F(KindDirectionTest, Kind147TurnsToTheNearestSpellElseKeepsItsWay)
{
    Walking(Walk());
    One(147);
    Place(0, 300, 200);
    rec().Heading = 1.25f;
    for (int facing = 0; facing < 4; ++facing) {
        SCOPED_TRACE(facing);
        Face(0, facing);
        EXPECT_FLOAT_EQ(Decide(0, 0), kFacingAngle[facing]); // first frame: its facing
        EXPECT_FLOAT_EQ(Decide(0, 9), 1.25f);                // afterwards: its way
    }
    // Two spells on the field: it turns to the nearer one, whatever the frame.
    auto spell = [&](float cx, float cy) {
        CharaShotSpec spec{};
        spec.kind = SHOT_MAGIC;
        spec.x = cx - 16.0f;
        spec.y = cy - 16.0f;
        spec.power = 100;
        spec.ownerRecord = &parts->party.members[0];
        ASSERT_TRUE(parts->charaShots.CreateCharaShot(spec));
    };
    spell(300, 400); // 200 below
    spell(400, 200); // 100 to the right
    EXPECT_NEAR(Decide(0, 0), kPi / 2, 1e-5f);
    EXPECT_NEAR(Decide(0, 9), kPi / 2, 1e-5f);
    parts->charaShots.ClearCharaShots();
}

TEST_F(KindDirectionTest, Kind160KeepsItsWayOnOddStepsAndLeavesATrailShotEachDecision)
{
    const EnemyMoveDef walk = Walk(2.5f, 0.0f, 8, 0);
    Walking(walk);
    One(160, 280, 240);
    rec().Heading = 0.5f;
    rec().AttackB = 77;
    struct Case {
        int moveFrame;
        bool keeps;
    };
    for (const Case c : {Case{8, true}, Case{24, true}, Case{0, false}, Case{16, false}}) {
        SCOPED_TRACE(c.moveFrame);
        shots().ClearEnemyShots();
        Draws d;
        // Far from every edge the bounce is a plain random heading.
        const float base = c.keeps ? 0.5f : d.Random();
        const float shot = base + d.Jitter15();
        EXPECT_NEAR(Decide(0, c.moveFrame), base, 1e-5f);
        const auto made = Shots();
        ASSERT_EQ(made.size(), 1u);
        const EnemyShotNode& n = *made[0];
        EXPECT_NEAR(WrapHeading(n.Angle - shot), 0.0f, 1e-5f);
        EXPECT_FLOAT_EQ(n.Speed, 2.5f);
        EXPECT_EQ(n.Attack(), 77);
        EXPECT_EQ(n.Age, -8);
        EXPECT_EQ(n.Life, 16 + 16); // two periods, plus the list's ending frames
        EXPECT_EQ(eshot::AimKind::Get(n.BitsA), 57u);
        EXPECT_EQ(eshot::Hits::Get(n.BitsA), 1u);
        EXPECT_EQ(eshot::ChildRow::Get(n.BitsB), 61u);
        EXPECT_EQ(eshot::Ailment::Get(n.BitsC), 4u);
        EXPECT_EQ(eshot::AilmentRate::Get(n.BitsD), 3u);
        EXPECT_NEAR(n.X, rec().CenterX - 8.0f, 1e-4f);
        EXPECT_NEAR(n.Y, rec().CenterY - 8.0f, 1e-4f);
    }
}

TEST_F(KindDirectionTest, Kind160WithoutAPeriodBouncesAtEveryDecision)
{
    Walking(Walk(2.0f, 0.0f, 0, 0));
    One(160, 280, 240);
    rec().Heading = 0.5f;
    Draws d;
    const float base = d.Random();
    EXPECT_NEAR(Decide(0, 1), base, 1e-5f);
    EXPECT_EQ(Shots().size(), 1u);
}

TEST_F(KindDirectionTest, Kind164WandersAndGoesForItsMemberEveryFourthStep)
{
    Walking(Walk(2.0f, 0.0f, 10, 0));
    One(164, 280, 200);
    Place(0, 300, 200);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        parts->party.SetMemberPosX(m, 284);
        parts->party.SetMemberPosY(m, 384);
    }
    Decide(0, 0); // picks its member on the first step
    const BattleMember& member = parts->party.members[0];
    const float towards = AngleFromDelta(member.centerX - 300.0f, member.centerY - 200.0f);
    struct Case {
        int moveFrame;
        bool towardsMember;
    };
    for (const Case c :
         {Case{10, false}, Case{29, false}, Case{30, true}, Case{39, true}, Case{40, false}, Case{70, true}}) {
        SCOPED_TRACE(c.moveFrame);
        Draws d;
        EXPECT_NEAR(Decide(0, c.moveFrame), c.towardsMember ? towards : d.Random(), 1e-5f);
    }
    // Within the first step it draws its member first, then its heading.
    SeedGameRandom(kSeed);
    group().GetMoveTargetMember(0, 0);
    const float afterPick = static_cast<float>(GameRandom() >> 5) * (2.0f * kPi / 1024.0f) - kPi;
    EXPECT_NEAR(Decide(0, 0), afterPick, 1e-5f);
    EXPECT_NEAR(Decide(0, 9), afterPick, 1e-5f);
}

TEST_F(KindDirectionTest, Kind170FacesOnItsFirstFrameThenTurnsBySpeed2)
{
    Walking(Walk(2.0f, 0.5f));
    One(170);
    for (int facing = 0; facing < 4; ++facing) {
        Face(0, facing);
        rec().Heading = 2.0f;
        EXPECT_FLOAT_EQ(Decide(0, 0), kFacingAngle[facing]);
    }
    struct Case {
        float heading, next;
    };
    const Case cases[] = {
        {0.25f, 0.75f}, {-3.0f, -2.5f}, {2.5f, 3.0f}, {2.75f, 3.25f - 2.0f * kPi}, // reaches π: once round
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        rec().Heading = c.heading;
        EXPECT_NEAR(Decide(0, 5), c.next, 1e-5f);
    }
}

TEST_F(KindDirectionTest, Kind173SeeksAFreeOneOfItsKindWithJitter)
{
    Walking(Walk());
    Fresh();
    Make(0, 173);
    Make(1, 173);
    Make(2, 173);
    Make(3, 30);
    Place(0, 300, 200);
    Place(1, 300, 400); // 200 below
    Place(2, 100, 200); // 200 to the left, the same distance but a later slot
    Place(3, 350, 200); // nearest, but another kind
    Draws d;
    EXPECT_NEAR(Decide(0, 3), 0.0f + d.Jitter7(), 1e-5f);
    // The nearer one is held: the other free one is taken.
    SetBits(group().Records[1].FlagsG, FLAGS_G_PAIRING, 2, PAIR_HELD);
    Draws d2;
    EXPECT_NEAR(Decide(0, 3), -kPi / 2 + d2.Jitter7(), 1e-5f);
    // A defeated one is no partner: no free one left, a random heading.
    group().Records[2].State = ENEMY_DEFEATED;
    group().Records[2].FlagsA |= FLAGS_A_DEFEATED;
    Draws d3;
    EXPECT_NEAR(Decide(0, 3), d3.Random(), 1e-5f);
    // Not free itself: a random heading even with a free one near.
    group().Records[2].State = group().Records[1].State;
    group().Records[2].FlagsA &= ~FLAGS_A_DEFEATED;
    for (const int state : {PAIR_HOLDING, PAIR_HELD}) {
        SetBits(rec().FlagsG, FLAGS_G_PAIRING, 2, static_cast<std::uint32_t>(state));
        Draws d4;
        EXPECT_NEAR(Decide(0, 3), d4.Random(), 1e-5f);
    }
    // A partner that targets it wins, at any distance and whatever its own state.
    Make(4, 173);
    Place(4, 600, 200); // 300 to the right, farther than the free one
    EnemyRecord& partner = group().Records[4];
    partner.FlagsA |= FLAGS_A_ACTION_RUNNING;
    partner.ActionType = 44;
    SetBits(partner.FlagsA, FLAGS_A_ACTION_INDEX, 5, 2);
    SetBits(partner.FlagsC, FLAGS_C_PAIR_TARGET, 3, 0);
    partner.FlagsC &= ~FLAGS_C_ATTACK_DONE;
    Draws d5;
    EXPECT_NEAR(Decide(0, 3), kPi / 2 + d5.Jitter7(), 1e-5f);
}

TEST_F(KindDirectionTest, Kind173InALaterSlotTakesTheNearestEvenInTheFirstSlot)
{
    Walking(Walk());
    Fresh();
    Make(0, 173);
    Make(1, 173);
    Make(2, 173);
    Place(1, 300, 200);
    Place(0, 300, 300); // 100 below
    Place(2, 100, 200); // 200 to the left
    Draws d;
    EXPECT_NEAR(Decide(1, 3), 0.0f + d.Jitter7(), 1e-5f);
}

TEST_F(KindDirectionTest, Kind190HeadsForTheFirstSlotElseFaces)
{
    Walking(Walk());
    Fresh();
    Make(0, 30);
    Make(1, 190);
    Place(0, 300, 200);
    struct Case {
        float cx, cy, angle;
    };
    for (const Case c : {Case{300, 100, 0.0f}, Case{200, 200, kPi / 2}, Case{400, 300, -3 * kPi / 4}}) {
        SCOPED_TRACE(testing::Message() << c.cx << "," << c.cy);
        Place(1, c.cx, c.cy);
        EXPECT_NEAR(Decide(1, 4), c.angle, 1e-5f);
    }
    // On the first slot's centre the angle cannot be taken: its facing.
    Place(1, 300, 200);
    for (int facing = 0; facing < 4; ++facing) {
        Face(1, facing);
        EXPECT_FLOAT_EQ(Decide(1, 4), kFacingAngle[facing]);
    }
}

} // namespace
} // namespace enemytest
