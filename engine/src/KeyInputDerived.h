// The game's logical input: four directions and twelve numbered buttons, each
// pressed this frame, held, or released this frame, from the keyboard and the
// first controller together. The host reads the devices once a frame with
// Update; every question afterwards compares this frame with the last one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "Zeph.h"
#include "platform/InputSource.h"

class CKeyInputDerived final : public Zeph::CKeyInput {
public:
    // Slots 0..11 are the buttons, then the four directions.
    static constexpr int kButtonSlots = 12;
    static constexpr int kSlots = 16;
    static constexpr int kUpSlot = 12;
    static constexpr int kDownSlot = 13;
    static constexpr int kLeftSlot = 14;
    static constexpr int kRightSlot = 15;
    // An axis counts as pushed beyond this distance from the centre.
    static constexpr int kAxisThreshold = 499;
    static constexpr Zeph::HResult kBadAssignment = -1;

    CKeyInputDerived() = default;
    ~CKeyInputDerived();
    CKeyInputDerived(const CKeyInputDerived&) = delete;
    CKeyInputDerived& operator=(const CKeyInputDerived&) = delete;

    Zeph::HResult Init(void* instance, bool keyboard, bool controller, std::uint8_t buttonCount,
                       const std::uint8_t keys[16], const std::uint8_t buttons[12]) override;
    void Update() override;
    int GetDirectionPush() override;
    int GetDirectionHold() override;
    int GetDirectionRelease() override;
    bool IsUpPush() override;
    bool IsUpHold() override;
    bool IsUpRelease() override;
    bool IsDownPush() override;
    bool IsDownHold() override;
    bool IsDownRelease() override;
    bool IsLeftPush() override;
    bool IsLeftHold() override;
    bool IsLeftRelease() override;
    bool IsRightPush() override;
    bool IsRightHold() override;
    bool IsRightRelease() override;
    bool IsButtonPush(std::uint8_t button) override;
    bool IsButtonHold(std::uint8_t button) override;
    bool IsButtonRelease(std::uint8_t button) override;
    int GetButtonPushMask(int buttonCount) override;
    int GetButtonHoldMask(int buttonCount) override;
    int GetButtonReleaseMask(int buttonCount) override;
    void SetAcquire(bool acquire) override;
    Zeph::HResult Reset() override;
    void Release() override;

    // The slots' keys and controller buttons after Init filled the unassigned ones.
    const std::array<std::uint8_t, kSlots>& Keys() const { return keys_; }
    const std::array<std::uint8_t, kButtonSlots>& Buttons() const { return buttons_; }
    bool KeyboardInUse() const { return keyboardInUse_; }
    bool ControllerInUse() const { return controllerInUse_; }

private:
    enum class Moment { Push, Hold, Release };
    using KeyStates = std::array<std::uint8_t, 256>; // by key number: 1 down
    struct ControllerRecord {
        int x = 0;
        int y = 0;
        std::array<bool, kButtonSlots> buttons{};
    };

    void FillUnassignedSlots();
    bool HasDuplicateAssignment() const;
    Zeph::HResult OpenDevices();
    void CloseDevices();
    bool UpdateKeyboard();
    void UpdateController();

    static bool ControllerSlotDown(int slot, const ControllerRecord& record);
    static bool Compare(bool now, bool before, Moment moment);
    bool Query(int slot, Moment moment) const;
    int DirectionMask(Moment moment) const;
    int ButtonMask(int buttonCount, Moment moment) const;

    void* instance_ = nullptr;
    bool keyboardRequested_ = false;
    bool controllerRequested_ = false;
    bool keyboardInUse_ = false;
    bool controllerInUse_ = false;
    std::uint8_t buttonCount_ = 0;
    std::array<std::uint8_t, kSlots> keys_{};
    std::array<std::uint8_t, kButtonSlots> buttons_{};
    std::unique_ptr<plat::InputSource> source_;
    std::array<plat::KeyEvent, plat::kKeyBufferSize> events_{};
    KeyStates currentKeys_{};
    KeyStates previousKeys_{};
    ControllerRecord currentController_;
    ControllerRecord previousController_;
    bool initialised_ = false;
};
