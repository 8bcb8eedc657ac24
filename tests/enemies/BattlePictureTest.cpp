// The sample battles set up with fixed seeds and drawn on the software
// device from the sample pack: pictures to look at, and each enemy's body
// must show where the set-up put it.
#include <memory>
#include <string>

#include "RecordWords.h"
#include "EnemyParts.h"
#include "EnemySetUpPicture.h"
#include "SampleData.h"
#include "SoftwareScreen.h"
#include "battle/BattleBackground.h"
#include "battle/BattleTouch.h"
#include "core/Parts.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "core/EnemyDefWriter.h"
#include "core/EnemyKinds.h"
#include "field/Map.h"
#include "party/Character.h"

namespace {

using enemytest::EnemyParts;

class BattlePictureTest : public visualtest::SoftwareScreenTest {
protected:
    void SetUp() override
    {
        SoftwareScreenTest::SetUp();
        parts = std::make_unique<EnemyParts>();
        parts->Publish(world);
        const std::vector<std::uint8_t> kinds = WriteEnemyKinds(sampledata::SampleEnemyKinds());
        ASSERT_TRUE(LoadEnemyKinds(kinds.data(), kinds.size()));
        SeedGameRandom(38);
        parts->group.InitEnemy();
    }
    void TearDown() override
    {
        parts->group.ReleaseEnemy();
        SoftwareScreenTest::TearDown();
    }

    void NewFrame()
    {
        device->EndScene();
        BeginFrame(0xFF000000u);
    }

    // Draws the set-up, keeps the picture and checks every enemy's middle
    // shows its body rather than the backdrop.
    void DrawAndCheck(const std::string& name, int backdrop)
    {
        testsupport::DrawEnemySetUp(CEnemyGroup{}, backdrop);
        const visualtest::Picture empty = Screen();
        NewFrame();
        testsupport::DrawEnemySetUp(parts->group, backdrop);
        const visualtest::Picture picture = Screen();
        EXPECT_TRUE(visualtest::WritePicture(picture, name));
        for (int slot = 0; slot < parts->group.EnemyCount(); ++slot) {
            const EnemyRecord& r = parts->group.Records[slot];
            const int x = static_cast<int>(r.CenterX);
            const int y = static_cast<int>(r.CenterY + r.Height / 4); // below the label
            ASSERT_TRUE(x >= 0 && x < 640 && y >= 0 && y < 480) << name << " slot " << slot;
            EXPECT_GT(visualtest::ColourDistance(picture.At(x, y), empty.At(x, y)), 40) << name << " slot " << slot;
        }
    }

    std::unique_ptr<EnemyParts> parts;
};

TEST_F(BattlePictureTest, DemoFormationsAndTheFirstMapsEncounter)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> record;
        int expected;
    };
    const Case formations[] = {
        {"formation_retry3", sampledata::RetryBattleRecord(), 3},
        {"formation_boss5", sampledata::BossBattleRecord(), 5},
        {"formation_full8", sampledata::FullBattleRecord(), 8},
    };
    for (const Case& c : formations) {
        SCOPED_TRACE(c.name);
        NewFrame();
        ASSERT_TRUE(parts->group.SetupEnemyBattle(testsupport::WordsToBytes(c.record), {}, 2, false, false, false));
        EXPECT_EQ(parts->group.EnemyCount(), c.expected);
        DrawAndCheck(c.name, 0);
    }
    EXPECT_TRUE(parts->group.IsBossBattle() == false);

    std::vector<std::uint8_t> map0 = sampledata::MapEntry(0);
    CurrentMap = map0.data();
    parts->group.ReadMapEnemyFlags();
    for (std::uint32_t seed : {11u, 40000u, 7777777u}) {
        SCOPED_TRACE(seed);
        NewFrame();
        std::vector<std::uint32_t> symbol(12, 0);
        symbol[8] = seed;
        ASSERT_TRUE(parts->group.SetupEnemyBattle({}, testsupport::WordsToBytes(symbol), 2, false, false, false));
        EXPECT_GE(parts->group.EnemyCount(), 1);
        DrawAndCheck("map0_encounter_seed" + std::to_string(seed), 0);
    }
}

} // namespace
