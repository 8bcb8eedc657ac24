// A key input object the test scripts frame by frame: which buttons and
// directions are pushed this frame, and which directions are held.
#pragma once

#include <set>

#include "Zeph.h"

class ScriptedKeyInput final : public Zeph::CKeyInput {
public:
    // Direction bits as GetDirectionPush reports them.
    static constexpr int kUp = 1, kDown = 2, kLeft = 4, kRight = 8;

    void Press(int directionBits) { pushed = held = directionBits; }
    void Hold(int directionBits) { pushed = 0, held = directionBits; }
    void PushButton(int button) { buttons.insert(button); }
    void ReleaseAll() { pushed = held = 0, buttons.clear(); }
    void Release() override {}
    // Pushes last one frame; holds stay.
    void NextFrame() { pushed = 0, buttons.clear(); }

    Zeph::HResult Init(void*, bool, bool, std::uint8_t, const std::uint8_t*, const std::uint8_t*) override
    {
        return Zeph::kResultOk;
    }
    void Update() override {}
    int GetDirectionPush() override { return pushed; }
    int GetDirectionHold() override { return held; }
    int GetDirectionRelease() override { return 0; }
    bool IsUpPush() override { return pushed & kUp; }
    bool IsUpHold() override { return held & kUp; }
    bool IsUpRelease() override { return false; }
    bool IsDownPush() override { return pushed & kDown; }
    bool IsDownHold() override { return held & kDown; }
    bool IsDownRelease() override { return false; }
    bool IsLeftPush() override { return pushed & kLeft; }
    bool IsLeftHold() override { return held & kLeft; }
    bool IsLeftRelease() override { return false; }
    bool IsRightPush() override { return pushed & kRight; }
    bool IsRightHold() override { return held & kRight; }
    bool IsRightRelease() override { return false; }
    bool IsButtonPush(std::uint8_t button) override { return buttons.count(button) != 0; }
    bool IsButtonHold(std::uint8_t button) override { return buttons.count(button) != 0; }
    bool IsButtonRelease(std::uint8_t) override { return false; }
    int GetButtonPushMask(int) override { return 0; }
    int GetButtonHoldMask(int) override { return 0; }
    int GetButtonReleaseMask(int) override { return 0; }
    void SetAcquire(bool) override {}
    Zeph::HResult Reset() override { return Zeph::kResultOk; }

private:
    int pushed = 0;
    int held = 0;
    std::set<int> buttons;
};
