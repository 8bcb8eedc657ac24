#include "MidiRecordingOutput.h"

#include "platform/Clock.h"

namespace midi {

void RecordingMidiOutput::ShortMessage(std::uint32_t message)
{
    RecordedMessage kept;
    kept.timeMs = plat::NowMs();
    const auto status = static_cast<std::uint8_t>(message);
    const int dataBytes = ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
    kept.bytes.push_back(status);
    for (int i = 1; i <= dataBytes; ++i)
        kept.bytes.push_back(static_cast<std::uint8_t>(message >> (8 * i)));
    Keep(std::move(kept));
}

bool RecordingMidiOutput::LongMessage(std::span<const std::uint8_t> message)
{
    RecordedMessage kept;
    kept.timeMs = plat::NowMs();
    kept.bytes.assign(message.begin(), message.end());
    Keep(std::move(kept));
    return true;
}

void RecordingMidiOutput::Keep(RecordedMessage message)
{
    Observer observer;
    {
        std::lock_guard lock(mutex_);
        if (limit_ != 0 && messages_.size() >= limit_)
            messages_.erase(messages_.begin(), messages_.begin() + static_cast<std::ptrdiff_t>(limit_ / 2));
        messages_.push_back(message);
        observer = observer_;
    }
    if (observer)
        observer(message);
}

std::vector<RecordedMessage> RecordingMidiOutput::Messages() const
{
    std::lock_guard lock(mutex_);
    return messages_;
}

std::size_t RecordingMidiOutput::Count() const
{
    std::lock_guard lock(mutex_);
    return messages_.size();
}

void RecordingMidiOutput::Clear()
{
    std::lock_guard lock(mutex_);
    messages_.clear();
}

void RecordingMidiOutput::SetObserver(Observer observer)
{
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void RecordingMidiOutput::SetLimit(std::size_t limit)
{
    std::lock_guard lock(mutex_);
    limit_ = limit;
}

} // namespace midi
