// A key input object the test drives: directions and buttons pushed for one
// frame, or held until let go. Its calls can be noted through a hook (the
// fake engine library logs them there), which can also make Init and Reset
// fail.
#pragma once

#include <functional>
#include <string>

#include "Zeph.h"

namespace fakes {

class FakeKeyInput : public Zeph::CKeyInput {
public:
    // Direction bits as GetDirectionPush reports them.
    static constexpr int kUp = 1, kDown = 2, kLeft = 4, kRight = 8;

    // Held until changed.
    bool up = false, down = false, left = false, right = false;
    int heldButtons = 0; // bit n: button n
    // Pushed this frame; NextFrame clears them.
    int pushedButtons = 0;

    // Told "CKeyInput::Init", "CKeyInput::Update", ...; answers false for a call that fails.
    std::function<bool(const std::string&)> noteCall;

    // Directions pushed this frame and held on.
    void Press(int directions)
    {
        pushedDirections_ = directions;
        HoldDirections(directions);
    }
    // Directions held on from an earlier frame.
    void Hold(int directions)
    {
        pushedDirections_ = 0;
        HoldDirections(directions);
    }
    // A button pushed (and so held) for this frame only.
    void PushButton(int button)
    {
        pushedButtons |= 1 << button;
        tappedButtons_ |= 1 << button;
    }
    void ReleaseAll()
    {
        Hold(0);
        heldButtons = pushedButtons = tappedButtons_ = 0;
    }
    // Pushes last one frame; holds stay.
    void NextFrame() { pushedDirections_ = pushedButtons = tappedButtons_ = 0; }

    Zeph::HResult Init(void*, bool, bool, std::uint8_t, const std::uint8_t*, const std::uint8_t*) override
    {
        return Note("CKeyInput::Init") ? Zeph::kResultOk : Zeph::kResultFail;
    }
    void Update() override { Note("CKeyInput::Update"); }
    int GetDirectionPush() override { return pushedDirections_; }
    int GetDirectionHold() override { return HeldDirections(); }
    int GetDirectionRelease() override { return 0; }
    bool IsUpPush() override { return pushedDirections_ & kUp; }
    bool IsUpHold() override { return up; }
    bool IsUpRelease() override { return false; }
    bool IsDownPush() override { return pushedDirections_ & kDown; }
    bool IsDownHold() override { return down; }
    bool IsDownRelease() override { return false; }
    bool IsLeftPush() override { return pushedDirections_ & kLeft; }
    bool IsLeftHold() override { return left; }
    bool IsLeftRelease() override { return false; }
    bool IsRightPush() override { return pushedDirections_ & kRight; }
    bool IsRightHold() override { return right; }
    bool IsRightRelease() override { return false; }
    bool IsButtonPush(std::uint8_t button) override { return (pushedButtons >> button) & 1; }
    bool IsButtonHold(std::uint8_t button) override { return (HeldButtons() >> button) & 1; }
    bool IsButtonRelease(std::uint8_t) override { return false; }
    // Only the first `count` buttons, as the engine reads them.
    int GetButtonPushMask(int count) override
    {
        return count >= 31 ? pushedButtons : pushedButtons & ((1 << count) - 1);
    }
    int GetButtonHoldMask(int) override { return HeldButtons(); }
    int GetButtonReleaseMask(int) override { return 0; }
    void SetAcquire(bool acquire) override { Note(acquire ? "CKeyInput::SetAcquire on" : "CKeyInput::SetAcquire off"); }
    Zeph::HResult Reset() override { return Note("CKeyInput::Reset") ? Zeph::kResultOk : Zeph::kResultFail; }
    // The test owns the object.
    void Release() override { Note("CKeyInput::Release"); }

protected:
    bool Note(const std::string& call) { return !noteCall || noteCall(call); }

private:
    void HoldDirections(int directions)
    {
        up = directions & kUp;
        down = directions & kDown;
        left = directions & kLeft;
        right = directions & kRight;
    }
    int HeldDirections() const
    {
        return (up ? kUp : 0) | (down ? kDown : 0) | (left ? kLeft : 0) | (right ? kRight : 0);
    }
    int HeldButtons() const { return heldButtons | tappedButtons_; }

    int pushedDirections_ = 0;
    int tappedButtons_ = 0;
};

} // namespace fakes
