// Points the game's shared globals at a recording device and fake engine
// objects for one test, and puts them back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "fakes/FakeEngine.h"
#include "GameWorld.h"
#include "fakes/RecordingDevice.h"
#include "core/ZephGlobals.h"

namespace visualtest {

class GameGlobalsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        D3DDevice = &device;
        ZephFilePack = &pack;
        ZephError = &error;
    }

    fakes::RecordingDevice device;
    fakes::FakeFilePack pack;
    fakes::RecordingError error;
    // Last: the game's globals are put back before the fakes go.
    testsupport::GameWorld world;
};

} // namespace visualtest
