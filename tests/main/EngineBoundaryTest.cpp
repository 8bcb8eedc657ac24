#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "main/ZephLibrary.h"

namespace {

const char* const kExports[] = {"CreateError",       "CreateFilePack",  "CreateGraphic", "CreateKeyInput",
                                "CreateMidi",        "CreateOggVorbis", "CreateSound",   "CreateSoundStatic",
                                "CreateTextTexture", "SetZephAppData"};

TEST(EngineBoundaryTest, TheLibraryLoadsByPathAndOffersEveryExportByName)
{
    ZephLibrary library;
    ASSERT_TRUE(library.Open(std::string(VELMORA_RUN_DIR) + "/Data/libZeph.so")) << library.LastError();
    for (const char* name : kExports)
        EXPECT_NE(library.Bind(name), nullptr) << name;
    EXPECT_EQ(library.Bind("NotAnExport"), nullptr);
    // Internals stay hidden.
    EXPECT_EQ(library.Bind("_ZN6engine5StateEv"), nullptr);

    auto createError = library.BindAs<Zeph::CreateErrorProc>("CreateError");
    auto createPack = library.BindAs<Zeph::CreateFilePackProc>("CreateFilePack");
    Zeph::CFilePack* pack = createPack();
    ASSERT_NE(pack, nullptr);
    EXPECT_FALSE(pack->OpenPack("no-such-pack.dat", 0));
    pack->Release();
    // The error object deletes an old log of the folder it is pointed at,
    // which here is the test's own: make one and release it at once.
    Zeph::CError* error = createError();
    ASSERT_NE(error, nullptr);
    std::uint8_t flag = 0, warn = 0;
    error->SetFlags(&flag, &warn);
    EXPECT_EQ(error->IsError(), 0);
    error->Release();
}

TEST(EngineBoundaryTest, AMissingLibraryIsReported)
{
    ZephLibrary library;
    EXPECT_FALSE(library.Open("/nonexistent/libZeph.so"));
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_EQ(library.Bind("CreateError"), nullptr);
}

TEST(EngineBoundaryTest, TheGameReturnsAtOnceWhenGivenACommandLine)
{
    const std::string command = std::string(VELMORA_RUN_DIR) + "/Velmora something";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

} // namespace
