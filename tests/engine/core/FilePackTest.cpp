#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "FilePackDerived.h"
#include "PackScramble.h"
#include "PackWriter.h"
#include "TempFolder.h"
#include "Zeph.h"
#include "platform/Paths.h"

using packwriter::Bytes;
using testsupport::ReadWholeFile;
using testsupport::TempFolder;
using testsupport::WriteWholeFile;

namespace {

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Patterned(std::size_t size)
{
    Bytes bytes(size);
    std::mt19937 random(1234);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

class FilePackTest : public ::testing::Test {
protected:
    void SetUp() override { plat::SetBaseFolder(folder.path()); }
    void TearDown() override
    {
        if (pack != nullptr)
            pack->Release();
    }

    // Writes `file` as Pack.dat and opens it as pack 0 of a reader made for `packs` packs.
    bool Open(const Bytes& file, unsigned packs = 1)
    {
        WriteWholeFile(folder / "Pack.dat", std::string(file.begin(), file.end()));
        pack = CreateFilePack();
        return pack->Init(packs) && pack->OpenPack("Pack.dat", 0);
    }

    Bytes Load(int entry, int* length = nullptr)
    {
        int size = -1;
        unsigned char* data = pack->LoadData(0, entry, &size, nullptr);
        if (data == nullptr)
            return {};
        Bytes bytes(data, data + size);
        pack->FreeData(data);
        if (length != nullptr)
            *length = size;
        return bytes;
    }

    TempFolder folder;
    Zeph::CFilePack* pack = nullptr;
};

TEST_F(FilePackTest, EntriesComeBackWithTheirBytesAndLengths)
{
    const std::vector<Bytes> entries = {Bytes{},      Text("A"),     Text("abc"),
                                        Text("abcd"), Text("abcde"), Patterned(300001)};
    ASSERT_TRUE(Open(packwriter::BuildPack(entries)));
    for (std::size_t e = 0; e < entries.size(); ++e) {
        int length = -1;
        unsigned char* data = pack->LoadData(0, static_cast<int>(e), &length, nullptr);
        ASSERT_NE(data, nullptr) << "entry " << e;
        EXPECT_EQ(length, static_cast<int>(entries[e].size())) << "entry " << e;
        EXPECT_EQ(Bytes(data, data + length), entries[e]) << "entry " << e;
        pack->FreeData(data);
    }
}

TEST_F(FilePackTest, NoPlainContentIsLeftInTheFile)
{
    std::string plain;
    for (int i = 0; i < 200; ++i)
        plain += "PLAINTEXT-";
    const Bytes file = packwriter::BuildPack({Text(plain), Text("IHDR-PNG-HEADER!")});
    const std::string stored(file.begin(), file.end());
    EXPECT_EQ(stored.find("PLAIN"), std::string::npos);
    EXPECT_EQ(stored.find("IHDR"), std::string::npos);
    // The index is scrambled too: the plain count (2) is not the first word.
    EXPECT_NE(std::memcmp(file.data(), "\x02\x00\x00\x00", 4), 0);
}

TEST_F(FilePackTest, PartialReadsUnscrambleAtTheirWordPosition)
{
    const Bytes entry = Patterned(64);
    const Bytes file = packwriter::BuildPack({Text("x"), entry});
    ASSERT_TRUE(Open(file));
    // A reader that starts mid-entry (as streamed sounds do) sees the same bytes.
    unsigned char* whole = pack->LoadData(0, 1, nullptr, nullptr);
    ASSERT_NE(whole, nullptr);
    Bytes middle(Bytes(whole + 20, whole + 36));
    pack->FreeData(whole);
    EXPECT_EQ(middle, Bytes(entry.begin() + 20, entry.begin() + 36));
}

// Rewrites index word `index` (0 = count, then offsets, byte lengths, word
// lengths) of a pack of `count` entries with a new plain value.
void SetIndexWord(Bytes& file, std::uint32_t count, packformat::Block block, std::uint32_t slot, std::uint32_t value)
{
    std::size_t at = 0;
    std::uint32_t blockWords = 1;
    switch (block) {
    case packformat::Block::Count:
        at = 0;
        break;
    case packformat::Block::Offsets:
        at = 4 + slot * 4;
        blockWords = count;
        break;
    case packformat::Block::ByteLengths:
        at = 4 + count * 4 + slot * 4;
        blockWords = count;
        break;
    case packformat::Block::WordLengths:
        at = 4 + count * 8 + slot * 4;
        blockWords = count;
        break;
    case packformat::Block::EntryData:
        FAIL();
    }
    std::uint32_t word = value;
    packformat::ScrambleWords(block, &word, 1, block == packformat::Block::Count ? 0 : slot, blockWords);
    std::memcpy(&file[at], &word, 4);
}

struct MalformedCase {
    const char* name;
    void (*damage)(Bytes& file);
    bool opens;      // whether OpenPack still succeeds
    int brokenEntry; // entry whose loads fail when it opens (-1: none)
};

const Bytes kGoodPack = packwriter::BuildPack({Text("first entry"), Text("second"), Text("third entry!")});

const MalformedCase kMalformed[] = {
    {"empty file", [](Bytes& f) { f.clear(); }, false, -1},
    {"ends inside the count", [](Bytes& f) { f.resize(2); }, false, -1},
    {"ends inside the offsets", [](Bytes& f) { f.resize(10); }, false, -1},
    {"ends inside the word lengths", [](Bytes& f) { f.resize(4 + 3 * 12 - 2); }, false, -1},
    {"huge count", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::Count, 0, 0x40000000u); }, false, -1},
    {"count past the file", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::Count, 0, 1000); }, false, -1},
    {"ends inside the last entry", [](Bytes& f) { f.resize(f.size() - 3); }, true, 2},
    {"byte length over stored length", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::ByteLengths, 1, 9); }, true,
     1},
    {"offset past the end", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::Offsets, 0, 0xFFFFFFF0u); }, true, 0},
    {"word length past the end", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::WordLengths, 1, 0x3FFFFFFFu); },
     true, 1},
};

TEST_F(FilePackTest, MalformedPacksFailCleanly)
{
    for (const auto& c : kMalformed) {
        SCOPED_TRACE(c.name);
        Bytes file = kGoodPack;
        c.damage(file);
        if (pack != nullptr) {
            pack->Release();
            pack = nullptr;
        }
        ASSERT_EQ(Open(file), c.opens);
        if (!c.opens) {
            EXPECT_EQ(pack->LoadData(0, 0, nullptr, nullptr), nullptr);
            continue;
        }
        for (int e = 0; e < 3; ++e) {
            unsigned char* data = pack->LoadData(0, e, nullptr, nullptr);
            EXPECT_EQ(data == nullptr, e == c.brokenEntry) << "entry " << e;
            pack->FreeData(data);
        }
    }
}

// A damaged pack is named: the file as the host named it and the entry, on
// standard error and in Error.log, and the error object that then reports
// the load's short message keeps that line after its own.
TEST_F(FilePackTest, DamageNamesTheFileAndTheEntry)
{
    struct Case {
        const char* name;
        void (*damage)(Bytes& file);
        bool opens;
        int load;
        const char* named; // the line on standard error and in Error.log
    };
    const Case cases[] = {
        {"Cut.dat", [](Bytes& f) { f.resize(f.size() - 3); }, true, 2,
         "Cut.dat: entry 2 lies past the end of the file"},
        {"Long.dat", [](Bytes& f) { SetIndexWord(f, 3, packformat::Block::ByteLengths, 1, 9); }, true, 1,
         "Long.dat: entry 1 is longer than its stored words"},
        {"Few.dat", [](Bytes&) {}, true, 7, "Few.dat has no entry 7 (it holds 3)"},
        {"Index.dat", [](Bytes& f) { f.resize(10); }, false, 0,
         "Index.dat: the index of 3 entries does not fit in the file's 10 bytes"},
        {"Missing.dat", nullptr, false, 0, "Missing.dat: the file cannot be opened"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder / "Error.log");
        if (c.damage != nullptr) {
            Bytes file = kGoodPack;
            c.damage(file);
            WriteWholeFile(folder / c.name, std::string(file.begin(), file.end()));
        }
        Zeph::CFilePack* reader = CreateFilePack();
        ASSERT_TRUE(reader->Init(1));
        ::testing::internal::CaptureStderr();
        const bool opened = reader->OpenPack(c.name, 0);
        unsigned char* data = opened ? reader->LoadData(0, c.load, nullptr, nullptr) : nullptr;
        const std::string errors = ::testing::internal::GetCapturedStderr();
        reader->Release();
        EXPECT_EQ(opened, c.opens);
        EXPECT_EQ(data, nullptr);
        EXPECT_NE(errors.find(c.named), std::string::npos) << errors;
        EXPECT_NE(ReadWholeFile(folder / "Error.log").find(std::string("Damage : ") + c.named), std::string::npos);
    }

    std::uint8_t flag = 0, warnings = 0;
    Zeph::CError* error = CreateError();
    error->SetFlags(&flag, &warnings);
    error->Error("Texture", 43, 10, nullptr);
    const std::string log = ReadWholeFile(folder / "Error.log");
    error->Release();
    EXPECT_EQ(log.rfind("File : Texture\r\nLine : 43\r\nテクスチャのロードに失敗しました\r\n", 0), 0u) << log;
    EXPECT_NE(log.find("\r\nDamage : Cut.dat: entry 2 lies past the end of the file (its bytes"), std::string::npos)
        << log;
}

TEST_F(FilePackTest, PackAndEntryNumbersAreChecked)
{
    ASSERT_TRUE(Open(kGoodPack, 2));
    for (auto [packNumber, entry] : std::vector<std::pair<int, int>>{{-1, 0}, {1, 0}, {2, 0}, {0, -1}, {0, 3}}) {
        EXPECT_EQ(pack->LoadData(packNumber, entry, nullptr, nullptr), nullptr) << packNumber << "/" << entry;
    }
    EXPECT_FALSE(pack->OpenPack("Pack.dat", 2));
    EXPECT_FALSE(pack->OpenPack("Pack.dat", -1));
    EXPECT_FALSE(pack->OpenPack("NoSuchPack.dat", 1));
    EXPECT_EQ(Load(2), Text("third entry!"));
}

TEST_F(FilePackTest, LoadDataFreesTheOldBufferEvenWhenItFails)
{
    // Run under LeakSanitizer, a buffer that is not freed here is reported.
    ASSERT_TRUE(Open(kGoodPack));
    unsigned char* data = pack->LoadData(0, 0, nullptr, nullptr);
    ASSERT_NE(data, nullptr);
    data = pack->LoadData(0, 1, nullptr, data);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 6), "second");
    data = pack->LoadData(0, 99, nullptr, data);
    EXPECT_EQ(data, nullptr);
}

TEST_F(FilePackTest, TheFileIsClosedBetweenLoads)
{
    ASSERT_TRUE(Open(kGoodPack));
    // With no handle kept open, the pack can be replaced and is read anew.
    WriteWholeFile(folder / "Pack.dat", std::string(kGoodPack.begin(), kGoodPack.end()));
    EXPECT_EQ(Load(0), Text("first entry"));
    EXPECT_TRUE(std::filesystem::remove(folder / "Pack.dat"));
    EXPECT_TRUE(Load(0).empty());
}

} // namespace
