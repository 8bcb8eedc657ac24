// Helpers for the streamed-sound tests: the offline shared mixer stepped in
// small blocks, each only once the stream workers have caught up.
#pragma once

#include <gtest/gtest.h>
#include <sched.h>

#include <cstdint>
#include <vector>

#include "platform/AudioMixer.h"
#include "platform/Clock.h"

namespace streamfixture {

using Samples = std::vector<std::int16_t>;

// Waits (on the real clock, up to 10 s) until `idle()` holds.
template <typename Idle> bool WaitUntil(Idle idle)
{
    const std::uint32_t start = plat::NowMs();
    while (!idle()) {
        if (plat::NowMs() - start > 10000)
            return false;
        sched_yield();
    }
    return true;
}

// Mixes `frames` frames in blocks of 256, letting the workers refill between blocks.
template <typename Idle> Samples Run(Idle idle, int frames)
{
    Samples out;
    Samples block(512);
    while (frames > 0) {
        const int count = frames < 256 ? frames : 256;
        EXPECT_TRUE(WaitUntil(idle)) << "the stream workers did not settle";
        plat::AudioMixer::Shared().Mix(block.data(), count);
        out.insert(out.end(), block.begin(), block.begin() + count * 2);
        frames -= count;
    }
    EXPECT_TRUE(WaitUntil(idle));
    return out;
}

} // namespace streamfixture
