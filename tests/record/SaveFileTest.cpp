#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "GameWorld.h"
#include "party/Character.h"
#include "core/GameDataTables.h"
#include "core/PackCatalogue.h"
#include "core/Random.h"
#include "record/Pipkorn.h"
#include "core/SafeFileWrite.h"
#include "record/SaveAndLoad.h"
#include "TempFolder.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Clock.h"
#include "platform/LittleEndian.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::TempFolder;
using testsupport::WriteWholeFile;

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plat::SetBaseFolder(folder.path());
        plat::SetMessageBoxSink([this](SDL_Window*, const plat::MessageBoxRequest& r) { messages.push_back(r.text); });
        TheGameData = &data;
        TheCharacter = &party;
        data.NewGameData();
        saves.cellCheck = nullptr;
    }
    void TearDown() override
    {
        safewrite::SetFaultHook(nullptr);
        plat::SetMessageBoxSink(nullptr);
    }

    std::filesystem::path Slot(int slot) { return folder / SaveSlotPaths[slot]; }
    std::string SlotBytes(int slot) { return ReadWholeFile(Slot(slot)); }

    // A state every field of which differs from a new game, within its range.
    void RandomiseState(std::uint32_t seed)
    {
        std::mt19937 r(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(r); };
        for (auto& f : data.ownedKeyFlags)
            f = static_cast<std::uint8_t>(pick(0, 1));
        for (int i = 0; i < MAGIC_COUNT; ++i) {
            party.learned[i] = static_cast<std::uint8_t>(pick(0, 1));
            party.autoMagicAllowed[i] = static_cast<std::uint8_t>(pick(0, 1));
        }
        party.curableMask = static_cast<std::uint32_t>(r());
        party.money = static_cast<std::uint32_t>(pick(0, 99999999));
        for (int m = 0; m < 3; ++m) {
            for (auto& s : party.statsA[m])
                s = static_cast<std::int16_t>(pick(0, 9999));
            party.baseMaxHp[m] = pick(1, 99999);
            party.hp[m] = pick(0, party.baseMaxHp[m]);
            party.equipment[EQUIP_WEAPON][m] = static_cast<std::int16_t>(pick(-1, 34));
            party.equipment[EQUIP_ARMOR][m] = static_cast<std::int16_t>(pick(-1, 33));
            party.equipment[EQUIP_ACCESSORY][m] = static_cast<std::int16_t>(pick(-1, 82));
            party.exp[m] = static_cast<std::int16_t>(pick(0, 999));
            party.level[m] = static_cast<std::int16_t>(pick(1, 255));
            party.sp[m] = static_cast<std::int16_t>(pick(0, 255));
            party.memberOptions[m][1] = static_cast<std::uint8_t>(pick(0, 1));
            party.memberOptions[m][2] = static_cast<std::uint8_t>(pick(0, 1));
        }
        for (auto& s : party.stock)
            s = static_cast<std::int16_t>(pick(0, 255));
        for (int s = 0; s < 10; ++s) {
            QuickSlot& slot = s < 4 ? party.quickSlots[0][s + 2] : party.quickSlots[1][s - 4];
            slot.kind = static_cast<std::uint8_t>(pick(0, 2));
            slot.id = static_cast<std::int16_t>(slot.kind == 1 ? pick(0, 23) : pick(0, 34));
        }
        party.partyWordC = static_cast<std::uint32_t>(r()) & ~(3u << 18);
        party.partyWordC |= static_cast<std::uint32_t>(pick(0, 2)) << 18;
        party.partyWordD = static_cast<std::uint32_t>(r());
        data.textSpeed = static_cast<std::uint8_t>(pick(0, 2));
        data.hudMode = static_cast<std::uint8_t>(pick(0, 3));
        data.effectOption = static_cast<std::uint8_t>(pick(0, 1));
        data.autoRun = static_cast<std::uint8_t>(pick(0, 1));
        data.playerFacing = static_cast<std::uint8_t>(pick(0, 3));
        data.playerMap = pick(0, 252);
        data.playerX = pick(0, 1023);
        data.playerY = pick(0, 1023);
        data.playTime = static_cast<std::uint32_t>(pick(0, 9999)) | static_cast<std::uint32_t>(pick(0, 59)) << 15 |
                        static_cast<std::uint32_t>(pick(0, 59)) << 22;
        for (auto& w : data.eventFlags)
            w = static_cast<std::uint32_t>(r());
        data.battlesWon = static_cast<std::uint32_t>(pick(0, 2000000000));
        data.enemiesDefeated = static_cast<std::uint32_t>(pick(0, 2000000000));
        for (auto& c : data.defeatedByMember)
            c = static_cast<std::uint32_t>(pick(0, 2000000000));
        for (auto& e : data.enemyRecords)
            e = static_cast<std::uint16_t>(pick(0, 9999) | pick(0, 3) << 14);
        for (auto& c : data.heldItems)
            c = static_cast<std::int8_t>(pick(0, 99));
        for (auto& m : data.heldWeapons)
            for (auto& c : m)
                c = static_cast<std::int8_t>(pick(0, 99));
        for (auto& m : data.heldArmor)
            for (auto& c : m)
                c = static_cast<std::int8_t>(pick(0, 99));
        for (auto& c : data.heldAccessories)
            c = static_cast<std::int8_t>(pick(0, 99));
    }

    SaveState Current() { return CaptureSaveState(data, party); }

    TempFolder folder;
    GameData data;
    CCharacter party;
    CSaveFile saves;
    std::vector<std::string> messages;
    testsupport::GameWorld world;
};

TEST_F(SaveFileTest, RoundTripOfRandomStates)
{
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        SeedGameRandom(seed);
        RandomiseState(seed);
        const SaveState saved = Current();
        ASSERT_TRUE(saves.SaveGame(static_cast<int>(seed % 3)));
        data.NewGameData();
        ASSERT_NE(Current(), saved);
        ASSERT_TRUE(saves.LoadGame(static_cast<int>(seed % 3)));
        EXPECT_EQ(Current(), saved);
        EXPECT_EQ(data.mapPositionMap, saved.map);
        EXPECT_EQ(data.mapPositionX, saved.x);
        EXPECT_EQ(saves.currentSlot, seed % 3);
    }
    EXPECT_TRUE(messages.empty());
}

// Whatever the game's own rules let a value reach, a save holds and loads
// back: every field at the cap its rule sets.
TEST_F(SaveFileTest, AStateAtEveryCapSavesAndLoadsBack)
{
    party.money = PARTY_MAX_MONEY;
    for (int m = 0; m < 3; ++m) {
        party.hp[m] = PARTY_MAX_HP;
        party.baseMaxHp[m] = PARTY_MAX_HP;
        party.level[m] = 255; // level-ups stop at 255
        party.exp[m] = 999;   // 1000 EXP make a level
        party.sp[m] = 255;
        for (auto& stat : party.statsA[m])
            stat = PARTY_MAX_STAT;
        party.equipment[EQUIP_WEAPON][m] = WEAPON_ROW_COUNT - 1;
        party.equipment[EQUIP_ARMOR][m] = ARMOR_ROW_COUNT - 1;
        party.equipment[EQUIP_ACCESSORY][m] = ACCESSORY_ROW_COUNT - 1;
    }
    // The shortcut rules: items below 36, learned magic below 24, skill levels up to 2.
    party.quickSlots[0][2] = {2, SHORTCUT_ITEM_LIMIT - 1};
    party.quickSlots[0][3] = {1, MAGIC_COUNT - 1};
    party.quickSlots[0][4] = {4, HIGHEST_ATTACK_LEVEL};
    data.playTime = static_cast<std::uint32_t>(PLAY_HOURS_CAP); // the clock stops at 9999:00:00
    data.battlesWon = BATTLE_COUNTER_CAP;
    data.enemiesDefeated = BATTLE_COUNTER_CAP;
    for (auto& count : data.defeatedByMember)
        count = BATTLE_COUNTER_CAP;
    for (auto& record : data.enemyRecords)
        record = static_cast<std::uint16_t>(ENEMY_DEFEAT_CAP | 3 << 14);
    for (auto& count : data.heldItems)
        count = HELD_COUNT_CAP;
    data.playerMap = MAP_COUNT - 1;
    const SaveState saved = Current();
    ASSERT_TRUE(saves.SaveGame(1));
    data.NewGameData();
    ASSERT_TRUE(saves.LoadGame(1));
    EXPECT_EQ(Current(), saved);

    // One step past the play-time cap's minutes is not a state the clock makes.
    data.playTime = static_cast<std::uint32_t>(PLAY_HOURS_CAP) | 60u << 15;
    ASSERT_TRUE(saves.SaveGame(2));
    EXPECT_FALSE(saves.LoadGame(2));
}

TEST_F(SaveFileTest, FieldsKeepTheirLowBits)
{
    party.equipment[EQUIP_WEAPON][1] = -1;
    party.equipment[EQUIP_ACCESSORY][2] = -1;
    party.stock[2] = 300;
    ASSERT_TRUE(saves.SaveGame(0));
    data.NewGameData();
    party.equipment[EQUIP_WEAPON][1] = 5;
    party.equipment[EQUIP_ACCESSORY][2] = 6;
    ASSERT_TRUE(saves.LoadGame(0));
    EXPECT_EQ(party.equipment[EQUIP_WEAPON][1], -1);
    EXPECT_EQ(party.equipment[EQUIP_ACCESSORY][2], -1);
    EXPECT_EQ(party.stock[2], 44);
}

// The 952 bytes of the golden save below, in hex.
const char kGoldenSaveFile[] =
    "85e2757ddf3ccb3c1c119a3c9c4b0181e98f062c9991a7801c03ab92156a6c0f72ed9a971b944a88fad58f025c9c5bd2"
    "b531715e929d07194ede3589c2401ebd04158e6a83fb19e653953e3539b4d83b547a85403392b05e55498d8be36e6519"
    "0b47258da217d865cf4a825d06b6d943020381b2185e4949887e3e7b63bc88b8f90398cd09228ca2a36e825675b66968"
    "2b0065002706daeb212665ef0a258fdb8932902bfed61a0771f4ea086e988702cf1359b1be739b18a173ac45b4b6bef3"
    "8ff852e4fe0400be849170191f42ebba07bcc63f8e6be4d25d9bbdaa68ffd27e54ba2f0a0219162afaaead7d0b2cd98e"
    "0b53f47f58a33fa3f65f336286f6c344687a8d86cc08a4a572a13f9d471b113d6b9a0da78cc50158799c04e3cbd74edc"
    "e12fc856f8d927eb29a323c9a1ca6622a9d0a5f7ab67c88e431affb5b7b6ff3cb00bb58e07de18e9c31f7f580a80ae58"
    "b4220131a68da8efd7ad7776a90bb927332d3ff858cbf2850c4b77800103dcad7cb5437bdaa971539210f37e22da89ea"
    "ebbe869efdec1f19876d4e6b7889227f609cf7545bc3e9c08810cd3b1294727fc8d97c1cc5dfdde923be10285ec139fb"
    "e1f5d8c06529c668874d64d0d91918a92a85cd469ecba77740628caa12c764c3f0ce2d2b9cdc4bc47d72528f88e095b6"
    "91d3e17f9c63dd965d8ad3d21642bc657b2c895fcc254f3ded2bbc7e5ca5369cecc53f9d8cacb80b6c55008c584898ff"
    "e3010c9378e2f9a4561ed4cbf8d628259c4b4cc15e3661efcad01e76395e1f4718442676fe547fc4f7bf1b3e2a2c36b8"
    "b368719b251c9e89fa14430d33930cbc2af3dd3370546bcc72b81ad374f0a0486ce9c12aadca5738ec280bbc4865087e"
    "e8e00b339c09b5e69677c15cc5ddde9b6ccbd4027943d67dfd01bc2157ca6d60d4d9916772288a755178fc727c1caa06"
    "7fd49de0e7ecf520b0a07203c326f8cc4cf7902f05f1db1cb740f5dc1a6045a428dfd02a78b8a10df3f3e2b70f6a63ed"
    "62cb855922f1308d9428d6188fcacd2857b41da81d068360b8e2869699e80d98e4216c0cb9473daf6c9c0dac3becdafd"
    "690b116c33a4d9535d42ccabe281a243c3b7d8e9dc9a11b79bed84059de1e536e0a6f217cef56c5964f35533da83e125"
    "7e4b8ffb59e399c83482af79a731eb9d1c2e0791bbaf420c2abb1d3b72b4a80c078a6ebe21a5a65c75884e22b7d72488"
    "2e5de16fea11e422326a3eaa07483a684d18341844ef4124006067744f566017e4c1316cdcdde29f6bbf47691cfe168c"
    "af89783b922272d3a3302c505d9fc80b2ef585de82434c90c5710258a0049921af7cb3fc09000000";

// Fixed inputs give these exact bytes: any change to the format shows here.
TEST_F(SaveFileTest, GoldenFile)
{
    data.NewGameData();
    // The party the file was made from, whatever a new game gives.
    party.ResetKeepingTextures();
    for (int m = 0; m < 3; ++m) {
        party.baseMaxHp[m] = party.maxHp[m] = party.hp[m] = 100;
        party.sp[m] = party.maxSp[m] = 20;
        party.equipment[EQUIP_WEAPON][m] = party.equipment[EQUIP_ARMOR][m] = 0;
        for (auto& stat : party.statsA[m])
            stat = 10;
    }
    data.SetGameFlag(37, 1);
    data.playTime = 12u | 34u << 15 | 56u << 22;
    data.heldItems[69] = 42;
    data.heldAccessories[82] = 7;
    data.enemyRecords[193] = 0x4000 | 12;
    data.playerMap = 17;
    data.playerX = 5;
    data.playerY = 6;
    party.money = 123456;
    party.level[2] = 9;
    party.hp[0] = 99999;
    party.learned[16] = 1;
    SeedGameRandom(2024);
    const std::vector<std::uint8_t> file = BuildSaveFile(Current(), GetMaxPartyLevel());
    ASSERT_EQ(file.size(), 952u);
    EXPECT_EQ(Hex(file), kGoldenSaveFile) << Hex(file);
    // The level stands in plain form after the payload.
    EXPECT_EQ(file[948], 9);
    // Unscrambled, the words hold the fields where the format puts them.
    SavePayloadWords words;
    for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i)
        words[static_cast<std::size_t>(i)] = plat::LoadLe32(file.data() + 4 * i);
    words[SAVE_KEY_WORD] ^= SaveKeyMask(words);
    ScrambleSavePayload(words, words[SAVE_KEY_WORD]);
    EXPECT_EQ(words[SAVE_CHECKSUM_WORD], ComputeSaveChecksum(words));
    EXPECT_EQ(words[0], 1u);                           // owned key 0
    EXPECT_EQ(words[1], 1u << 16);                     // magic 16 learned
    EXPECT_EQ(words[4], 123456u);                      // money
    EXPECT_EQ(words[11] & 0x1FFFF, 99999u);            // member 0's HP
    EXPECT_EQ((words[18] >> 20) & 0x3FF, 9u);          // member 2's level
    EXPECT_EQ(words[23], 17u | 5u << 12 | 6u << 22);   // map and cell
    EXPECT_EQ(words[26], 12u | 34u << 15 | 56u << 22); // play time
    EXPECT_EQ(words[28], 1u << 5);                     // flag 37
    EXPECT_EQ(words[146] >> 16, 0x4000u | 12);         // enemy kind 193
    EXPECT_EQ(words[236] >> 24, 7u);                   // accessory 82, the payload's last byte
    SaveState back;
    ASSERT_TRUE(ReadSaveFileBytes(file, back, nullptr));
    EXPECT_EQ(back, Current());
}

TEST(SaveRandomTest, TwoStepsPerCall)
{
    SaveRandom random;
    random.Seed(0);
    const std::uint32_t first = 741286509u;
    const std::uint32_t second = first * 1664525u + 741286509u;
    EXPECT_EQ(random.Next(), (second & 0xFFFF0000u) | (first >> 16));
    SavePayloadWords words{};
    words[7] = 0xDEADBEEF;
    SavePayloadWords scrambled = words;
    ScrambleSavePayload(scrambled, 0x12345678);
    EXPECT_NE(scrambled, words);
    EXPECT_EQ(scrambled[SAVE_KEY_WORD], 0u); // the key word is left alone
    ScrambleSavePayload(scrambled, 0x12345678);
    EXPECT_EQ(scrambled, words);
}

TEST_F(SaveFileTest, BadFilesAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(saves.SaveGame(0));
    const std::string good = SlotBytes(0);
    auto forged = [&](auto edit) {
        SaveState state = Current();
        edit(state);
        const auto bytes = BuildSaveFile(state, 1);
        return std::string(bytes.begin(), bytes.end());
    };
    std::string flipped = good;
    flipped[300] = static_cast<char>(flipped[300] ^ 0x10);
    std::string unscrambled(952, '\0');
    {
        SavePayloadWords words = PackSavePayload(Current());
        words[SAVE_CHECKSUM_WORD] = ComputeSaveChecksum(words);
        for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i)
            for (int b = 0; b < 4; ++b)
                unscrambled[4 * i + b] = static_cast<char>(words[static_cast<std::size_t>(i)] >> (8 * b));
    }
    const std::pair<const char*, std::string> cases[] = {
        {"947 bytes", good.substr(0, 947)},
        {"953 bytes", good + '\0'},
        {"empty", ""},
        {"a flipped bit", flipped},
        {"an unscrambled copy", unscrambled},
        {"map 253", forged([](SaveState& s) { s.map = 253; })},
        {"leader 3", forged([](SaveState& s) { s.stateWordC |= 3u << 18; })},
        {"text speed 3", forged([](SaveState& s) { s.textSpeed = 3; })},
        {"weapon 35", forged([](SaveState& s) { s.weapon[0] = 35; })},
        {"accessory -2", forged([](SaveState& s) { s.accessory[2] = -2; })},
        {"shortcut kind 5", forged([](SaveState& s) { s.quickKind[4] = 5; })},
        {"magic shortcut 30", forged([](SaveState& s) { s.quickKind[1] = 1, s.quickId[1] = 30; })},
        {"skill shortcut level 3", forged([](SaveState& s) { s.quickKind[6] = 4, s.quickId[6] = 3; })},
        {"held count 100", forged([](SaveState& s) { s.heldWeapons[1][3] = 100; })},
        {"negative held count", forged([](SaveState& s) { s.heldItems[0] = -1; })},
        {"60 minutes", forged([](SaveState& s) { s.playTime = 60u << 15; })},
        {"level 0", forged([](SaveState& s) { s.level[1] = 0; })},
        {"HP above 99999", forged([](SaveState& s) { s.hp[2] = 100000; })},
        {"money above the cap", forged([](SaveState& s) { s.money = 100000000; })},
        {"10000 defeats of a kind", forged([](SaveState& s) { s.enemyRecords[3] = 10000; })},
    };
    // Something to lose: a state unlike the saved one.
    RandomiseState(77);
    const SaveState before = Current();
    const std::int32_t mapPositionBefore = data.mapPositionMap;
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        WriteWholeFile(Slot(1), bytes);
        messages.clear();
        saves.currentSlot = 2;
        EXPECT_FALSE(saves.LoadGame(1));
        EXPECT_EQ(messages, std::vector<std::string>{"データの読み込みに失敗しました"});
        EXPECT_EQ(Current(), before);
        EXPECT_EQ(data.mapPositionMap, mapPositionBefore);
        EXPECT_EQ(saves.currentSlot, 2);
    }
    // Files of 948 to 952 bytes with a good payload load: the level is not read.
    WriteWholeFile(Slot(1), good.substr(0, 948));
    EXPECT_TRUE(saves.LoadGame(1));
}

TEST_F(SaveFileTest, PlayerCellMustLieOnTheMap)
{
    data.playerMap = 4;
    data.playerX = 25;
    ASSERT_TRUE(saves.SaveGame(0));
    saves.cellCheck = [](int map, int x, int) { return map == 4 && x < 20; };
    EXPECT_FALSE(saves.LoadGame(0));
    saves.cellCheck = [](int map, int x, int) { return map == 4 && x < 30; };
    EXPECT_TRUE(saves.LoadGame(0));
}

TEST_F(SaveFileTest, MissingFileFailsWithoutAMessage)
{
    EXPECT_FALSE(saves.LoadGame(2));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(saves.LoadGame(4));
    EXPECT_FALSE(saves.SaveGame(-1));
}

TEST_F(SaveFileTest, SlotsRotateIntoTheBackup)
{
    // Each save is told apart by the level it stores.
    auto saveWithLevel = [&](int slot, int level) {
        party.level[0] = static_cast<std::int16_t>(level);
        return saves.SaveGame(slot);
    };
    std::filesystem::remove_all(folder / "SaveData");
    ASSERT_TRUE(saveWithLevel(2, 10)); // creates the folder, no backup yet
    EXPECT_EQ(saves.ReadSaveSlotLevel(2), 10);
    EXPECT_FALSE(saves.SaveFileExists(SAVE_BACKUP_SLOT));
    ASSERT_TRUE(saveWithLevel(0, 11)); // empty slot: the backup is left alone
    EXPECT_FALSE(saves.SaveFileExists(SAVE_BACKUP_SLOT));
    ASSERT_TRUE(saveWithLevel(2, 12));
    EXPECT_EQ(saves.ReadSaveSlotLevel(2), 12);
    EXPECT_EQ(saves.ReadSaveSlotLevel(SAVE_BACKUP_SLOT), 10);
    ASSERT_TRUE(saveWithLevel(0, 13));
    EXPECT_EQ(saves.ReadSaveSlotLevel(0), 13);
    EXPECT_EQ(saves.ReadSaveSlotLevel(SAVE_BACKUP_SLOT), 11);
    ASSERT_TRUE(saveWithLevel(SAVE_BACKUP_SLOT, 14)); // the backup itself does not rotate
    EXPECT_EQ(saves.ReadSaveSlotLevel(SAVE_BACKUP_SLOT), 14);
    EXPECT_EQ(saves.currentSlot, 0);
    // Only the four save files remain.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder / "SaveData"))
        ++files;
    EXPECT_EQ(files, 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveFileTest, FailedWritesKeepTheSlotAndTheBackup)
{
    party.level[0] = 20;
    ASSERT_TRUE(saves.SaveGame(1));
    party.level[0] = 21;
    ASSERT_TRUE(saves.SaveGame(1));
    const std::string slot = SlotBytes(1);
    const std::string backup = SlotBytes(SAVE_BACKUP_SLOT);
    for (safewrite::WriteStep step :
         {safewrite::WriteStep::Open, safewrite::WriteStep::Write, safewrite::WriteStep::Sync,
          safewrite::WriteStep::Close, safewrite::WriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        static safewrite::WriteStep failing;
        failing = step;
        safewrite::SetFaultHook([](safewrite::WriteStep s) { return s == failing; });
        messages.clear();
        party.level[0] = 30;
        EXPECT_FALSE(saves.SaveGame(1));
        EXPECT_EQ(messages, std::vector<std::string>{"データの保存に失敗しました"});
        EXPECT_EQ(SlotBytes(1), slot);
        EXPECT_EQ(SlotBytes(SAVE_BACKUP_SLOT), backup);
        int files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder / "SaveData"))
            ++files;
        EXPECT_EQ(files, 2);
    }
}

TEST_F(SaveFileTest, SlotQueries)
{
    EXPECT_EQ(saves.FindLatestSaveSlot(), 0);
    EXPECT_EQ(saves.ReadSaveSlotLevel(1), -1);
    ASSERT_TRUE(saves.SaveGame(1));
    ASSERT_TRUE(saves.SaveGame(2));
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(Slot(1), now + std::chrono::seconds(5));
    std::filesystem::last_write_time(Slot(2), now);
    EXPECT_EQ(saves.FindLatestSaveSlot(), 1);
    std::tm time{};
    EXPECT_TRUE(saves.GetSaveFileTime(1, time));
    EXPECT_FALSE(saves.GetSaveFileTime(0, time));

    std::string bytes = SlotBytes(2);
    bytes[948] = 0x2C; // 300
    bytes[949] = 0x01;
    WriteWholeFile(Slot(2), bytes);
    EXPECT_EQ(saves.ReadSaveSlotLevel(2), 0);
    WriteWholeFile(Slot(2), bytes.substr(0, 950));
    EXPECT_EQ(saves.ReadSaveSlotLevel(2), -1);
    saves.DeleteSaveFile(2);
    EXPECT_FALSE(saves.SaveFileExists(2));
}

// On game time (headless runs) a save's time is the fixed date plus the
// game time, so two runs that save alike show and store the same.
TEST_F(SaveFileTest, OnGameTimeASaveIsDatedFromTheFixedDate)
{
    struct Case {
        std::uint32_t gameMs;
        std::int64_t seconds; // after the fixed date
    };
    for (const Case c : {Case{0, 0}, Case{65999, 65}, Case{90061000, 90061}}) {
        plat::UseVirtualClock(c.gameMs);
        const bool saved = saves.SaveGame(c.seconds % 2 == 0 ? 0 : 1);
        plat::UseRealClock();
        ASSERT_TRUE(saved);
        const std::time_t expected = static_cast<std::time_t>(GAME_TIME_DATE + c.seconds);
        std::tm want{}, got{};
        ASSERT_NE(::localtime_r(&expected, &want), nullptr);
        ASSERT_TRUE(saves.GetSaveFileTime(c.seconds % 2 == 0 ? 0 : 1, got));
        EXPECT_EQ(std::mktime(&got), std::mktime(&want)) << c.gameMs;
    }
    // Slot 1 was written last, at the latest game time.
    EXPECT_EQ(saves.FindLatestSaveSlot(), 1);
    // Within one second of game time the milliseconds order the saves.
    for (const auto& [slot, gameMs] : {std::pair{0, 5001u}, std::pair{2, 5998u}, std::pair{1, 5500u}}) {
        plat::UseVirtualClock(gameMs);
        const bool saved = saves.SaveGame(slot);
        plat::UseRealClock();
        ASSERT_TRUE(saved);
    }
    EXPECT_EQ(saves.FindLatestSaveSlot(), 2);
}

// A process saving in a loop is killed at random moments; the slot or the
// backup must load every time.
TEST_F(SaveFileTest, KilledWhileSavingLeavesALoadableFile)
{
    ASSERT_TRUE(saves.SaveGame(0));
    std::mt19937 random(4321);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (std::uint32_t n = 0;; ++n) {
                data.playTime = n % 9999;
                party.money = n;
                saves.SaveGame(0);
            }
        }
        ::usleep(std::uniform_int_distribution<unsigned>(200, 20000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        // The next start clears what the killed write left behind.
        CSaveFile reader;
        reader.cellCheck = nullptr;
        reader.InitSaveFile();
        for (const auto& entry : std::filesystem::directory_iterator(folder / "SaveData")) {
            const std::string name = entry.path().filename().string();
            ASSERT_TRUE(name.find(".tmp") == std::string::npos && name.find(".old") == std::string::npos)
                << "round " << round << ": " << entry.path();
        }
        const bool slotLoads = reader.LoadGame(0);
        const bool backupLoads = reader.LoadGame(SAVE_BACKUP_SLOT);
        ASSERT_TRUE(slotLoads || backupLoads) << "round " << round;
    }
}

// A kill between the second name for the old slot file and the last rename
// leaves "SaveDataNN.sav.old"; the next start finishes what the save began
// once the slot itself is whole, and never loses the last whole copy.
TEST_F(SaveFileTest, StartUpSettlesTheOldFileAKilledSaveLeft)
{
    ASSERT_TRUE(saves.SaveGame(SAVE_BACKUP_SLOT));
    const std::string backup = SlotBytes(SAVE_BACKUP_SLOT);
    party.money = 1111;
    ASSERT_TRUE(saves.SaveGame(0));
    const std::string older = SlotBytes(0);
    party.money = 2222;
    ASSERT_TRUE(saves.SaveGame(1));
    const std::string newer = SlotBytes(1);
    const std::filesystem::path old = Slot(0).string() + ".old";
    enum class Left { SameFile, OldSlotFile, OldBesideDamagedSlot, OldBesideNoSlot };
    struct Case {
        const char* what;
        Left left;
        std::string slot, backup; // what start-up leaves
    };
    const Case cases[] = {
        {"killed after the second name", Left::SameFile, older, backup},
        {"killed after the new file moved in", Left::OldSlotFile, newer, older},
        {"the slot damaged since", Left::OldBesideDamagedSlot, older, backup},
        {"the slot gone since", Left::OldBesideNoSlot, older, backup},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile(Slot(SAVE_BACKUP_SLOT), backup);
        std::filesystem::remove(old);
        switch (c.left) {
        case Left::SameFile:
            WriteWholeFile(Slot(0), older);
            std::filesystem::create_hard_link(Slot(0), old);
            break;
        case Left::OldSlotFile:
            WriteWholeFile(Slot(0), newer);
            WriteWholeFile(old, older);
            break;
        case Left::OldBesideDamagedSlot:
            WriteWholeFile(Slot(0), newer.substr(0, 500));
            WriteWholeFile(old, older);
            break;
        case Left::OldBesideNoSlot:
            std::filesystem::remove(Slot(0));
            WriteWholeFile(old, older);
            break;
        }
        CSaveFile reader;
        reader.InitSaveFile();
        EXPECT_FALSE(std::filesystem::exists(old));
        EXPECT_TRUE(SlotBytes(0) == c.slot);
        EXPECT_TRUE(SlotBytes(SAVE_BACKUP_SLOT) == c.backup);
    }
    // An old file that is itself damaged is removed beside a whole slot.
    WriteWholeFile(Slot(0), newer);
    WriteWholeFile(old, "short");
    CSaveFile reader;
    reader.InitSaveFile();
    EXPECT_FALSE(std::filesystem::exists(old));
    EXPECT_TRUE(SlotBytes(SAVE_BACKUP_SLOT) == backup);
}

// Only what a write for the target itself names is a leftover: the settings
// program's own temporary file and other targets' files stay.
TEST(SafeFileWriteTest, LeftoversOfTheTargetAloneAreRemoved)
{
    TempFolder folder;
    const std::filesystem::path target = folder / "SaveData01.sav";
    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {
        {"SaveData01.sav.tmpAb12Z9", true},   {"SaveData01.sav.tmp000000", true},
        {"SaveData01.sav.tmp", false},        {"SaveData01.sav.tmpAb12", false},
        {"SaveData01.sav.tmpAb12Z9x", false}, {"SaveData01.sav.tmpAb-2Z9", false},
        {"SaveData02.sav.tmpAb12Z9", false},  {"SaveData01.sav", false},
    };
    for (const Case& c : cases)
        WriteWholeFile(folder / c.name, "x");
    EXPECT_EQ(safewrite::RemoveLeftovers(target), 2);
    for (const Case& c : cases)
        EXPECT_NE(std::filesystem::exists(folder / c.name), c.removed) << c.name;

    // A write clears them too, before it makes its own temporary file.
    WriteWholeFile(folder / "SaveData01.sav.tmpQQQQQQ", "x");
    ASSERT_TRUE(safewrite::ReplaceFile(target, "new", 3));
    EXPECT_FALSE(std::filesystem::exists(folder / "SaveData01.sav.tmpQQQQQQ"));
    EXPECT_EQ(ReadWholeFile(target), "new");
}

} // namespace
