#include "platform/KeyEventBuffer.h"

#include <algorithm>

namespace plat {

void KeyEventBuffer::Push(const KeyEvent& event)
{
    if (size_ == kKeyBufferSize) {
        first_ = (first_ + 1) % kKeyBufferSize;
        --size_;
        overflowed_ = true;
    }
    ring_[static_cast<std::size_t>((first_ + size_) % kKeyBufferSize)] = event;
    ++size_;
}

KeyboardRead KeyEventBuffer::Drain(std::span<KeyEvent> events)
{
    const int count = std::min(size_, static_cast<int>(events.size()));
    for (int i = 0; i < count; ++i)
        events[static_cast<std::size_t>(i)] = ring_[static_cast<std::size_t>((first_ + i) % kKeyBufferSize)];
    first_ = (first_ + count) % kKeyBufferSize;
    size_ -= count;
    const KeyboardRead read{overflowed_ ? KeyboardStatus::Overflow : KeyboardStatus::Ok, count};
    overflowed_ = false;
    return read;
}

void KeyEventBuffer::Clear()
{
    first_ = 0;
    size_ = 0;
    overflowed_ = false;
}

} // namespace plat
