// The keyboard's device buffer: key changes wait here between two reads. It
// holds kKeyBufferSize events; when more arrive the oldest are dropped, so
// the newest state of every key survives, and the next read reports the loss.
#pragma once

#include <array>
#include <span>

#include "platform/InputSource.h"

namespace plat {

class KeyEventBuffer {
public:
    void Push(const KeyEvent& event);
    // Moves out at most events.size() events, oldest first.
    KeyboardRead Drain(std::span<KeyEvent> events);
    void Clear();
    int Size() const { return size_; }

private:
    std::array<KeyEvent, kKeyBufferSize> ring_{};
    int first_ = 0;
    int size_ = 0;
    bool overflowed_ = false;
};

} // namespace plat
