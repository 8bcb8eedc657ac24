// The one clock of the game and the engine: milliseconds in 32 bits that wrap
// around like the platform timer, and a sleep. Tests and the headless mode
// install a virtual clock that only moves when slept on or advanced, so runs
// are deterministic and fast.
#pragma once

#include <cstdint>

namespace plat {

std::uint32_t NowMs();
void SleepMs(std::uint32_t ms);

// Switches to a virtual clock starting at `startMs`; every SleepMs advances it.
void UseVirtualClock(std::uint32_t startMs);

// Switches to game time, the clock of headless runs: a virtual clock that only
// the calling thread (the frame loop) moves, by sleeping or advancing. Any
// other thread that sleeps waits until the clock reaches its deadline, and
// each step of the clock returns only once the threads it woke wait again
// (or idle), so their work falls on the same game time in every run.
void UseGameTimeClock(std::uint32_t startMs);

// Moves the virtual clock on by `ms` without sleeping (no effect on the real clock).
void AdvanceVirtualClock(std::uint32_t ms);

// For the owner of game time: waits until the work handed to other threads
// at the current time is done (no-op otherwise).
void SettleGameTime();

// Wakes every thread asleep on game time at once, as if its sleep had ended;
// for a control thread that asks a sleeping worker to stop.
void InterruptGameTimeSleepers();

// A control thread hands work to a worker waiting for it: game time's next
// step waits until the worker, which calls AdoptExpectedRun when it takes the
// work, sleeps on game time or idles again.
void ExpectWorkerToRun();
void AdoptExpectedRun();
// The work expected was withdrawn before the worker took it.
void CancelExpectedRun();

// Tells game time that the calling thread now waits for work, not for time,
// so the clock's steps do not wait for it.
void NoteThreadIdle();

void UseRealClock();
bool IsVirtualClock();
bool IsGameTimeClock();

} // namespace plat
