#include "platform/SoundBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "MixerSlots.h"
#include "platform/EventGroup.h"

namespace plat {

bool PcmFormat::IsSupported() const
{
    return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) && sampleRate > 0 &&
           sampleRate <= 384000;
}

std::shared_ptr<SoundBuffer> SoundBuffer::Create(AudioMixer& mixer, const PcmFormat& format, std::uint32_t bytes)
{
    if (!format.IsSupported() || bytes < static_cast<std::uint32_t>(format.BlockAlign()))
        return nullptr;
    std::shared_ptr<PcmStore> store;
    try {
        store = std::make_shared<PcmStore>();
        store->format = format;
        store->bytes = std::make_unique<std::uint8_t[]>(bytes); // zero-filled
        store->size = bytes;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    store->frameCount = bytes / static_cast<std::uint32_t>(format.BlockAlign());
    return Attach(mixer, std::move(store));
}

std::shared_ptr<SoundBuffer> SoundBuffer::Attach(AudioMixer& mixer, std::shared_ptr<PcmStore> store)
{
    const int slot = mixer.impl().ClaimVoice(store.get());
    if (slot < 0)
        return nullptr;
    std::shared_ptr<SoundBuffer> buffer(new (std::nothrow) SoundBuffer(mixer, std::move(store), slot));
    if (buffer == nullptr)
        mixer.impl().FreeVoice(slot);
    return buffer;
}

SoundBuffer::SoundBuffer(AudioMixer& mixer, std::shared_ptr<PcmStore> store, int slot)
    : mixer_(mixer), store_(std::move(store)), slot_(slot)
{
}

std::shared_ptr<SoundBuffer> SoundBuffer::Duplicate() const
{
    return Attach(mixer_, store_);
}

SoundBuffer::~SoundBuffer()
{
    mixer_.impl().FreeVoice(slot_);
}

const PcmFormat& SoundBuffer::Format() const
{
    return store_->format;
}

std::uint32_t SoundBuffer::Bytes() const
{
    return store_->size;
}

bool SoundBuffer::Write(std::uint32_t offset, const std::uint8_t* bytes, std::uint32_t size)
{
    if (offset > store_->size || size > store_->size - offset)
        return false;
    std::uint8_t* target = store_->bytes.get() + offset;
    for (std::uint32_t i = 0; i < size; ++i)
        std::atomic_ref<std::uint8_t>(target[i]).store(bytes[i], std::memory_order_relaxed);
    store_->published.fetch_add(1, std::memory_order_release);
    return true;
}

bool SoundBuffer::FillRange(std::uint32_t offset, std::uint32_t size, std::uint8_t value)
{
    if (offset > store_->size || size > store_->size - offset)
        return false;
    std::uint8_t* target = store_->bytes.get() + offset;
    for (std::uint32_t i = 0; i < size; ++i)
        std::atomic_ref<std::uint8_t>(target[i]).store(value, std::memory_order_relaxed);
    store_->published.fetch_add(1, std::memory_order_release);
    return true;
}

void SoundBuffer::Fill(std::uint8_t value)
{
    FillRange(0, store_->size, value);
}

bool SoundBuffer::SetVolume(std::int32_t volume)
{
    if (volume < kVolumeSilent || volume > kVolumeFull)
        return false;
    mixer_.impl().voices[slot_].volume.store(volume, std::memory_order_relaxed);
    return true;
}

std::int32_t SoundBuffer::Volume() const
{
    return mixer_.impl().voices[slot_].volume.load(std::memory_order_relaxed);
}

bool SoundBuffer::SetPosition(std::uint32_t byteOffset)
{
    const std::uint64_t frame = byteOffset / static_cast<std::uint32_t>(store_->format.BlockAlign());
    if (frame >= store_->frameCount)
        return false;
    auto& word = mixer_.impl().voices[slot_].transport;
    std::uint64_t current = word.load(std::memory_order_acquire);
    while (!word.compare_exchange_weak(current, transport::NextGeneration(transport::WithPosition(current, frame)),
                                       std::memory_order_acq_rel, std::memory_order_acquire)) {
    }
    return true;
}

std::uint32_t SoundBuffer::Position() const
{
    const std::uint64_t word = mixer_.impl().voices[slot_].transport.load(std::memory_order_acquire);
    return static_cast<std::uint32_t>(transport::Position(word) *
                                      static_cast<std::uint64_t>(store_->format.BlockAlign()));
}

bool SoundBuffer::Play(bool looping)
{
    if (store_->lost.load(std::memory_order_acquire))
        return false;
    auto& word = mixer_.impl().voices[slot_].transport;
    std::uint64_t current = word.load(std::memory_order_acquire);
    std::uint64_t next;
    do {
        next = (current | transport::kPlaying) & ~transport::kLooping;
        if (looping)
            next |= transport::kLooping;
    } while (!word.compare_exchange_weak(current, next, std::memory_order_acq_rel, std::memory_order_acquire));
    return true;
}

void SoundBuffer::Stop()
{
    VoiceSlot& voice = mixer_.impl().voices[slot_];
    const std::uint64_t before = voice.transport.fetch_and(~transport::kPlaying, std::memory_order_acq_rel);
    if (transport::Playing(before))
        SignalStop(voice);
}

bool SoundBuffer::IsPlaying() const
{
    return transport::Playing(mixer_.impl().voices[slot_].transport.load(std::memory_order_acquire));
}

bool SoundBuffer::IsLooping() const
{
    return transport::Looping(mixer_.impl().voices[slot_].transport.load(std::memory_order_acquire));
}

bool SoundBuffer::SetNotifications(const std::vector<Notification>& notifications)
{
    if (notifications.size() > kMaxNotifications || IsPlaying())
        return false;
    const auto blockAlign = static_cast<std::uint32_t>(store_->format.BlockAlign());
    for (const Notification& notification : notifications) {
        if (notification.events == nullptr || notification.index < 0 || notification.index >= EventGroup::kMaxEvents)
            return false;
        if (notification.byteOffset != kStopOffset && notification.byteOffset / blockAlign >= store_->frameCount)
            return false;
    }
    VoiceSlot& voice = mixer_.impl().voices[slot_];
    voice.notifyCount.store(0, std::memory_order_release);
    for (std::size_t i = 0; i < notifications.size(); ++i) {
        const Notification& notification = notifications[i];
        voice.notify[i].frame.store(notification.byteOffset == kStopOffset ? kStopOffset
                                                                           : notification.byteOffset / blockAlign,
                                    std::memory_order_relaxed);
        voice.notify[i].events.store(notification.events, std::memory_order_relaxed);
        voice.notify[i].index.store(notification.index, std::memory_order_relaxed);
    }
    voice.notifyCount.store(static_cast<int>(notifications.size()), std::memory_order_release);
    return true;
}

void SoundBuffer::SimulateLoss()
{
    store_->lost.store(true, std::memory_order_release);
    Stop();
}

bool SoundBuffer::IsLost() const
{
    return store_->lost.load(std::memory_order_acquire);
}

void SoundBuffer::Restore()
{
    store_->lost.store(false, std::memory_order_release);
}

} // namespace plat
