// The game run inside the test process on the real engine library, frame by
// frame, so a test can read the game's own globals between frames (the scene
// numbers, the map, the player, the music player) and call its code where no
// part of play leads yet. A frame is the window messages, then the program's
// own due frame (main/MainLoop.h: input, fades, the game object's frame and
// the headless mode's frame dump); the virtual clock moves 16 ms a frame.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "GameFolder.h"
#include "Zeph.h"
#include "platform/ScriptedInputSource.h"

namespace e2e {

// Forwards to the engine's static-sound object and notes every effect played.
class NotingSoundStatic final : public Zeph::CSoundStatic {
public:
    explicit NotingSoundStatic(Zeph::CSoundStatic* real) : real_(real) {}

    std::vector<int> played;

    Zeph::HResult Init(int count, int pack, unsigned fadeMs, bool software) override
    {
        return real_->Init(count, pack, fadeMs, software);
    }
    bool Load(int sound, int entry, bool loop, bool create) override { return real_->Load(sound, entry, loop, create); }
    void UpdateFades() override { real_->UpdateFades(); }
    void Play(int sound) override
    {
        played.push_back(sound);
        real_->Play(sound);
    }
    void PlayOnCurrentBuffer(int sound) override { real_->PlayOnCurrentBuffer(sound); }
    void FadeIn(int sound) override { real_->FadeIn(sound); }
    void Stop(int sound) override { real_->Stop(sound); }
    void FadeOut(int sound) override { real_->FadeOut(sound); }
    void FadeOutAll() override { real_->FadeOutAll(); }
    bool SetVolume(int level) override { return real_->SetVolume(level); }
    bool GetVolume(int sound, long* volume) override { return real_->GetVolume(sound, volume); }
    bool IsAnyFading() override { return real_->IsAnyFading(); }
    void RestoreBuffers() override { real_->RestoreBuffers(); }
    void PauseAll(bool resume) override { real_->PauseAll(resume); }
    void Release() override { real_->Release(); }

private:
    Zeph::CSoundStatic* real_;
};

class InProcessGame {
public:
    // Starts the game in the folder; keys come from a scripted source the
    // test adds to as it goes. False when start-up failed.
    bool Start(const GameFolder& folder);
    // Starts the game and chooses 最初から on the title: false unless the
    // first map comes, its welcome running.
    bool StartNewGame(const GameFolder& folder);
    // Shuts the game down as the program does after its loop (closing fades,
    // the game object, the settings file, the engine).
    ~InProcessGame();

    // One frame; false once the game has been asked to close or a frame failed.
    bool Frame();
    // Runs frames until `done` holds after one, at most `limit`; the number run.
    template <typename Condition> int FramesUntil(Condition done, int limit = 1000)
    {
        for (int run = 1; run <= limit; ++run) {
            if (!Frame())
                return -1;
            if (done())
                return run;
        }
        return -1;
    }
    void Frames(int count);

    // Keys by the settings file's numbers (Z 44, X 45, Up 200, Down 208,
    // Left 203, Right 205): a press goes down in the next frame and up in
    // the one after; a hold goes down in the next frame until let go.
    void Press(int key);
    void Hold(int key);
    void LetGo(int key);
    // From the start: waits for the title menu and loads save slot 1 (ロード,
    // the slot, yes) until the field shows; false when it does not.
    bool LoadFirstSlot();
    // Confirms each message of the running event as it comes to wait, until
    // the field walks again; false when it does not within `limit` frames.
    bool ConfirmMessages(int limit = 1000);
    // Plays the current battle as a player who fights: the leader walks up
    // to the nearest enemy still standing and strikes whenever it is close.
    // True once the battle is won; false when the party falls first or
    // neither happens within `limit` frames. `beforeEachFrame` may add keys
    // of its own before each frame of the fight.
    bool FightUntilTheBattleEnds(int limit = 3000, const std::function<void()>& beforeEachFrame = {});
    // Writes the picture presented last, through the game's own frame dump,
    // as `name`.png among the pictures the tests leave to look at.
    bool Dump(const std::string& name) const;

    // Frames run so far (the number of the last frame, as the dumps count).
    int FrameNumber() const { return frame_; }
    bool Closed() const { return closed_; }
    // Sound effects played since the start, in order.
    const std::vector<int>& EffectsPlayed() const { return sounds_->played; }
    void ForgetEffects() { sounds_->played.clear(); }

private:
    void Finish();

    plat::ScriptedInputSource* keys_ = nullptr;
    bool started_ = false;
    bool closed_ = false;
    int frame_ = 0;
    NotingSoundStatic* sounds_ = nullptr;
    Zeph::CSoundStatic* engineSounds_ = nullptr;
};

} // namespace e2e
