#include "StreamQuarters.h"

namespace engine {

int NextMark(int mark)
{
    return mark == kMarkAtZero ? kFirstMark : mark + 1;
}

bool SetQuarterMarks(plat::SoundBuffer& buffer, plat::EventGroup& wake, std::uint32_t quarterBytes)
{
    return buffer.SetNotifications({{quarterBytes, &wake, kFirstMark},
                                    {quarterBytes * 2, &wake, kFirstMark + 1},
                                    {quarterBytes * 3, &wake, kFirstMark + 2},
                                    {0, &wake, kMarkAtZero}});
}

void ResetQuarterMarks(plat::EventGroup& wake)
{
    for (int mark = kFirstMark; mark <= kMarkAtZero; ++mark)
        wake.Reset(mark);
}

void WaitForStreamStart(plat::EventGroup& wake)
{
    for (;;) {
        const int taken = wake.WaitAny(kWakeAll, plat::EventGroup::kInfinite);
        if (taken == kMarkAtZero || taken == kWakeQuit || taken == kWakeStop || taken < 0)
            return;
    }
}

void AskWorkerToQuit(const std::thread& worker, plat::EventGroup& wake, plat::EventGroup& commands)
{
    if (!worker.joinable())
        return;
    wake.Signal(kWakeQuit);
    commands.Signal(0);
}

void ReapEndedWorker(std::thread& worker, const std::atomic<bool>& ended, plat::SoundBuffer& buffer,
                     plat::EventGroup& wake, std::atomic<bool>& stopped)
{
    if (!ended.load() || !worker.joinable())
        return;
    buffer.Stop();
    worker.join();
    wake.Reset(kWakeStop);
    stopped.store(true);
}

bool IsWorkerIdle(const std::thread& worker, const std::atomic<bool>& ended, const plat::EventGroup& wake,
                  const plat::EventGroup& commands)
{
    if (!worker.joinable() || ended.load())
        return true;
    return wake.HasIdleWaiter() || commands.HasIdleWaiter();
}

} // namespace engine
