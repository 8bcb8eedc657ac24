// Key numbers as the settings file stores them, with the buttons the default
// settings give them.
#pragma once

namespace e2e {

inline constexpr int kKeyConfirm = 44; // Z: button 0
inline constexpr int kKeyCancel = 45;  // X: button 1
inline constexpr int kKeyUp = 200;
inline constexpr int kKeyDown = 208;
inline constexpr int kKeyLeft = 203;
inline constexpr int kKeyRight = 205;

} // namespace e2e
