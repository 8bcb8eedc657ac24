// Points the game's shared globals at a recording device and fake engine
// objects for one test, and puts them back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "FakeEngine.h"
#include "RecordingDevice.h"
#include "core/ZephGlobals.h"

namespace visualtest {

class GameGlobalsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DDevice = &device;
        ZephFilePack = &pack;
        ZephError = &error;
        CurrentFvf = 0xFFFFFFFFu;
        CurrentTexture = nullptr;
    }
    void TearDown() override
    {
        D3DDevice = nullptr;
        ZephFilePack = nullptr;
        ZephError = nullptr;
        CurrentFvf = 0xFFFFFFFFu;
        CurrentTexture = nullptr;
    }

    RecordingDevice device;
    FakeFilePack pack;
    RecordingError error;
};

} // namespace visualtest
