#include "KeyInputDerived.h"

#include <algorithm>
#include <new>

#include "EngineState.h"

namespace {

// Keys for button slots the host leaves unassigned, in order of preference:
// the digits 1 .. 9 and 0, then A .. F.
constexpr std::uint8_t kDefaultKeys[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 30, 48, 46, 32, 18, 33};

} // namespace

CKeyInputDerived::~CKeyInputDerived()
{
    CloseDevices();
}

Zeph::HResult CKeyInputDerived::Init(void* instance, bool keyboard, bool controller, std::uint8_t buttonCount,
                                     const std::uint8_t keys[16], const std::uint8_t buttons[12])
{
    if (keys == nullptr || buttons == nullptr)
        return kBadAssignment;
    instance_ = instance;
    keyboardRequested_ = keyboard;
    controllerRequested_ = controller;
    keyboardInUse_ = keyboard;
    controllerInUse_ = controller;
    buttonCount_ = std::min<std::uint8_t>(buttonCount, kButtonSlots);
    std::copy(keys, keys + kSlots, keys_.begin());
    std::copy(buttons, buttons + kButtonSlots, buttons_.begin());

    FillUnassignedSlots();
    if (HasDuplicateAssignment())
        return kBadAssignment;
    return OpenDevices();
}

void CKeyInputDerived::FillUnassignedSlots()
{
    for (int slot = buttonCount_; slot < kButtonSlots; ++slot) {
        for (std::uint8_t key : kDefaultKeys) {
            bool taken = false;
            for (int other = 0; other < kSlots; ++other)
                taken = taken || (other != slot && keys_[static_cast<std::size_t>(other)] == key);
            if (!taken) {
                keys_[static_cast<std::size_t>(slot)] = key;
                break;
            }
        }
        for (std::uint8_t button = 0; button < kButtonSlots; ++button) {
            const auto lower = buttons_.begin() + slot;
            if (std::find(buttons_.begin(), lower, button) == lower) {
                buttons_[static_cast<std::size_t>(slot)] = button;
                break;
            }
        }
    }
}

bool CKeyInputDerived::HasDuplicateAssignment() const
{
    auto sortedKeys = keys_;
    auto sortedButtons = buttons_;
    std::sort(sortedKeys.begin(), sortedKeys.end());
    std::sort(sortedButtons.begin(), sortedButtons.end());
    return std::adjacent_find(sortedKeys.begin(), sortedKeys.end()) != sortedKeys.end() ||
           std::adjacent_find(sortedButtons.begin(), sortedButtons.end()) != sortedButtons.end();
}

Zeph::HResult CKeyInputDerived::OpenDevices()
{
    if (!keyboardInUse_ && !controllerInUse_)
        return Zeph::kResultFail;
    source_ = plat::OpenInputSource(engine::State().window);
    if (source_ == nullptr)
        return Zeph::kResultFail;
    if (controllerInUse_ && !source_->OpenController()) {
        // Asked for a controller and none is attached: the keyboard serves.
        controllerInUse_ = false;
        keyboardInUse_ = true;
    }
    if (keyboardInUse_) {
        if (!source_->OpenKeyboard())
            return Zeph::kResultFail;
        // An unfocused window cannot have the keyboard yet; Update asks again.
        source_->AcquireKeyboard();
        currentKeys_.fill(0);
        previousKeys_.fill(0);
    }
    if (controllerInUse_) {
        currentController_ = {};
        previousController_ = {};
        source_->AcquireController();
    }
    initialised_ = true;
    return Zeph::kResultOk;
}

void CKeyInputDerived::CloseDevices()
{
    if (source_ != nullptr) {
        source_->UnacquireKeyboard();
        source_->UnacquireController();
    }
    source_.reset();
}

void CKeyInputDerived::Update()
{
    if (!initialised_ || source_ == nullptr)
        return;
    source_->BeginFrame();
    if (keyboardInUse_ && !UpdateKeyboard())
        return;
    if (controllerInUse_)
        UpdateController();
}

bool CKeyInputDerived::UpdateKeyboard()
{
    // Every frame starts from the last one, whether or not the read works,
    // so a failed read never shows the same push or release twice.
    previousKeys_ = currentKeys_;
    plat::KeyboardRead read = source_->ReadKeyboard(events_);
    if (read.status != plat::KeyboardStatus::Ok) {
        currentKeys_.fill(0);
        if (read.status == plat::KeyboardStatus::NotAcquired) {
            if (!source_->AcquireKeyboard())
                return false;
            read = source_->ReadKeyboard(events_);
            if (read.status == plat::KeyboardStatus::NotAcquired)
                return false;
        }
    }
    for (int i = 0; i < read.count; ++i) {
        const plat::KeyEvent& event = events_[static_cast<std::size_t>(i)];
        currentKeys_[event.keyNumber] = event.down ? 1 : 0;
    }
    return true;
}

void CKeyInputDerived::UpdateController()
{
    previousController_ = currentController_;
    plat::ControllerReading reading;
    if (source_->ReadController(reading) != plat::ControllerStatus::Ok) {
        currentController_ = {};
        source_->AcquireController();
        return;
    }
    currentController_.x = reading.x;
    currentController_.y = reading.y;
    for (int slot = 0; slot < kButtonSlots; ++slot)
        currentController_.buttons[static_cast<std::size_t>(slot)] =
            reading.buttons.test(buttons_[static_cast<std::size_t>(slot)]);
}

bool CKeyInputDerived::ControllerSlotDown(int slot, const ControllerRecord& record)
{
    switch (slot) {
    case kUpSlot:
        return record.y < -kAxisThreshold;
    case kDownSlot:
        return record.y > kAxisThreshold;
    case kLeftSlot:
        return record.x < -kAxisThreshold;
    case kRightSlot:
        return record.x > kAxisThreshold;
    default:
        return record.buttons[static_cast<std::size_t>(slot)];
    }
}

bool CKeyInputDerived::Compare(bool now, bool before, Moment moment)
{
    switch (moment) {
    case Moment::Push:
        return now && !before;
    case Moment::Hold:
        return now;
    case Moment::Release:
        return !now && before;
    }
    return false;
}

bool CKeyInputDerived::Query(int slot, Moment moment) const
{
    bool answer = false;
    if (keyboardInUse_) {
        const std::uint8_t key = keys_[static_cast<std::size_t>(slot)];
        answer = Compare(currentKeys_[key] != 0, previousKeys_[key] != 0, moment);
    }
    if (controllerInUse_)
        answer = answer || Compare(ControllerSlotDown(slot, currentController_),
                                   ControllerSlotDown(slot, previousController_), moment);
    return answer;
}

int CKeyInputDerived::DirectionMask(Moment moment) const
{
    int mask = 0;
    if (Query(kUpSlot, moment))
        mask |= 1;
    if (Query(kDownSlot, moment))
        mask |= 2;
    if (Query(kLeftSlot, moment))
        mask |= 4;
    if (Query(kRightSlot, moment))
        mask |= 8;
    return mask;
}

int CKeyInputDerived::ButtonMask(int buttonCount, Moment moment) const
{
    const int count = std::clamp(buttonCount, 0, kButtonSlots);
    int mask = 0;
    for (int button = 0; button < count; ++button) {
        if (Query(button, moment))
            mask |= 1 << button;
    }
    return mask;
}

int CKeyInputDerived::GetDirectionPush()
{
    return DirectionMask(Moment::Push);
}

int CKeyInputDerived::GetDirectionHold()
{
    return DirectionMask(Moment::Hold);
}

int CKeyInputDerived::GetDirectionRelease()
{
    return DirectionMask(Moment::Release);
}

bool CKeyInputDerived::IsUpPush()
{
    return Query(kUpSlot, Moment::Push);
}

bool CKeyInputDerived::IsUpHold()
{
    return Query(kUpSlot, Moment::Hold);
}

bool CKeyInputDerived::IsUpRelease()
{
    return Query(kUpSlot, Moment::Release);
}

bool CKeyInputDerived::IsDownPush()
{
    return Query(kDownSlot, Moment::Push);
}

bool CKeyInputDerived::IsDownHold()
{
    return Query(kDownSlot, Moment::Hold);
}

bool CKeyInputDerived::IsDownRelease()
{
    return Query(kDownSlot, Moment::Release);
}

bool CKeyInputDerived::IsLeftPush()
{
    return Query(kLeftSlot, Moment::Push);
}

bool CKeyInputDerived::IsLeftHold()
{
    return Query(kLeftSlot, Moment::Hold);
}

bool CKeyInputDerived::IsLeftRelease()
{
    return Query(kLeftSlot, Moment::Release);
}

bool CKeyInputDerived::IsRightPush()
{
    return Query(kRightSlot, Moment::Push);
}

bool CKeyInputDerived::IsRightHold()
{
    return Query(kRightSlot, Moment::Hold);
}

bool CKeyInputDerived::IsRightRelease()
{
    return Query(kRightSlot, Moment::Release);
}

bool CKeyInputDerived::IsButtonPush(std::uint8_t button)
{
    return button < kButtonSlots && Query(button, Moment::Push);
}

bool CKeyInputDerived::IsButtonHold(std::uint8_t button)
{
    return button < kButtonSlots && Query(button, Moment::Hold);
}

bool CKeyInputDerived::IsButtonRelease(std::uint8_t button)
{
    return button < kButtonSlots && Query(button, Moment::Release);
}

int CKeyInputDerived::GetButtonPushMask(int buttonCount)
{
    return ButtonMask(buttonCount, Moment::Push);
}

int CKeyInputDerived::GetButtonHoldMask(int buttonCount)
{
    return ButtonMask(buttonCount, Moment::Hold);
}

int CKeyInputDerived::GetButtonReleaseMask(int buttonCount)
{
    return ButtonMask(buttonCount, Moment::Release);
}

void CKeyInputDerived::SetAcquire(bool acquire)
{
    if (!initialised_ || source_ == nullptr)
        return;
    if (keyboardInUse_) {
        if (acquire)
            source_->AcquireKeyboard();
        else
            source_->UnacquireKeyboard();
    }
    if (controllerInUse_) {
        if (acquire)
            source_->AcquireController();
        else
            source_->UnacquireController();
    }
}

Zeph::HResult CKeyInputDerived::Reset()
{
    initialised_ = false;
    CloseDevices();
    // Init fills and checks the tables again, with the devices as requested,
    // so a controller plugged in since start-up is found.
    const auto keys = keys_;
    const auto buttons = buttons_;
    return Init(instance_, keyboardRequested_, controllerRequested_, buttonCount_, keys.data(), buttons.data());
}

void CKeyInputDerived::Release()
{
    delete this;
}

Zeph::CKeyInput* CreateKeyInput()
{
    return new (std::nothrow) CKeyInputDerived();
}
