// The sample data the game runs on out of the box and the tests use: every
// entry of the resource pack and the tunes, all made by code.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ByteBuffer.h"
#include "core/EnemyDefs.h"

namespace sampledata {

// The data tables.
Bytes ItemTableEntry();
Bytes WeaponTableEntry(int member);
Bytes ArmorTableEntry(int member);
Bytes AccessoryTableEntry();
Bytes WarpPointTableEntry();
Bytes EnemyKindEntry();

// The enemy kinds entry 2 is written from; kinds 0 to 16 are the demo kinds.
std::vector<EnemyKind> SampleEnemyKinds();
// The size class enemy picture `graphic` is drawn for.
int EnemyGraphicSizeClass(int graphic);
// The one enemy picture drawn as a single row (facing ignored).
constexpr int kOneRowEnemyGraphic = 6;
// Pictures stored at half their sprite size (the summoner's and the dragon's).
constexpr bool IsHalfSizeEnemyGraphic(int graphic)
{
    return graphic == 5 || graphic == 7;
}

// The enemies of the first map's two fighters: a slime and a bat, then a
// goblin, a caster and a healer.
inline const std::vector<int> kFighterKinds = {0, 1};
inline const std::vector<int> kSecondFighterKinds = {2, 3, 4};

// Battle records as a battle event names them (32-bit argument words:
// count, tune, flee label, flags, retry mode, pattern, kinds).
std::vector<std::uint32_t> FighterBattleRecord();
// The second fighter's battle as his event starts it: no fleeing, a lost battle may be fought again.
std::vector<std::uint32_t> SecondFighterBattleRecord();
std::vector<std::uint32_t> RetryBattleRecord();
std::vector<std::uint32_t> BossBattleRecord();
std::vector<std::uint32_t> FullBattleRecord();
std::vector<std::uint32_t> WalkerBattleRecord();
std::vector<std::uint32_t> GalleryBattleRecord();
std::vector<std::uint32_t> ShotGalleryBattleRecord();
std::vector<std::uint32_t> KindMoveShowcaseBattleRecord();
// The drainers and the kinds' own attacks (kinds 88, 164, 176, 190), and their battle.
void KindAttackKinds(std::vector<EnemyKind>& kinds);
std::vector<std::uint32_t> KindAttackBattleRecord();
// The kinds the arena's keepers send in: periodic specials, stages, the pair 114 and 115, counter-shots.
void ArenaKinds(std::vector<EnemyKind>& kinds);
// Writes the encounter fields of map `map`'s header.
void PutEncounterTable(Bytes& b, int map);

// Maps: the blob of map n, and the extra data of map 21.
Bytes MapEntry(int map);
Bytes Map21DataEntry();
// The event area of map n (records, then the point list) and its record count.
Bytes MapEventArea(int map, int& recordCount);
// Width and height in cells of map n.
int MapWidth(int map);
int MapHeight(int map);

// Pictures, sounds and effect descriptors.
struct TextureSize {
    int width;
    int height;
};
bool IsTextureEntry(int entry);
TextureSize TextureEntrySize(int entry);
Bytes TextureEntry(int entry);
Bytes SoundEffectEntry(int soundId);
Bytes EffectEntry(int entry);
bool IsEffectEntry(int entry);

// All 516 entries of Data/Pack.dat, entry n at index n.
std::vector<Bytes> BuildPackEntries();

// The 17 tunes: file names (in Midi/) and their Standard MIDI Files.
constexpr int kTuneCount = 17;
std::string TuneFileName(int tune);
Bytes TuneFile(int tune);

// Writes Data/Pack.dat and Midi/*.mid below `runFolder`; false on failure.
bool WriteSampleData(const std::filesystem::path& runFolder);

} // namespace sampledata
