#include "ScriptedRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "party/Character.h"
#include "platform/Paths.h"
#include "record/Pipkorn.h"
#include "record/SaveAndLoad.h"

namespace e2e {

FrameImage Dump(const GameFolder& folder, int frame, const std::string& keepAs)
{
    char name[32];
    std::snprintf(name, sizeof name, "FrameDumps/frame%05d.png", frame);
    FrameImage image;
    EXPECT_TRUE(image.Load(folder / name)) << name;
    if (!keepAs.empty()) {
        const std::filesystem::path pictures = E2E_PICTURE_DIR;
        std::filesystem::create_directories(pictures);
        std::filesystem::copy_file(folder / name, pictures / (keepAs + ".png"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    return image;
}

void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing)
{
    WriteSave(folder, slot, map, x, y, facing, [](GameData&, CCharacter&) {});
}

void WriteSave(const GameFolder& folder, int slot, int map, int x, int y, int facing,
               const std::function<void(GameData&, CCharacter&)>& edit)
{
    plat::SetBaseFolder(folder.path());
    GameData data;
    CCharacter party;
    data.NewGameData();
    data.playerMap = map;
    data.playerX = x;
    data.playerY = y;
    data.playerFacing = static_cast<std::uint8_t>(facing);
    TheGameData = &data;
    TheCharacter = &party;
    edit(data, party);
    CSaveFile saves;
    EXPECT_TRUE(saves.SaveGame(slot));
    TheGameData = nullptr;
    TheCharacter = nullptr;
}

void WriteSaveAboveTrainer(const GameFolder& folder, int map, int x, int y)
{
    WriteSave(folder, 0, map, x, y - 1, 0, [](GameData&, CCharacter& party) {
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
            SetMemberMaxHP(m, PARTY_MAX_HP, party.abilityBits[m]);
            party.hp[m] = party.maxHp[m];
        }
    });
}

void WriteSaveBesideTheDoor(const GameFolder& folder)
{
    constexpr int kWelcomedFlag = 100;
    WriteSave(folder, 0, 0, 22, 10, 3, [](GameData& data, CCharacter&) { data.SetGameFlag(kWelcomedFlag, 1); });
}

std::string FrameList(const std::vector<int>& frames)
{
    std::string list;
    for (int frame : frames)
        list += (list.empty() ? "" : ",") + std::to_string(frame);
    return list;
}

ProgramResult RunScripted(const GameFolder& folder, const std::string& script, const std::string& dumps, int frameLimit)
{
    return RunScripted(folder, script, dumps, frameLimit, {});
}

ProgramResult RunScripted(const GameFolder& folder, const std::string& script, const std::string& dumps, int frameLimit,
                          const Environment& extra, std::chrono::seconds limit)
{
    folder.Write("script.txt", script);
    Environment environment = HeadlessEnvironment();
    environment["VELMORA_INPUT_SCRIPT"] = "script.txt";
    environment["VELMORA_DUMP_FRAMES"] = dumps;
    environment["VELMORA_FRAME_LIMIT"] = std::to_string(frameLimit);
    for (const auto& [name, value] : extra)
        environment[name] = value;
    return RunGameProgram(folder, environment, limit);
}

} // namespace e2e
