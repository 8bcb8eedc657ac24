#include "platform/EventGroup.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <climits>
#include <ctime>

namespace plat {
namespace {

static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t));

std::uint32_t* FutexWord(std::atomic<std::uint32_t>& word)
{
    return reinterpret_cast<std::uint32_t*>(&word);
}

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Sleeps while the word still holds `expected`; `relativeNs` < 0 waits without limit.
void FutexWait(std::atomic<std::uint32_t>& word, std::uint32_t expected, long long relativeNs)
{
    timespec timeout{};
    timespec* limit = nullptr;
    if (relativeNs >= 0) {
        timeout.tv_sec = static_cast<time_t>(relativeNs / 1000000000LL);
        timeout.tv_nsec = static_cast<long>(relativeNs % 1000000000LL);
        limit = &timeout;
    }
    syscall(SYS_futex, FutexWord(word), FUTEX_WAIT_PRIVATE, expected, limit, nullptr, 0);
}

void FutexWakeAll(std::atomic<std::uint32_t>& word)
{
    syscall(SYS_futex, FutexWord(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}

} // namespace

EventGroup::EventGroup(std::uint32_t autoResetMask, std::uint32_t initiallySignalled)
    : bits_(initiallySignalled), autoReset_(autoResetMask)
{
}

void EventGroup::Signal(int index)
{
    bits_.fetch_or(1u << index, std::memory_order_acq_rel);
    FutexWakeAll(bits_);
}

void EventGroup::Reset(int index)
{
    bits_.fetch_and(~(1u << index), std::memory_order_acq_rel);
}

bool EventGroup::IsSignalled(int index) const
{
    return (bits_.load(std::memory_order_acquire) & (1u << index)) != 0;
}

bool EventGroup::HasIdleWaiter() const
{
    const std::uint32_t mask = sleepingMask_.load(std::memory_order_seq_cst);
    return mask != 0 && (bits_.load(std::memory_order_seq_cst) & mask) == 0;
}

int EventGroup::WaitAny(std::uint32_t mask, std::uint32_t timeoutMs)
{
    const long long deadline =
        timeoutMs == kInfinite ? 0 : MonotonicNs() + static_cast<long long>(timeoutMs) * 1000000LL;
    for (;;) {
        std::uint32_t value = bits_.load(std::memory_order_acquire);
        if ((value & mask) != 0) {
            const int index = std::countr_zero(value & mask);
            const std::uint32_t bit = 1u << index;
            if ((autoReset_ & bit) != 0 && !bits_.compare_exchange_weak(value, value & ~bit, std::memory_order_acq_rel))
                continue;
            return index;
        }
        long long remaining = -1;
        if (timeoutMs != kInfinite) {
            remaining = deadline - MonotonicNs();
            if (remaining <= 0)
                return kTimedOut;
        }
        sleepingMask_.store(mask, std::memory_order_seq_cst);
        FutexWait(bits_, value, remaining);
        sleepingMask_.store(0, std::memory_order_seq_cst);
    }
}

} // namespace plat
