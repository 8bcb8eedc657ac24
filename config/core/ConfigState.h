// Everything the settings program edits: what the settings file holds, the
// assignments as they were before the last change, and the joystick slots
// being typed into. One instance lives for the program's run.
#pragma once

#include <array>
#include <cstdint>

namespace config {

constexpr std::int32_t kNoPosition = 0x7FFFFFFF; // "None": no stored window position
constexpr int kKeySlots = 15;                    // buttons 0..10, then up, down, left, right
constexpr int kJoySlots = 11;                    // buttons 0..10
constexpr int kVolumeMax = 10;

struct ConfigState {
    std::int32_t xPos = kNoPosition;
    std::int32_t yPos = kNoPosition;
    std::uint8_t keyboard = 1;
    std::uint8_t joystick = 0;
    std::uint8_t apBgm = 1;
    std::uint8_t apSound = 0;
    std::uint8_t window = 1;
    std::uint8_t showWarn = 1;
    std::int32_t bgmVol = 10;
    std::int32_t soundVol = 10;
    std::array<std::int32_t, kKeySlots> keyAssign{};
    std::array<std::int32_t, kKeySlots> keyAssignPrev{};
    std::array<std::int32_t, kJoySlots> joyAssign{};
    std::array<std::int32_t, kJoySlots> joyAssignPrev{};
    std::array<bool, kJoySlots> joyEditing{};
};

// Flags, volumes and both assignments to their defaults; the stored window
// position stays.
void SetDefaultConfig(ConfigState& state);

// What the pages do when they are made: at least one input device on, and an
// invalid key or joystick assignment replaced by the defaults.
void ApplyPageChecks(ConfigState& state);

} // namespace config
