// Making our software device, and the switches tests use on it.
//
// The device draws into 32-bit ARGB targets in memory and shows the back
// buffer through the SDL window named in the present parameters (none: it
// draws and keeps the presented picture, but shows nothing).
#pragma once

#include <cstdint>

#include "platform/Device.h"

namespace plat {

// Creates the device for `parameters` (back buffer 0 × 0 means 640 × 480).
HRESULT CreateSoftwareDevice(const D3DPRESENT_PARAMETERS& parameters, Direct3DDevice9** device);

// Makes the device lost, as when another program takes the display: Present
// answers D3DERR_DEVICELOST, and TestCooperativeLevel answers
// D3DERR_DEVICELOST for `lostPolls` calls, then D3DERR_DEVICENOTRESET until
// Reset succeeds. False when `device` is not ours.
bool SimulateDeviceLoss(Direct3DDevice9* device, int lostPolls);

// The pixel-shader version GetDeviceCaps reports (D3DPS_VERSION(2, 0) unless
// changed here or, for devices made later, by the environment variable
// VELMORA_PIXEL_SHADER_VERSION, "1.4" for example). False when not ours.
bool SetReportedPixelShaderVersion(Direct3DDevice9* device, std::uint32_t version);

// Whether the device shows its picture in a desktop full-screen window.
bool IsShowingFullScreen(Direct3DDevice9* device);

// The threads besides the caller's that draw the tiles of a scene: up to
// three on a machine with cores to spare, none in the headless test mode.
// A test sets them here. False when `device` is not ours.
bool SetDrawingWorkers(Direct3DDevice9* device, int workers);

// Test switch: with binning off, every draw is drawn at once over the whole
// target and row by row, the reference the binned picture must match pixel
// for pixel (on by default). False when `device` is not ours.
bool SetTileBinning(Direct3DDevice9* device, bool on);

// The instruction set of the device's pixel loops. Widest: the widest this
// processor runs, chosen at start-up (the default).
enum class SpanPath { Widest, Scalar, Sse2, Avx2 };

// Test switch: every draw after this, on any device, uses `path`, so the
// vector loops can be compared with the scalar reference. False, changing
// nothing, when this build or processor lacks the instruction set.
bool ForceSpanPath(SpanPath path);

// "scalar", "sse2" or "avx2": the loops draws use now (for benchmarks' notes).
const char* ChosenSpanPathName();

} // namespace plat
