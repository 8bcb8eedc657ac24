// The engine objects and device state every part of the game reaches through
// shared globals. Start-up sets them once; shutdown releases the objects.
#pragma once

#include <cstdint>

#include "Zeph.h"
#include "platform/Device.h"

extern Zeph::CError* ZephError;
extern Zeph::CGraphic* ZephGraphic;
extern Zeph::CTextTexture* ZephTextTexture; // the main text object
extern Zeph::CFilePack* ZephFilePack;
extern Zeph::CKeyInput* ZephKeyInput;
extern Zeph::CMidi* ZephMidi;
extern Zeph::CSoundStatic* ZephSoundStatic;
// The engine's text-object factory, kept so parts can make text objects of their own.
extern Zeph::CreateTextTextureProc CreateTextTextureProc;

extern Direct3DDevice9* D3DDevice;
extern Zeph::WindowHandle MainWindow;

// Set by the error object through the pointer given to CError::SetFlags.
extern std::uint8_t ErrorFlag;
// Set once every singleton of the game exists.
extern std::uint8_t GameReady;

// The render-state caches shared with the engine: the vertex format last set
// with SetFVF (0xFFFFFFFF = unknown) and the texture last set on stage 0.
extern std::uint32_t CurrentFvf;
extern Direct3DTexture9* CurrentTexture;

// Reports a failure to the error object when it exists.
#define REPORT_ERROR(file, line, code)                                                                                 \
    do {                                                                                                               \
        if (ZephError != nullptr)                                                                                      \
            ZephError->Error((file), (line), (code), nullptr);                                                         \
    } while (0)
