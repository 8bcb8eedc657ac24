// What the two streaming objects share: a looping buffer in four quarters
// with a mark at each quarter's start, and the wake events of the stream's
// worker (quit and stop, then the four marks, which the mixer signals).
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/EventGroup.h"
#include "platform/SoundBuffer.h"

namespace engine {

// Quit and stop reset by hand; the marks at one, two and three quarters and
// at 0, numbered 2..5, reset when taken.
enum StreamWake { kWakeQuit = 0, kWakeStop = 1, kFirstMark = 2, kMarkAtZero = 5 };
constexpr std::uint32_t kWakeAll = 0b111111;
constexpr std::uint32_t kQuarterMarks = 0b111100;

// The mark after `mark` (after the mark at 0 comes the first).
int NextMark(int mark);

// Registers the four marks of a buffer of four `quarterBytes` quarters.
bool SetQuarterMarks(plat::SoundBuffer& buffer, plat::EventGroup& wake, std::uint32_t quarterBytes);

// Forgets marks left from an earlier run of the buffer.
void ResetQuarterMarks(plat::EventGroup& wake);

// Waits for the mark at 0 that starting the buffer passes; other marks are
// skipped, a stop or quit (left signalled) ends the wait.
void WaitForStreamStart(plat::EventGroup& wake);

// Asks a running worker to end: the quit wake event and the quit command
// (command 0 in both objects), whichever it waits on.
void AskWorkerToQuit(const std::thread& worker, plat::EventGroup& wake, plat::EventGroup& commands);

// Joins a worker that has ended by itself, stopping its buffer and clearing
// its stop event; the stream counts as stopped.
void ReapEndedWorker(std::thread& worker, const std::atomic<bool>& ended, plat::SoundBuffer& buffer,
                     plat::EventGroup& wake, std::atomic<bool>& stopped);

// For tests: true when the stream's worker has ended or sleeps in a wait
// with nothing signalled for it.
bool IsWorkerIdle(const std::thread& worker, const std::atomic<bool>& ended, const plat::EventGroup& wake,
                  const plat::EventGroup& commands);

} // namespace engine
