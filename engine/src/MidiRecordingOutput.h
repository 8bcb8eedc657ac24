// An output that keeps every message with the clock's time, for tests. Safe
// to read from another thread while the player sends.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "MidiOutput.h"

namespace midi {

struct RecordedMessage {
    std::uint32_t timeMs = 0;
    std::vector<std::uint8_t> bytes; // a short message as 1 to 3 bytes, or a whole SysEx

    std::uint8_t Status() const { return bytes.empty() ? 0 : bytes[0]; }
    std::uint8_t Data1() const { return bytes.size() > 1 ? bytes[1] : 0; }
    std::uint8_t Data2() const { return bytes.size() > 2 ? bytes[2] : 0; }
};

class RecordingMidiOutput final : public MidiOutput {
public:
    // Called (on the sender's thread, outside the lock) after each message is kept.
    using Observer = std::function<void(const RecordedMessage&)>;

    void ShortMessage(std::uint32_t message) override;
    bool LongMessage(std::span<const std::uint8_t> message) override;

    std::vector<RecordedMessage> Messages() const;
    std::size_t Count() const;
    void Clear();
    void SetObserver(Observer observer);
    // Keeps only the newest `limit` messages, for long runs.
    void SetLimit(std::size_t limit);

private:
    void Keep(RecordedMessage message);

    mutable std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
    Observer observer_;
    std::size_t limit_ = 0;
};

} // namespace midi
