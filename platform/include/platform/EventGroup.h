// Up to 32 events in one word, in the manner of the platform's event objects:
// each can be signalled, reset and waited on, alone or as "any of these".
// Signalling never blocks and takes no lock, so the mixing thread may signal
// position and stop notifications from inside the audio callback.
#pragma once

#include <atomic>
#include <cstdint>

namespace plat {

class EventGroup {
public:
    static constexpr int kMaxEvents = 32;
    static constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;
    static constexpr int kTimedOut = -1;

    // Events whose bit is set in `autoResetMask` reset themselves when a wait
    // takes them; the others stay signalled until Reset.
    explicit EventGroup(std::uint32_t autoResetMask = 0, std::uint32_t initiallySignalled = 0);
    EventGroup(const EventGroup&) = delete;
    EventGroup& operator=(const EventGroup&) = delete;

    void Signal(int index);
    void Reset(int index);
    bool IsSignalled(int index) const;

    // Waits until one of the events in `mask` is signalled and gives the
    // lowest such index (resetting it when it is auto-reset), or kTimedOut.
    // A time-out of 0 only looks; the time-out runs on the real clock, as
    // the guard against a peer thread that never answers.
    int WaitAny(std::uint32_t mask, std::uint32_t timeoutMs);
    bool Wait(int index, std::uint32_t timeoutMs) { return WaitAny(1u << index, timeoutMs) == index; }

    // True while a thread sleeps in WaitAny with none of its events
    // signalled: it cannot move on until someone signals. Tests use it to
    // step a worker thread in lockstep with the offline mixer.
    bool HasIdleWaiter() const;

private:
    std::atomic<std::uint32_t> bits_;
    std::atomic<std::uint32_t> sleepingMask_{0};
    const std::uint32_t autoReset_;
};

} // namespace plat
