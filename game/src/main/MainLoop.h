// The main loop: window events, 16 ms frame pacing, play time, input, fades,
// the game object's frame, and the handling of a lost device.
#pragma once

#include <cstdint>

#include "core/PlayTimeClock.h"

// Frames are due every interval of this table, taken in turn.
inline constexpr std::uint32_t FrameIntervalTable[3] = {16, 16, 16};

// Decides, at each pass of the loop, whether a frame is due.
class FramePacer {
public:
    enum class Decision {
        RunFrame, // a frame is due; the pacer has moved on to the next interval
        Sleep,    // early: sleep 1 ms
        Wrapped,  // the millisecond counter wrapped: no sleep, check again
    };
    Decision Check(std::uint32_t now);

    std::uint32_t LastFrameTime = 0;
    int FrameSlot = 0;
};

// Counts every whole second between PlayTimeClock and `now` into the play time.
void CountPlayTime(std::uint32_t now);

// What a due frame came to.
enum class DueFrame {
    Ran,     // the game's frame ran
    Skipped, // inactive or the device still lost: only the fades moved on
    End,     // the loop must end (quit message, failed reset, failed frame)
};

// The work of a frame that is due, at CurrentTime: while inactive only the
// background fades (or a wait for the next message), while the device is lost
// its recovery, else play time, input, fades, the game object's frame and the
// headless frame's end.
DueFrame RunDueFrame();

// Hands every waiting window message to the game, accelerators first; false
// when one asks the loop to end.
bool PumpWindowMessages();

// Runs until the quit message, an error or a failed reset; returns the exit code.
int RunMainLoop();

// Steps the music and sound fades every frame until both have finished.
void WaitForClosingFades();
