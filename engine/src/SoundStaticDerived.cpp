#include "SoundStaticDerived.h"

#include <algorithm>
#include <new>

#include "PackIndex.h"
#include "SoundDevice.h"
#include "WavEntry.h"

using engine::BufferFade;
using engine::kFadeIn;
using engine::kFadeNone;
using engine::kFadeOut;
using engine::kSilentVolume;

CSoundStaticDerived::CSoundStaticDerived()
{
    ++engine::SoundUserCount();
}

CSoundStaticDerived::~CSoundStaticDerived()
{
    for (auto& record : sounds_)
        ReleaseBuffers(*record);
    sounds_.clear();
    engine::ReleaseSharedSoundDevice();
}

Zeph::HResult CSoundStaticDerived::Init(int soundCount, int pack, unsigned fadeMs, bool software)
{
    const Zeph::HResult created = engine::CreateSharedSoundDevice();
    if (created < 0)
        return created;
    if (soundCount < 0)
        return Zeph::kResultFail;
    pack_ = pack;
    fadeMs_ = fadeMs;
    fadeSteps_ = engine::FadeSteps(fadeMs);
    software_ = software;

    for (auto& record : sounds_)
        ReleaseBuffers(*record);
    sounds_.clear();
    try {
        sounds_.reserve(static_cast<std::size_t>(soundCount));
        for (int i = 0; i < soundCount; ++i)
            sounds_.push_back(std::make_unique<StaticSound>());
    } catch (const std::bad_alloc&) {
        sounds_.clear();
        return Zeph::kResultFail;
    }
    if (software_)
        engine::StartSilentMixBuffer();
    initialised_ = true;
    return created;
}

// ---------------------------------------------------------------------------
CSoundStaticDerived::StaticSound* CSoundStaticDerived::Find(int sound)
{
    if (sound < 0 || static_cast<std::size_t>(sound) >= sounds_.size())
        return nullptr;
    return sounds_[static_cast<std::size_t>(sound)].get();
}

CSoundStaticDerived::StaticSound* CSoundStaticDerived::Playable(int sound)
{
    StaticSound* record = Find(sound);
    if (record == nullptr || !record->loaded || record->disabled)
        return nullptr;
    return record;
}

void CSoundStaticDerived::ReleaseBuffers(StaticSound& record)
{
    for (int b = 0; b < kBuffersPerSound; ++b) {
        if (record.buffers[b] != nullptr && record.busy[b])
            record.buffers[b]->Stop();
        record.buffers[b].reset();
        record.stopEvents.Reset(b);
        record.busy[b] = false;
        record.pausedBusy[b] = false;
        record.fades[b].mode = kFadeNone;
    }
    record.current = 0;
    record.loaded = false;
}

bool CSoundStaticDerived::MakeBuffers(StaticSound& record, const plat::PcmFormat& format, std::uint32_t bytes)
{
    // Loading a sound again replaces its buffers.
    ReleaseBuffers(record);
    record.disabled = false;
    record.buffers[0] = plat::SoundBuffer::Create(engine::SoundMixer(), format, bytes);
    for (int b = 0; b < kBuffersPerSound; ++b) {
        if (b > 0 && record.buffers[0] != nullptr)
            record.buffers[b] = record.buffers[0]->Duplicate();
        if (record.buffers[b] == nullptr ||
            !record.buffers[b]->SetNotifications({{plat::SoundBuffer::kStopOffset, &record.stopEvents, b}})) {
            ReleaseBuffers(record);
            return false;
        }
    }
    return true;
}

bool CSoundStaticDerived::Load(int sound, int entry, bool loop, bool create)
{
    StaticSound* record = Find(sound);
    if (record == nullptr)
        return false;
    if (create) {
        record->entry = entry;
        record->looping = loop;
    }
    const engine::PackIndexRecord* pack = engine::FindPack(pack_);
    if (pack == nullptr || !engine::CheckEntryReadable(*pack, entry))
        return false;
    const auto e = static_cast<std::size_t>(entry);
    std::vector<unsigned char> data;
    try {
        data.resize(static_cast<std::size_t>(pack->wordLengths[e]) * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!engine::ReadEntryWords(*pack, entry, 0, pack->wordLengths[e], data.data()))
        return false;
    const auto wav = engine::ReadWavEntry(data.data(), pack->byteLengths[e]);
    if (!wav)
        return false;

    if (create && !MakeBuffers(*record, wav->format, wav->dataBytes))
        return false;
    plat::SoundBuffer* first = record->buffers[0].get();
    if (first == nullptr)
        return false;
    if (!first->Write(0, data.data() + wav->dataOffset, wav->dataBytes))
        return false; // more data than the buffer holds
    if (create)
        record->loaded = true;
    return true;
}

// ---------------------------------------------------------------------------
void CSoundStaticDerived::ReapStoppedBuffers(StaticSound& record)
{
    for (int i = 0; i < kBuffersPerSound; ++i) {
        const int stopped = record.stopEvents.WaitAny((1u << kBuffersPerSound) - 1, 0);
        if (stopped < 0)
            return;
        record.busy[stopped] = false;
    }
}

bool CSoundStaticDerived::StartBuffer(int sound, int buffer)
{
    StaticSound& record = *sounds_[static_cast<std::size_t>(sound)];
    if (!record.buffers[buffer]->Play(record.looping)) {
        RecoverSound(sound, buffer, true);
        return false;
    }
    record.busy[buffer] = true;
    return true;
}

void CSoundStaticDerived::Play(int sound)
{
    StaticSound* record = Playable(sound);
    if (record == nullptr || volume_ == kSilentVolume)
        return;
    const int stopped = record->stopEvents.WaitAny((1u << kBuffersPerSound) - 1, 0);
    if (stopped >= 0)
        record->busy[stopped] = false;

    const auto freeBuffer = std::find(record->busy.begin(), record->busy.end(), false);
    int buffer = static_cast<int>(freeBuffer - record->busy.begin());
    if (freeBuffer == record->busy.end()) {
        if (!record->looping)
            return;
        Stop(sound);
        // The stop just signalled buffer 0's event; reaped later it would
        // mark the buffer free while it plays again.
        record->stopEvents.Reset(0);
        buffer = 0;
    }
    plat::SoundBuffer& chosen = *record->buffers[buffer];
    // Before any SetVolume the object's volume is no valid volume and this fails.
    if (!chosen.SetVolume(volume_) || !chosen.SetPosition(0))
        return;
    if (StartBuffer(sound, buffer))
        record->current = buffer;
}

void CSoundStaticDerived::PlayOnCurrentBuffer(int sound)
{
    StaticSound* record = Playable(sound);
    if (record == nullptr || volume_ == kSilentVolume || !engine::IsValidVolume(volume_))
        return;
    StartBuffer(sound, record->current);
}

void CSoundStaticDerived::FadeIn(int sound)
{
    StaticSound* record = Playable(sound);
    if (record == nullptr || !engine::IsValidVolume(volume_))
        return;
    ReapStoppedBuffers(*record);
    plat::SoundBuffer& buffer = *record->buffers[record->current];
    BufferFade& fade = record->fades[record->current];
    const bool reversing = fade.mode == kFadeOut;
    const engine::FadeStart start = engine::ReverseOrStart(fade, kFadeOut, buffer.Volume(), kSilentVolume, fadeSteps_);
    engine::BeginFade(fade, start.volume, volume_, start.step, fadeSteps_, kFadeIn);
    buffer.SetVolume(start.volume);
    if (!reversing)
        PlayOnCurrentBuffer(sound);
}

void CSoundStaticDerived::FadeOut(int sound)
{
    StaticSound* record = Playable(sound);
    if (record == nullptr)
        return;
    ReapStoppedBuffers(*record);
    const std::int32_t from = engine::IsValidVolume(volume_) ? volume_ : engine::kFullVolume;
    for (int b = 0; b < kBuffersPerSound; ++b) {
        BufferFade& fade = record->fades[b];
        if (!record->busy[b] || fade.mode == kFadeOut)
            continue;
        plat::SoundBuffer& buffer = *record->buffers[b];
        const engine::FadeStart start = engine::ReverseOrStart(fade, kFadeIn, buffer.Volume(), from, fadeSteps_);
        engine::BeginFade(fade, start.volume, kSilentVolume, start.step, fadeSteps_, kFadeOut);
        buffer.SetVolume(start.volume);
    }
}

void CSoundStaticDerived::FadeOutAll()
{
    for (std::size_t s = 0; s < sounds_.size(); ++s) {
        if (sounds_[s]->loaded)
            FadeOut(static_cast<int>(s));
    }
}

void CSoundStaticDerived::UpdateFades()
{
    for (auto& record : sounds_) {
        for (int b = 0; b < kBuffersPerSound; ++b) {
            BufferFade& fade = record->fades[b];
            if (fade.mode == kFadeNone || record->buffers[b] == nullptr)
                continue;
            const engine::FadeTick tick = engine::StepFade(fade);
            if (record->busy[b])
                record->buffers[b]->SetVolume(tick.volume);
            if (tick.stopBuffer)
                record->buffers[b]->Stop();
        }
    }
}

void CSoundStaticDerived::Stop(int sound)
{
    StaticSound* record = Find(sound);
    if (record == nullptr || record->disabled)
        return;
    for (int b = 0; b < kBuffersPerSound; ++b) {
        if (record->busy[b] && record->buffers[b] != nullptr)
            record->buffers[b]->Stop();
        record->fades[b].mode = kFadeNone;
    }
}

// ---------------------------------------------------------------------------
bool CSoundStaticDerived::SetVolume(int level)
{
    if (!engine::IsValidLevel(level))
        return false;
    const std::int32_t volume = engine::VolumeLevelTable[level];
    for (auto& record : sounds_) {
        if (record->disabled)
            continue;
        for (int b = 0; b < kBuffersPerSound; ++b) {
            BufferFade& fade = record->fades[b];
            if (record->buffers[b] == nullptr || fade.mode == kFadeOut)
                continue;
            if (!record->buffers[b]->SetVolume(volume))
                return false;
            if (fade.mode == kFadeIn)
                fade.mode = kFadeNone;
        }
    }
    volume_ = volume;
    return true;
}

bool CSoundStaticDerived::GetVolume(int sound, long* volume)
{
    StaticSound* record = Find(sound);
    if (record == nullptr || record->disabled || record->buffers[0] == nullptr || volume == nullptr)
        return false;
    *volume = record->buffers[0]->Volume();
    return true;
}

bool CSoundStaticDerived::IsAnyFading()
{
    for (auto& record : sounds_) {
        for (const BufferFade& fade : record->fades) {
            if (fade.mode != kFadeNone)
                return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
void CSoundStaticDerived::RestoreBuffers()
{
    if (!initialised_)
        return;
    for (std::size_t s = 0; s < sounds_.size(); ++s) {
        StaticSound& record = *sounds_[s];
        if (record.loaded && !record.disabled && record.buffers[0]->IsLost())
            RecoverSound(static_cast<int>(s), 0, false);
    }
}

void CSoundStaticDerived::PauseAll(bool resume)
{
    if (!initialised_)
        return;
    for (std::size_t s = 0; s < sounds_.size(); ++s) {
        StaticSound& record = *sounds_[s];
        if (!record.loaded || record.disabled)
            continue;
        ReapStoppedBuffers(record);
        for (int b = 0; b < kBuffersPerSound && !record.disabled; ++b) {
            if (!resume) {
                record.pausedBusy[b] = record.busy[b];
                if (record.busy[b])
                    record.buffers[b]->Stop();
            } else if (record.pausedBusy[b]) {
                StartBuffer(static_cast<int>(s), b);
            }
        }
    }
}

void CSoundStaticDerived::RecoverSound(int sound, int buffer, bool replay)
{
    StaticSound& record = *sounds_[static_cast<std::size_t>(sound)];
    // The only failure the mixer reports is a lost buffer: restore and refill it.
    if (!record.buffers[0]->IsLost()) {
        DisableSound(record);
        return;
    }
    record.buffers[0]->Restore();
    if (!Load(sound, record.entry, record.looping, false)) {
        DisableSound(record);
        return;
    }
    if (!replay)
        return;
    if (!record.buffers[buffer]->Play(record.looping)) {
        DisableSound(record);
        return;
    }
    record.busy[buffer] = true;
    record.current = buffer;
}

void CSoundStaticDerived::DisableSound(StaticSound& record)
{
    for (int b = 0; b < kBuffersPerSound; ++b) {
        if (record.busy[b])
            record.buffers[b]->Stop();
        record.busy[b] = false;
        record.fades[b].mode = kFadeNone;
    }
    record.disabled = true;
}

void CSoundStaticDerived::Release()
{
    delete this;
}

plat::SoundBuffer* CSoundStaticDerived::BufferOf(int sound, int buffer)
{
    StaticSound* record = Find(sound);
    if (record == nullptr || buffer < 0 || buffer >= kBuffersPerSound)
        return nullptr;
    return record->buffers[buffer].get();
}

bool CSoundStaticDerived::IsBusy(int sound, int buffer)
{
    StaticSound* record = Find(sound);
    return record != nullptr && buffer >= 0 && buffer < kBuffersPerSound && record->busy[buffer];
}

Zeph::CSoundStatic* CreateSoundStatic()
{
    return new (std::nothrow) CSoundStaticDerived();
}
