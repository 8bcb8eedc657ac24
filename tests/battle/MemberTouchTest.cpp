// Members and enemies walking into each other: strict overlap, push-out on
// the four sides, resolving several enemies at once, and the ram's side.
#include "TouchFixture.h"

namespace touchtest {
namespace {

constexpr int kLeft = 4; // the held direction bits: 1 up, 2 down, 4 left, 8 right

struct PushCase {
    const char* name;
    float x, y; // member 0 after its step
    int side;
    float wantX, wantY;
};

// One enemy with its body at 200..232 on both axes.
TEST_F(TouchTest, MemberStopsAgainstTheSideItCameFromAndEdgesDoNotTouch)
{
    const PushCase cases[] = {
        {"moving right", 175, 195, FACING_RIGHT, 171, 195},
        {"moving left", 225, 195, FACING_LEFT, 229, 195},
        {"moving down", 200, 180, FACING_DOWN, 200, 178},
        {"moving up", 200, 220, FACING_UP, 200, 223},
        {"right edge on left edge", 171, 195, FACING_RIGHT, 171, 195},
        {"foot top on body bottom", 200, 223, FACING_UP, 200, 223},
    };
    for (const PushCase& c : cases) {
        SCOPED_TRACE(c.name);
        Enemy(0, 200, 200);
        Place(0, c.x, c.y);
        touch.TestMemberTouch(0, c.side, false);
        EXPECT_EQ(party.members[0].x, c.wantX);
        EXPECT_EQ(party.members[0].y, c.wantY);
        EXPECT_EQ(party.members[0].centerX, c.wantX + 16.0f);
        EXPECT_EQ(enemies.Records[0].PosX, 200.0f); // pushing alone never moves the enemy
    }
}

TEST_F(TouchTest, EnemiesThatDoNotBlockLetTheMemberThrough)
{
    struct Case {
        const char* name;
        void (*make)(EnemyKindDef&, EnemyRecord&);
    };
    const Case cases[] = {
        {"no body collision", [](EnemyKindDef& k, EnemyRecord&) { k.NoBodyCollision = 1; }},
        {"defeated", [](EnemyKindDef&, EnemyRecord& r) { r.FlagsA |= FLAGS_A_DEFEATED; }},
        {"appearing", [](EnemyKindDef&, EnemyRecord& r) { r.State = ENEMY_APPEARING; }},
        {"may overlap the party", [](EnemyKindDef&, EnemyRecord& r) { r.KindWord |= KIND_WORD_GRACE; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make(Enemy(0, 200, 200), enemies.Records[0]);
        Place(0, 175, 195);
        touch.TestMemberTouch(0, FACING_RIGHT, false);
        EXPECT_EQ(party.members[0].x, 175.0f);
    }
    // Intangible enemies still block.
    Enemy(0, 200, 200);
    enemies.Records[0].FlagsA |= FLAGS_A_SKIP_RECT;
    Place(0, 175, 195);
    touch.TestMemberTouch(0, FACING_RIGHT, false);
    EXPECT_EQ(party.members[0].x, 171.0f);
}

TEST_F(TouchTest, ResolvingTogetherSharesThePushWithTheFarthestBackEnemy)
{
    struct Case {
        const char* name;
        float left0, left1;         // enemies 0 and 1 (left1 < 0: no enemy 1)
        float member1X;             // < 0: member 1 stays away
        int status;                 // a status effect of enemy 0, or -1
        bool immovable;             // enemy 0's kind
        float want0, want1, wantMe; // x of enemy 0, enemy 1 and member 0
    };
    const Case cases[] = {
        // Enemy 0 moves half-way to 199.5 but stops at enemy 1's left edge.
        {"smaller left edge wins", 195, 198, -1, -1, false, 198, 198, 169},
        {"equal edges move only the member", 195, 195, -1, -1, false, 195, 195, 166},
        // Member 1 beyond the enemy puts it back against member 1's foot box.
        {"a second member pushes back", 195, -1, 201, -1, false, 172, 0, 143},
        {"immovable kind", 195, -1, -1, -1, true, 195, 0, 166},
        {"bound (status 10)", 195, -1, -1, EFFECT_BIND, false, 195, 0, 166},
        {"stopped (status 15)", 195, -1, -1, EFFECT_STOP, false, 195, 0, 166},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        enemies.SetEnemyCount(0);
        Enemy(0, c.left0, 200).Immovable = c.immovable ? 1 : 0;
        if (c.status >= 0)
            enemies.Records[0].Status.effectBits |= 1u << c.status;
        std::uint32_t mask = 1;
        if (c.left1 >= 0) {
            Enemy(1, c.left1, 200);
            mask |= 2;
        }
        Place(1, c.member1X >= 0 ? c.member1X : 0.0f, c.member1X >= 0 ? 195.0f : 90.0f);
        Place(0, 175, 195);
        SceneTrace::Clear();
        touch.ResolveMemberTouches(mask, 0, FACING_RIGHT);
        EXPECT_EQ(enemies.Records[0].PosX, c.want0);
        if (c.left1 >= 0) {
            EXPECT_EQ(enemies.Records[1].PosX, c.want1);
        }
        EXPECT_EQ(party.members[0].x, c.wantMe);
        EXPECT_EQ(enemies.Records[0].State == ENEMY_FLINCH, c.want0 != c.left0);
    }
}

TEST_F(TouchTest, ASlippingEnemyPushedAsideCarriesThePushOnTheAxisItMoved)
{
    for (bool slipping : {false, true}) {
        SCOPED_TRACE(slipping ? "slipping" : "steady");
        enemies.SetEnemyCount(0);
        Enemy(0, 195, 200);
        EnemyRecord& r = enemies.Records[0];
        if (slipping)
            r.Status.effectBits |= 1u << EFFECT_SLIP;
        r.InertiaX = -1.0f;
        r.InertiaY = 7.0f;
        Place(0, 175, 195);
        touch.ResolveMemberTouches(1, 0, FACING_RIGHT);
        ASSERT_GT(r.PosX, 195.0f);
        EXPECT_EQ(r.InertiaX, slipping ? r.PosX - 195.0f : -1.0f);
        EXPECT_EQ(r.InertiaY, 7.0f) << "the axis the push left alone keeps its velocity";
    }
}

TEST_F(TouchTest, ARammingEnemyHitsOnlyAlongItsDominantSide)
{
    struct Case {
        const char* name;
        float vx, vy;
        bool hits;
    };
    const Case cases[] = {
        {"straight left", -2, 0, true},
        {"diagonal, equal speeds", -2, -2, true},
        {"down-left, mostly down", -1, 2, false},
        {"moving right", 2, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnemyKindDef& kind = Enemy(0, 120, 195);
        kind.Ram = 1;
        enemies.Records[0].Attack = 60;
        enemies.Records[0].MoveX = c.vx;
        enemies.Records[0].MoveY = c.vy;
        Place(0, 100, 195);
        party.hp[0] = 100;
        party.members[0].state &= ~Invincible::kMask;
        SceneTrace::Clear();
        touch.TestEnemyTouch(0, FACING_LEFT);
        // The enemy stands against the member's foot box either way.
        EXPECT_EQ(enemies.Records[0].PosX, 129.0f);
        EXPECT_EQ(Count("RamMember(0)"), c.hits ? 1 : 0);
        EXPECT_EQ(party.hp[0] < 100, c.hits);
    }
}

// The party's frame: the leader walking by the keys shares the push with a
// pushable enemy, a member pulled along only stops against one.
TEST_F(TouchTest, OnlyTheLeaderWalkingFreelyMovesAnEnemyAside)
{
    Enemy(0, 270, 195);
    Place(0, 300, 200);
    keys.Hold(kLeft);
    Frame();
    EXPECT_EQ(enemies.Records[0].PosX, 269.0f); // half-way out of the foot box
    EXPECT_EQ(party.members[0].x, enemies.Records[0].PosX + 32.0f - 3.0f);
    keys.ReleaseAll();

    Enemy(1, 268, 295);
    Place(1, 300, 300);
    placer.PullMember(2, 1, -5.0f, 0.0f);
    Frame();
    EXPECT_EQ(enemies.Records[1].PosX, 268.0f);
    EXPECT_EQ(party.members[1].x, 297.0f);
}

TEST_F(TouchTest, QueriesSeeTheSameBoxes)
{
    Enemy(0, 200, 200);
    Place(0, 171, 195);
    EXPECT_FALSE(touch.IsMemberTouchingEnemy(0));
    EXPECT_FALSE(touch.IsEnemyTouchingMember(0));
    EXPECT_FALSE(touch.IsSpotBlockedByEnemy(0, 171, 195));
    EXPECT_TRUE(touch.IsSpotBlockedByEnemy(0, 172, 195));
    Place(0, 172, 195);
    EXPECT_TRUE(touch.IsMemberTouchingEnemy(0));
    EXPECT_TRUE(touch.IsEnemyTouchingMember(0));
    // An enemy that may overlap the party still touches, but does not block a spot.
    enemies.Records[0].KindWord |= KIND_WORD_GRACE;
    EXPECT_TRUE(touch.IsMemberTouchingEnemy(0));
    EXPECT_FALSE(touch.IsSpotBlockedByEnemy(0, 172, 195));
    EXPECT_TRUE(touch.IsRectTouchingEnemy(231, 231, 240, 240, 0));
    EXPECT_FALSE(touch.IsRectTouchingEnemy(232, 231, 240, 240, 0));
    EXPECT_TRUE(touch.IsMemberTouchingEnemyAt(0, 0, 200, 200));
    EXPECT_FALSE(touch.IsMemberTouchingEnemyAt(0, 0, 201, 200));
}

} // namespace
} // namespace touchtest
