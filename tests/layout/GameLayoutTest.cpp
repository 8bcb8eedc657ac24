// The game's source layout holds as the parts arrive: every global declared
// once in one header, no circle of header includes, and each area includes
// only what its layer may (core/ nothing else of the game, record/ the few
// headers it needs of its neighbours, nothing but main/ the program itself).
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "SourceTree.h"

namespace layouttest {
namespace {

const std::vector<SourceFile>& GameSources()
{
    static const std::vector<SourceFile> files = ReadSourceTree(VELMORA_GAME_SRC);
    return files;
}

TEST(GameLayout, TheTreeIsRead)
{
    std::set<std::string> paths;
    for (const SourceFile& file : GameSources())
        paths.insert(file.path);
    EXPECT_EQ(paths.count("core/Parts.h"), 1u);
    EXPECT_EQ(paths.count("main/GameMain.h"), 1u);
    EXPECT_EQ(paths.count("party/Character.h"), 1u); // built or standing in
}

TEST(GameLayout, EveryGlobalIsDeclaredOnceInOneHeader)
{
    std::map<std::string, std::vector<std::string>> declaredIn;
    for (const SourceFile& file : GameSources())
        for (const std::string& name : ExternNames(file))
            declaredIn[name].push_back(file.written);
    EXPECT_GT(declaredIn.count("TheCharacter"), 0u);
    EXPECT_GT(declaredIn.count("SceneState"), 0u);
    for (const auto& [name, files] : declaredIn) {
        SCOPED_TRACE(name);
        ASSERT_EQ(files.size(), 1u) << files[0] << " and " << files[1];
        EXPECT_EQ(files[0].substr(files[0].size() - 2), ".h") << files[0];
    }
}

TEST(GameLayout, NoHeaderIncludesItselfThroughOthers)
{
    EXPECT_EQ(FindIncludeCircle(GameSources()), "");
}

TEST(GameLayout, OnlyTheProgramIncludesItsOwnFiles)
{
    for (const SourceFile& file : GameSources()) {
        if (AreaOf(file.path) == "main")
            continue;
        for (const std::string& included : file.includes)
            EXPECT_NE(AreaOf(included), "main") << file.written << " includes " << included;
    }
}

TEST(GameLayout, CoreIncludesNothingElseOfTheGame)
{
    for (const SourceFile& file : GameSources()) {
        if (AreaOf(file.path) != "core")
            continue;
        for (const std::string& included : file.includes)
            EXPECT_EQ(AreaOf(included), "core") << file.written << " includes " << included;
    }
}

// The game-data record calls the party's services and reads its values, plays
// sound effects, lays out its window frames, asks the current map's header
// and has the player store its position before a save; nothing else of the
// other areas.
TEST(GameLayout, TheRecordReachesItsNeighboursOnlyThroughTheirSeams)
{
    const std::set<std::string> seams = {"media/PlaySE.h", "media/FixedWindowSet.h", "field/Map.h",
                                         "field/MapHeader.h", "field/MapCharacter.h"};
    for (const SourceFile& file : GameSources()) {
        if (AreaOf(file.path) != "record")
            continue;
        for (const std::string& included : file.includes) {
            const std::string area = AreaOf(included);
            if (area == "core" || area == "record" || area == "party")
                continue;
            EXPECT_EQ(seams.count(included), 1u) << file.written << " includes " << included;
        }
    }
}

} // namespace
} // namespace layouttest
