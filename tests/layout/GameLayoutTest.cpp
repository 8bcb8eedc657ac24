// The game's source layout holds as the parts arrive: every global declared
// once in one header, no circle of header includes, and each area includes
// only what its layer may (core/ nothing else of the game, record/ the few
// seams it needs of its neighbours, nothing but main/ the program itself, and
// every other area reaches a scene area through its service header alone).
#include <gtest/gtest.h>

#include <map>
#include <regex>
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
    const std::set<std::string> seams = {"media/PlaySE.h", "media/FixedWindowSet.h", "field/FieldServices.h",
                                         "party/PartyServices.h"};
    for (const SourceFile& file : GameSources()) {
        if (AreaOf(file.path) != "record")
            continue;
        for (const std::string& included : file.includes) {
            const std::string area = AreaOf(included);
            if (area == "core" || area == "record")
                continue;
            EXPECT_EQ(seams.count(included), 1u) << file.written << " includes " << included;
        }
    }
}

// The scene areas and the one header each shows the others.
const std::map<std::string, std::string> kServiceHeaders = {
    {"battle", "battle/BattleServices.h"}, {"enemies", "enemies/EnemyServices.h"}, {"field", "field/FieldServices.h"},
    {"menu", "menu/MenuServices.h"},       {"party", "party/PartyServices.h"},     {"title", "title/TitleServices.h"},
};

// The headers that hold the classes of the part pointers (core/Parts.h): the
// program owns the parts, so it may include them.
std::set<std::string> PartClassHeaders()
{
    std::set<std::string> partClasses;
    const std::regex pointer(R"re(^extern\s+(C\w+)\s*\*\s*The\w+;)re");
    const std::regex definition(R"re(^class\s+(C\w+)\b[^;]*$)re");
    for (const SourceFile& file : GameSources())
        if (file.path == "core/Parts.h")
            for (const std::string& line : file.lines) {
                std::smatch match;
                if (std::regex_search(line, match, pointer))
                    partClasses.insert(match[1]);
            }
    std::set<std::string> headers;
    for (const SourceFile& file : GameSources())
        for (const std::string& line : file.lines) {
            std::smatch match;
            if (std::regex_search(line, match, definition) && partClasses.count(match[1]) != 0)
                headers.insert(file.path);
        }
    return headers;
}

// Why an include from outside an area breaks its seam, or "" when it keeps it.
std::string SeamBreak(const std::string& from, const std::string& included, const std::set<std::string>& partHeaders)
{
    const std::string area = AreaOf(included);
    if (area == AreaOf(from) || area == "core" || area == "record" || area == "media" || area == "main")
        return "";
    if (AreaOf(from) == "main" && partHeaders.count(included) != 0)
        return "";
    const auto service = kServiceHeaders.find(area);
    if (service == kServiceHeaders.end())
        return from + " includes " + included + ": " + area + "/ offers nothing to the other areas";
    if (included == service->second)
        return "";
    return from + " includes " + included + ": include " + service->second +
           " instead, and declare there what it needs";
}

TEST(GameLayout, TheSeamRuleTellsAFileWhatToInclude)
{
    const std::set<std::string> partHeaders = {"party/Character.h"};
    EXPECT_EQ(SeamBreak("battle/A.cpp", "party/PartyServices.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("battle/A.cpp", "battle/B.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("battle/A.cpp", "media/PlaySE.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("main/A.cpp", "party/Character.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("field/event/A.cpp", "field/Map.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("battle/A.cpp", "party/Character.h", partHeaders),
              "battle/A.cpp includes party/Character.h: include party/PartyServices.h instead, and declare "
              "there what it needs");
    EXPECT_NE(SeamBreak("main/A.cpp", "party/PartyQueries.h", partHeaders), "");
    EXPECT_NE(SeamBreak("menu/A.cpp", "title/Title.h", partHeaders), "");
    EXPECT_EQ(SeamBreak("menu/A.cpp", "credits/Roll.h", partHeaders),
              "menu/A.cpp includes credits/Roll.h: credits/ offers nothing to the other areas");
}

TEST(GameLayout, EachSceneAreaIsReachedOnlyThroughItsServiceHeader)
{
    const std::set<std::string> partHeaders = PartClassHeaders();
    EXPECT_EQ(partHeaders.count("party/Character.h"), 1u);
    EXPECT_EQ(partHeaders.count("field/event/Event.h"), 1u);
    std::set<std::string> present;
    for (const SourceFile& file : GameSources())
        present.insert(file.path);
    for (const auto& [area, header] : kServiceHeaders)
        EXPECT_EQ(present.count(header), 1u) << header;
    for (const SourceFile& file : GameSources())
        for (const std::string& included : file.includes)
            EXPECT_EQ(SeamBreak(file.path, included, partHeaders), "");
}

} // namespace
} // namespace layouttest
