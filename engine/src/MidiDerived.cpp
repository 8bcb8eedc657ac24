#include "MidiDerived.h"

#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>

#include "MidiFileReader.h"
#include "MidiLevels.h"
#include "platform/Paths.h"

namespace {

// A guard against a player that never answers, not a timing of the music: it
// runs on the real clock so a virtual clock in tests cannot fire it.
constexpr auto kHandshakeTimeout = std::chrono::milliseconds(5000);

// Starts a thread; false when the system cannot make one.
template <typename Body> bool StartThread(std::thread& thread, Body body)
{
    try {
        thread = std::thread(std::move(body));
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace

CMidiDerived::CMidiDerived() : CMidiDerived(midi::OpenSystemMidiOutput) {}

CMidiDerived::CMidiDerived(OutputFactory openOutput) : openOutput_(std::move(openOutput)) {}

CMidiDerived::~CMidiDerived()
{
    if (player_.joinable()) {
        signals_.playing.store(false);
        Post(Command::Quit, 0);
        player_.join();
    }
    for (int song = 0; song < static_cast<int>(songs_.size()); ++song)
        JoinLoader(song);
}

void CMidiDerived::Release()
{
    delete this;
}

bool CMidiDerived::ValidSong(int song) const
{
    return song >= 0 && song < static_cast<int>(songs_.size());
}

bool CMidiDerived::SongFailed(int song) const
{
    return !ValidSong(song) || songs_[song]->song.error.load();
}

bool CMidiDerived::Init(int songCount, bool /*raiseTimerResolution*/)
{
    // The clock this engine sleeps on needs no resolution raised.
    if (!songs_.empty() || songCount <= 0 || songCount > kMaxSongs)
        return false;
    for (int i = 0; i < songCount; ++i)
        songs_.push_back(std::make_unique<SongSlot>());
    output_ = openOutput_ ? openOutput_() : nullptr;
    if (output_ == nullptr)
        return false;
    return EnsurePlayerThread();
}

// ---------------------------------------------------------------------------
// Player thread and its hand-over

void CMidiDerived::PlayerLoop()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        idle_ = true;
        changed_.notify_all();
        // Waiting for a command, not for time: game time need not wait for this thread.
        plat::NoteThreadIdle();
        changed_.wait(lock, [this] { return pending_ != Command::None; });
        plat::AdoptExpectedRun();
        const Command command = pending_;
        const int song = pendingSong_;
        pending_ = Command::None;
        if (command == Command::Quit)
            break;
        idle_ = false;
        lock.unlock();
        midi::Sequencer(songs_[song]->song, *output_, signals_).Play(command == Command::Resume);
        lock.lock();
    }
    playerEnded_ = true;
    idle_ = true;
    plat::NoteThreadIdle();
    changed_.notify_all();
}

bool CMidiDerived::EnsurePlayerThread()
{
    {
        std::lock_guard lock(mutex_);
        if (!playerEnded_)
            return true;
    }
    if (player_.joinable())
        player_.join();
    {
        std::lock_guard lock(mutex_);
        playerEnded_ = false;
        idle_ = false;
    }
    if (StartThread(player_, [this] { PlayerLoop(); }))
        return true;
    std::lock_guard lock(mutex_);
    playerEnded_ = true;
    idle_ = true;
    return false;
}

void CMidiDerived::Post(Command command, int song)
{
    std::lock_guard lock(mutex_);
    // In game time the player's work on the command happens before the clock
    // moves on (a command replacing one not yet taken is the same work).
    if (pending_ == Command::None)
        plat::ExpectWorkerToRun();
    pending_ = command;
    pendingSong_ = song;
    changed_.notify_all();
}

void CMidiDerived::RequestStop()
{
    signals_.playing.store(false, std::memory_order_release);
    // A sequencer asleep on game time sees the stop now, not at its deadline.
    plat::InterruptGameTimeSleepers();
    std::lock_guard lock(mutex_);
    if (pending_ != Command::Quit && pending_ != Command::None) {
        pending_ = Command::None;
        plat::CancelExpectedRun();
    }
}

bool CMidiDerived::WaitForPlayerIdle()
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kHandshakeTimeout, [this] { return idle_ && pending_ == Command::None; });
}

bool CMidiDerived::StopPlayerAndWait()
{
    RequestStop();
    return WaitForPlayerIdle();
}

// ---------------------------------------------------------------------------
// Loading

void CMidiDerived::JoinLoader(int song)
{
    if (songs_[song]->loader.joinable())
        songs_[song]->loader.join();
}

bool CMidiDerived::Load(int song, const Zeph::BgmTuneDef* tune)
{
    if (!ValidSong(song) || tune == nullptr)
        return false;
    SongSlot& slot = *songs_[song];
    if (tune->path == nullptr || std::strlen(tune->path) >= kPathBufferSize) {
        slot.song.error = true;
        return false;
    }
    const std::string path = tune->path;
    // The player must be out of this song before its events are replaced.
    if (song == currentSong_ && !StopPlayerAndWait()) {
        slot.song.error = true;
        return false;
    }
    JoinLoader(song);
    slot.song.error = false;

    std::ifstream file(plat::ResolvePath(path), std::ios::binary);
    if (!file) {
        slot.song.error = true;
        return false;
    }
    midi::MidiSong& target = slot.song;
    target.events = midi::EventList{};
    target.play = midi::PlayState{};
    target.tune.volumeScale = std::sqrt(std::max(tune->volume, 0.0));
    target.tune.replaceResets = tune->replaceResets != 0;
    target.tune.startMarker = tune->startMarker;
    target.tune.loopMarker = tune->loopMarker;
    target.tune.endMarker = tune->endMarker;
    target.tune.fullChase = tune->fullChase != 0;

    auto readAndParse = [&target, stream = std::move(file)]() mutable {
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        if (stream.bad() || !midi::ReadMidiFile(bytes, target.tune, target.events))
            target.error = true;
    };
    if (!StartThread(slot.loader, std::move(readAndParse))) {
        slot.song.error = true;
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Playing

void CMidiDerived::SetAmplitude(double amplitude)
{
    signals_.volume.store(amplitude, std::memory_order_release);
    signals_.MarkVolumeChanged();
}

void CMidiDerived::SetLevelVolume(int level)
{
    if (level != 0) {
        SetAmplitude(midi::LevelAmplitude(level));
    } else {
        SetAmplitude(0.0);
        RequestStop();
    }
}

void CMidiDerived::Play(int song)
{
    StartSong(song, Command::Play, false);
}

// Play and resume alike: wait for the song's loader and for the player to be
// idle, then hand the song over. A song loaded and never played has no kept
// place, so resuming it starts it from its beginning.
void CMidiDerived::StartSong(int song, Command command, bool keepVolume)
{
    if (!ValidSong(song) || level_ == 0)
        return;
    SongSlot& slot = *songs_[song];
    JoinLoader(song);
    if (slot.song.error)
        return;
    if (!StopPlayerAndWait()) {
        slot.song.error = true;
        return;
    }
    if (!keepVolume) {
        fadeMode_ = FadeMode::None;
        SetLevelVolume(level_);
    }
    if (!EnsurePlayerThread()) {
        slot.song.error = true;
        return;
    }
    signals_.playing.store(true, std::memory_order_release);
    currentSong_ = song;
    Post(command, song);
}

void CMidiDerived::Stop(int song)
{
    if (!ValidSong(song) || songs_[song]->song.error)
        return;
    if (song == currentSong_) {
        RequestStop();
        fadeMode_ = FadeMode::None;
    }
}

void CMidiDerived::Resume(int song)
{
    ResumeSong(song, false);
}

void CMidiDerived::ResumeSong(int song, bool keepVolume)
{
    StartSong(song, Command::Resume, keepVolume);
}

// ---------------------------------------------------------------------------
// Volume and fades

void CMidiDerived::SetVolume(int level)
{
    level_ = midi::ClampLevel(level);
    fadeMode_ = FadeMode::None;
    SetLevelVolume(level_);
}

void CMidiDerived::Fade(int song, int fromLevel, int toLevel, unsigned ms, bool keepAsSetLevel)
{
    if (!ValidSong(song))
        return;
    if (signals_.playing.load() && song != currentSong_)
        return;
    const bool wasFading = fadeMode_ != FadeMode::None;
    const int to = toLevel == -1 ? level_ : midi::ClampLevel(toLevel);
    fadeMode_ = (toLevel != -1 && to == 0) ? FadeMode::FadingToStop : FadeMode::Fading;
    fadeStep_ = 0;
    fadeSteps_ = ms / midi::kFadeStepMs;
    if (fromLevel == -1 || wasFading) {
        const double amplitude = signals_.volume.load();
        fadeStart_ = amplitude * amplitude;
    } else {
        fadeStart_ = midi::LevelPower(fromLevel);
        SetAmplitude(std::sqrt(fadeStart_));
    }
    fadeTarget_ = midi::LevelAmplitude(to);
    fadeDelta_ = midi::LevelPower(to) - fadeStart_;
    if (keepAsSetLevel)
        level_ = to;
}

void CMidiDerived::UpdateFade()
{
    if (fadeMode_ == FadeMode::None)
        return;
    ++fadeStep_;
    if (fadeStep_ < fadeSteps_) {
        const double power = std::clamp(
            static_cast<double>(fadeStep_) / static_cast<double>(fadeSteps_) * fadeDelta_ + fadeStart_, 0.0, 1.0);
        SetAmplitude(std::sqrt(power));
        return;
    }
    SetAmplitude(fadeTarget_);
    if (fadeMode_ == FadeMode::FadingToStop)
        Stop(currentSong_);
    fadeMode_ = FadeMode::None;
}

void CMidiDerived::ResumeWithFade(int song, int toLevel, unsigned ms, bool keepAsSetLevel)
{
    Fade(song, 0, toLevel, ms, keepAsSetLevel);
    ResumeSong(song, true);
}

void CMidiDerived::FadeOut(unsigned ms)
{
    if (signals_.playing.load())
        Fade(currentSong_, -1, 0, ms, false);
}

void CMidiDerived::Pause(bool resume)
{
    if (!resume) {
        wasPlaying_ = signals_.playing.load();
        savedFadeMode_ = fadeMode_;
        if (wasPlaying_)
            Stop(currentSong_);
        return;
    }
    fadeMode_ = savedFadeMode_;
    if (wasPlaying_)
        ResumeSong(currentSong_, true);
}

bool CMidiDerived::IsFading()
{
    return signals_.playing.load() && fadeMode_ != FadeMode::None;
}

bool CMidiDerived::IsPlaying(int song)
{
    return signals_.playing.load() && song == currentSong_;
}

Zeph::CMidi* CreateMidi()
{
    return new (std::nothrow) CMidiDerived();
}
