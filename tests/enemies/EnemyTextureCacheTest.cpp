// The twelve cached enemy pictures and the group's shared textures.
#include <algorithm>
#include <numeric>

#include "EnemyFixture.h"

namespace enemytest {
namespace {

class CountingPack : public fakes::FakeFilePack {
public:
    int loads = 0;
    bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) override
    {
        ++loads;
        return FakeFilePack::LoadTexture(texture, pack, entry);
    }
};

class EnemyTextureCacheTest : public EnemyTest {
protected:
    void SetUp() override
    {
        EnemyTest::SetUp();
        counting.images = pack.images;
        ZephFilePack = &counting;
    }
    void TearDown() override
    {
        group().ReleaseEnemy();
        ZephFilePack = &pack;
        EnemyTest::TearDown();
    }
    void ExpectAgesArePermutation()
    {
        std::vector<int> ages(group().TexCacheAge, group().TexCacheAge + ENEMY_TEXTURE_CACHE);
        std::sort(ages.begin(), ages.end());
        std::vector<int> expected(ENEMY_TEXTURE_CACHE);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(ages, expected);
    }
    int SlotOf(int graphic)
    {
        for (int slot = 0; slot < ENEMY_TEXTURE_CACHE; ++slot)
            if (group().TexCacheIds[slot] == graphic)
                return slot;
        return -1;
    }
    CountingPack counting;
};

TEST_F(EnemyTextureCacheTest, AThirteenthPictureEvictsTheOldest)
{
    for (int g = 0; g < 12; ++g)
        ASSERT_GE(group().LoadEnemyTexture(40 + g), 0);
    EXPECT_EQ(counting.loads, 12);
    const int first = SlotOf(40);
    ASSERT_GE(first, 0);
    EXPECT_EQ(group().TexCacheAge[first], 11);

    EXPECT_EQ(group().LoadEnemyTexture(60), first);
    EXPECT_EQ(SlotOf(40), -1);
    EXPECT_EQ(group().TexCacheAge[first], 0);
    EXPECT_EQ(counting.loads, 13);
    ExpectAgesArePermutation();
    // The next oldest goes next.
    const int slot = group().LoadEnemyTexture(61);
    EXPECT_EQ(slot, SlotOf(61));
    EXPECT_EQ(SlotOf(41), -1);
}

TEST_F(EnemyTextureCacheTest, AHitReordersAgesWithoutLoading)
{
    for (int g = 0; g < 12; ++g)
        group().LoadEnemyTexture(g);
    const int slot = SlotOf(3); // age 8
    ASSERT_EQ(group().TexCacheAge[slot], 8);
    const int ageOfFive = group().TexCacheAge[SlotOf(5)];
    const int ageOfOne = group().TexCacheAge[SlotOf(1)];
    EXPECT_EQ(group().LoadEnemyTexture(3), slot);
    EXPECT_EQ(counting.loads, 12);
    EXPECT_EQ(group().TexCacheAge[slot], 0);
    EXPECT_EQ(group().TexCacheAge[SlotOf(5)], ageOfFive + 1); // was younger: ages
    EXPECT_EQ(group().TexCacheAge[SlotOf(1)], ageOfOne);      // was older: stays
    ExpectAgesArePermutation();
    // Now 3 is the youngest, so twelve new pictures evict it last.
    for (int g = 20; g < 31; ++g)
        group().LoadEnemyTexture(g);
    EXPECT_EQ(SlotOf(3), slot);
}

TEST_F(EnemyTextureCacheTest, AMissingPictureIsNoneAndLaterOnesLoad)
{
    counting.images.erase(PACK_ENEMY_GRAPHIC_FIRST + 7);
    EXPECT_EQ(group().LoadEnemyTexture(7), -1);
    EXPECT_EQ(SlotOf(7), -1);
    EXPECT_EQ(group().LoadEnemyTexture(183), -1); // no such picture
    EXPECT_EQ(group().LoadEnemyTexture(-1), -1);
    EXPECT_GE(group().LoadEnemyTexture(8), 0);

    // An enemy of that kind has no picture: none, never slot 0.
    ASSERT_TRUE(SetupFormation(FormationBytes({7}, 1)));
    EXPECT_EQ(GetBits(record(0).FlagsA, FLAGS_A_TEXTURE_SLOT, 4), static_cast<std::uint32_t>(ENEMY_NO_TEXTURE));
    EXPECT_EQ(group().EnemyTexture(0), nullptr);
    EXPECT_EQ(record(0).FrameWidth, 96.0f);
}

TEST_F(EnemyTextureCacheTest, AMissingSharedTextureLeavesTheOthersLoaded)
{
    group().ReleaseEnemy();
    counting.images.erase(PACK_ENEMY_GROUP_TEXTURES[0]); // the marks
    counting.images.erase(PACK_ENEMY_GROUP_TEXTURES[2]); // the small underlay
    group().InitEnemy();
    EXPECT_EQ(group().MarkTex, nullptr);
    EXPECT_EQ(group().UnderlayTex[0], nullptr);
    EXPECT_NE(group().ArrowTex, nullptr);
    EXPECT_NE(group().UnderlayTex[1], nullptr);
    EXPECT_NE(group().BadgeTex, nullptr);
    EXPECT_FLOAT_EQ(group().ArrowRowUv[1][0], 24.0f / 128.0f);
}

TEST_F(EnemyTextureCacheTest, InitAndReleaseLeaveNothingBehind)
{
    group().ReleaseEnemy();
    counting.releasedTextures.clear();
    counting.loads = 0;
    group().InitEnemy();
    EXPECT_EQ(counting.loads, 5);
    EXPECT_FLOAT_EQ(group().MarkUv[0], 112.0f / 128.0f);
    EXPECT_FLOAT_EQ(group().MarkUv[3], 1.0f);
    EXPECT_EQ(group().EnemyCount(), 1);
    EXPECT_EQ(group().ShotFadeAlpha, 255);
    EXPECT_EQ(group().DropQuad[2].rhw, 1.0f);
    group().LoadEnemyTexture(1);
    group().LoadEnemyTexture(2);
    group().ReleaseEnemy();
    EXPECT_EQ(counting.releasedTextures.size(), 7u);
    EXPECT_EQ(group().MarkTex, nullptr);
    for (int slot = 0; slot < ENEMY_TEXTURE_CACHE; ++slot)
        EXPECT_EQ(group().TexCacheIds[slot], ENEMY_CACHE_EMPTY);
}

} // namespace
} // namespace enemytest
