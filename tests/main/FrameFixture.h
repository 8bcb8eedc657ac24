// A game folder of its own with the fake engine in Data/, and the game's
// globals at their start-up values in a test world of each case's own.
#pragma once

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "record/Config.h"
#include "fakes/FakeEngineLibrary.h"
#include "GameWorld.h"
#include "record/Pipkorn.h"
#include "main/GameMain.h"
#include "media/PlaySE.h"
#include "main/GameProcess.h"
#include "main/Initialize.h"
#include "core/PackCatalogue.h"
#include "core/SceneState.h"
#include "core/SceneTrace.h"
#include "TempFolder.h"
#include "main/WindowEvents.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder / "Data");
        std::filesystem::copy_file(FAKE_ENGINE_PATH, folder / "Data/libZeph.so");
        plat::SetBaseFolder(folder.path());
        plat::UseVirtualClock(0x10000);
        engineHandle = dlopen((folder / "Data/libZeph.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(engineHandle, nullptr) << dlerror();
        control = reinterpret_cast<FakeEngineControlProc>(dlsym(engineHandle, "FakeZephControl"))();
        *control = FakeEngineControl{};
        world.TraceSceneCalls();
        SceneTrace::SetHook([this](const std::string& call) { control->calls.push_back("part " + call); });
    }

    void TearDown() override
    {
        ExitPath();
        FinishProcess(kExitClean);
        // The hook writes into the engine library's log: gone before the library is.
        SceneTrace::SetHook(nullptr);
        plat::UseRealClock();
        if (engineHandle != nullptr)
            dlclose(engineHandle);
    }

    // Starts the game on the fake engine and forgets the calls start-up made.
    void StartOnFakeEngine()
    {
        ASSERT_TRUE(StartGame());
        control->calls.clear();
    }

    // The calls that begin with `prefix`, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> matching;
        for (const auto& call : control->calls)
            if (call.rfind(prefix, 0) == 0)
                matching.push_back(call);
        return matching;
    }

    bool Called(const std::string& call) const
    {
        return std::find(control->calls.begin(), control->calls.end(), call) != control->calls.end();
    }

    testsupport::TempFolder folder;
    void* engineHandle = nullptr;
    FakeEngineControl* control = nullptr;
    testsupport::GameWorld world;
};
