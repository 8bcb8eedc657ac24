// The sound device the sound objects share: the platform mixer's output,
// opened by the first sound object's Init and closed when the last sound
// object is destroyed (SoundUserCount), and the silent looping buffer some
// objects ask for. Touched only on the host's thread.
#pragma once

#include <cstdint>
#include <memory>

#include "Zeph.h"
#include "platform/AudioMixer.h"
#include "platform/SoundBuffer.h"

namespace engine {

// Live sound objects: each constructor adds one, each destructor ends with
// ReleaseSharedSoundDevice.
int& SoundUserCount();

// Opens the shared device unless it is open; kResultOk, or kResultFail when
// the output cannot be opened.
Zeph::HResult CreateSharedSoundDevice();
bool SharedSoundDeviceExists();
// The mixer the sound objects' buffers play through.
plat::AudioMixer& SoundMixer();

// A silent looping 16-bit stereo 44.1 kHz buffer, started once and kept
// until the device goes.
Zeph::HResult StartSilentMixBuffer();
bool SilentMixBufferRuns();

// Fills the whole buffer with `value`.
Zeph::HResult ClearSoundBuffer(plat::SoundBuffer& buffer, std::uint8_t value);

// Counts one user less; the last one closes the device.
void ReleaseSharedSoundDevice();

} // namespace engine
