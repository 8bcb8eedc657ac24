#include <gtest/gtest.h>

#include "SingleInstance.h"
#include "TempFolder.h"

namespace {

TEST(SingleInstanceTest, OneHolderAtATime)
{
    testsupport::TempFolder folder;
    const auto lockFile = folder / "VelmoraConfig.lock";
    {
        config::InstanceLock first;
        ASSERT_TRUE(first.Acquire(lockFile));
        config::InstanceLock second;
        EXPECT_FALSE(second.Acquire(lockFile));
    }
    config::InstanceLock afterwards;
    EXPECT_TRUE(afterwards.Acquire(lockFile));
    config::InstanceLock nowhere;
    EXPECT_FALSE(nowhere.Acquire(folder / "missing" / "VelmoraConfig.lock"));
}

} // namespace
