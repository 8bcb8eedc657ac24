#include "record/SaveAndLoad.h"

#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <sys/stat.h>

#include "field/FieldServices.h"
#include "party/PartyServices.h"
#include "core/Random.h"
#include "core/PackCatalogue.h"
#include "record/Pipkorn.h"
#include "core/SafeFileWrite.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/LittleEndian.h"
#include "platform/Paths.h"

const char* const SaveSlotPaths[4] = {"SaveData/SaveData01.sav", "SaveData/SaveData02.sav", "SaveData/SaveData03.sav",
                                      "SaveData/BackupSaveData.sav"};

namespace {

constexpr char kCaption[] = "ヴェルモラ";
constexpr char kSaveFailed[] = "データの保存に失敗しました";
constexpr char kLoadFailed[] = "データの読み込みに失敗しました";

bool ValidSlot(int slot)
{
    return slot >= 0 && slot <= SAVE_BACKUP_SLOT;
}

std::filesystem::path SlotPath(int slot)
{
    return plat::ResolvePath(SaveSlotPaths[slot]);
}

void ShowFailure(const char* text)
{
    plat::ShowMessageBox(nullptr, {text, kCaption, plat::MessageKind::Error, true});
}

bool ReadFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(limit + 1, 0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

// A save's time is its file's last-write time; on game time that is the
// fixed date plus the game time, not the moment the file was written.
void DateOnGameTime(const std::filesystem::path& file)
{
    if (!plat::IsVirtualClock())
        return;
    const std::uint32_t ms = plat::NowMs();
    const struct timespec date {
        static_cast<std::time_t>(GAME_TIME_DATE + ms / 1000), static_cast<long>(ms % 1000) * 1000000
    };
    const struct timespec times[2] = {date, date};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
}

// The second name a save gives the old slot file until it becomes the backup.
std::filesystem::path OldFilePath(int slot)
{
    std::filesystem::path old = SlotPath(slot);
    old += ".old";
    return old;
}

// A file that would load: its size and its checksum hold (where the player
// stands is checked only when it loads).
bool IsWholeSaveFile(const std::filesystem::path& path)
{
    std::vector<std::uint8_t> bytes;
    SaveState state;
    return ReadFile(path, bytes, SAVE_FILE_BYTES) && ReadSaveFileBytes(bytes, state, nullptr);
}

// A save killed before its last rename leaves the old slot file under its
// second name. Beside a whole slot it is the backup the save was making (or
// the slot file itself, when the new one never moved in); beside a damaged or
// missing slot it is the last whole copy of that slot, so it goes back there.
void SettleOldFile(int slot)
{
    const std::filesystem::path old = OldFilePath(slot);
    std::error_code error;
    if (!std::filesystem::exists(old, error))
        return;
    const std::filesystem::path target = SlotPath(slot);
    if (!IsWholeSaveFile(target)) {
        if (IsWholeSaveFile(old) && safewrite::MoveIntoPlace(old, target))
            return;
    } else if (!std::filesystem::equivalent(old, target, error) && IsWholeSaveFile(old) &&
               safewrite::MoveIntoPlace(old, SlotPath(SAVE_BACKUP_SLOT))) {
        return;
    }
    std::filesystem::remove(old, error);
}

} // namespace

std::uint32_t SaveRandom::Next()
{
    const std::uint32_t first = state_ = state_ * 1664525u + 741286509u;
    const std::uint32_t second = state_ = state_ * 1664525u + 741286509u;
    return (second & 0xFFFF0000u) | (first >> 16);
}

std::uint32_t ComputeSaveChecksum(const SavePayloadWords& words)
{
    SaveRandom random;
    random.Seed(517203948u);
    std::uint32_t sum = 0;
    for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i) {
        if (i == SAVE_KEY_WORD || i == SAVE_CHECKSUM_WORD)
            continue;
        const std::uint32_t m = random.Next();
        const std::uint32_t a = random.Next();
        sum ^= m * words[static_cast<std::size_t>(i)] + a;
    }
    return sum;
}

void ScrambleSavePayload(SavePayloadWords& words, std::uint32_t key)
{
    SaveRandom random;
    random.Seed(0x9a41c27eu);
    for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i) {
        if (i == SAVE_KEY_WORD)
            continue;
        const std::uint32_t m = random.Next();
        const std::uint32_t a = random.Next();
        words[static_cast<std::size_t>(i)] ^= m * key + a;
    }
}

std::uint32_t SaveKeyMask(const SavePayloadWords& scrambled)
{
    return (scrambled[99] + scrambled[147]) * 27461093u + 603518247u;
}

std::vector<std::uint8_t> BuildSaveFile(const SaveState& state, int level)
{
    SavePayloadWords words = PackSavePayload(state);
    words[SAVE_CHECKSUM_WORD] = ComputeSaveChecksum(words);
    const std::uint32_t r1 = static_cast<std::uint32_t>(GameRandom());
    const std::uint32_t r2 = static_cast<std::uint32_t>(GameRandom());
    const std::uint32_t r3 = static_cast<std::uint32_t>(GameRandom());
    const std::uint32_t key = ((r1 >> 13) << 30) + (r2 << 15) + r3;
    words[SAVE_KEY_WORD] = key;
    ScrambleSavePayload(words, key);
    words[SAVE_KEY_WORD] ^= SaveKeyMask(words);

    std::vector<std::uint8_t> file(SAVE_FILE_BYTES);
    for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i)
        plat::StoreLe32(file.data() + 4 * i, words[static_cast<std::size_t>(i)]);
    plat::StoreLe32(file.data() + SAVE_PAYLOAD_BYTES, static_cast<std::uint32_t>(level));
    return file;
}

bool ReadSaveFileBytes(const std::vector<std::uint8_t>& bytes, SaveState& state, const MapCellCheck& cellCheck)
{
    // The payload, then at most the four bytes of the level.
    if (bytes.size() < SAVE_PAYLOAD_BYTES || bytes.size() > SAVE_FILE_BYTES)
        return false;
    SavePayloadWords words;
    for (int i = 0; i < SAVE_PAYLOAD_WORDS; ++i)
        words[static_cast<std::size_t>(i)] = plat::LoadLe32(bytes.data() + 4 * i);
    words[SAVE_KEY_WORD] ^= SaveKeyMask(words);
    ScrambleSavePayload(words, words[SAVE_KEY_WORD]);
    if (ComputeSaveChecksum(words) != words[SAVE_CHECKSUM_WORD])
        return false;
    return UnpackSavePayload(words, state, cellCheck);
}

bool IsCellOnPackMap(int map, int x, int y)
{
    if (ZephFilePack == nullptr)
        return true;
    int length = 0;
    unsigned char* blob = ZephFilePack->LoadData(0, MapPackEntry(map), &length, nullptr);
    if (blob == nullptr)
        return false;
    // An entry the field would refuse holds no cell a save can start on.
    MapHeader header;
    const bool inside = length >= 0 &&
                        ReadMapHeader(blob, static_cast<std::size_t>(length), header) == mapblob::BlobFault::None &&
                        header.HasCell(x, y);
    ZephFilePack->FreeData(blob);
    return inside;
}

CSaveFile::CSaveFile() : currentSlot(0), cellCheck(IsCellOnPackMap) {}

void CSaveFile::InitSaveFile()
{
    currentSlot = 0;
    for (const char* path : SaveSlotPaths)
        safewrite::RemoveLeftovers(plat::ResolvePath(path));
    for (int slot = 0; slot < SAVE_SLOT_COUNT; ++slot)
        SettleOldFile(slot);
}

bool CSaveFile::SaveGame(int slot)
{
    if (!ValidSlot(slot) || TheGameData == nullptr || TheCharacter == nullptr)
        return false;
    const std::filesystem::path target = SlotPath(slot);
    // The player's current map, cell and facing go into the record first.
    if (TheMapCharacter != nullptr && TheMap != nullptr && TheMap->HasMap())
        TheMapCharacter->SavePlayerPosition();
    const std::vector<std::uint8_t> file =
        BuildSaveFile(CaptureSaveState(*TheGameData, *TheCharacter), GetMaxPartyLevel());

    // The new file is complete on disk before any old one moves, so a
    // failure or a kill at any moment leaves the slot and the backup loadable.
    const std::filesystem::path temporary = safewrite::WriteTemporaryFile(target, file.data(), file.size());
    if (temporary.empty()) {
        ShowFailure(kSaveFailed);
        return false;
    }
    std::error_code error;
    std::filesystem::path kept;
    if (slot < SAVE_BACKUP_SLOT && std::filesystem::exists(target, error)) {
        // A second name for the old slot file, which becomes the backup once the new file is in place.
        kept = OldFilePath(slot);
        std::filesystem::remove(kept, error);
        std::filesystem::create_hard_link(target, kept, error);
        if (error)
            kept.clear();
    }
    if (!safewrite::MoveIntoPlace(temporary, target)) {
        std::filesystem::remove(temporary, error);
        if (!kept.empty())
            std::filesystem::remove(kept, error);
        ShowFailure(kSaveFailed);
        return false;
    }
    if (!kept.empty() && !safewrite::MoveIntoPlace(kept, SlotPath(SAVE_BACKUP_SLOT)))
        std::filesystem::remove(kept, error);
    DateOnGameTime(target);
    currentSlot = static_cast<std::uint8_t>(slot < SAVE_BACKUP_SLOT ? slot : 0);
    return true;
}

bool CSaveFile::LoadGame(int slot)
{
    if (!ValidSlot(slot) || TheGameData == nullptr || TheCharacter == nullptr)
        return false;
    std::vector<std::uint8_t> bytes;
    if (!ReadFile(SlotPath(slot), bytes, SAVE_FILE_BYTES))
        return false;
    SaveState state;
    if (!ReadSaveFileBytes(bytes, state, cellCheck)) {
        ShowFailure(kLoadFailed);
        return false;
    }
    ApplySaveState(state, *TheGameData, *TheCharacter);
    currentSlot = static_cast<std::uint8_t>(slot < SAVE_BACKUP_SLOT ? slot : 0);
    TheGameData->StoreMapPosition(state.map, state.x, state.y);
    return true;
}

bool CSaveFile::SaveFileExists(int slot) const
{
    if (!ValidSlot(slot))
        return false;
    std::ifstream in(SlotPath(slot), std::ios::binary);
    return static_cast<bool>(in);
}

bool CSaveFile::GetSaveFileTime(int slot, std::tm& localTime) const
{
    struct stat info {};
    if (!ValidSlot(slot) || ::stat(SlotPath(slot).c_str(), &info) != 0)
        return false;
    return ::localtime_r(&info.st_mtime, &localTime) != nullptr;
}

int CSaveFile::FindLatestSaveSlot() const
{
    int latest = 0;
    std::int64_t latestTime = 0;
    for (int slot = 0; slot < SAVE_SLOT_COUNT; ++slot) {
        struct stat info {};
        if (::stat(SlotPath(slot).c_str(), &info) != 0)
            continue;
        const std::int64_t time = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        if (time > latestTime) {
            latestTime = time;
            latest = slot;
        }
    }
    return latest;
}

int CSaveFile::ReadSaveSlotLevel(int slot) const
{
    if (!ValidSlot(slot))
        return -1;
    std::ifstream in(SlotPath(slot), std::ios::binary);
    if (!in)
        return -1;
    in.seekg(SAVE_PAYLOAD_BYTES);
    unsigned char b[4];
    if (!in.read(reinterpret_cast<char*>(b), 4))
        return -1;
    const std::int32_t level = plat::LoadLeI32(b);
    return level >= 0 && level <= 255 ? level : 0;
}

void CSaveFile::DeleteSaveFile(int slot)
{
    if (!ValidSlot(slot))
        return;
    std::error_code ignored;
    std::filesystem::remove(SlotPath(slot), ignored);
}
