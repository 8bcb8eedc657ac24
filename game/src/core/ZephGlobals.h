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

// The codes of the engine's error table that the game reports failures with:
// each picks the message the error box shows.
constexpr int ERROR_GENERAL = 0;          // "エラー"
constexpr int ERROR_NO_MEMORY = 1;        // "メモリ確保に失敗しました"
constexpr int ERROR_GRAPHIC_INIT = 3;     // "Graphicの初期化に失敗しました"
constexpr int ERROR_TEXT_INIT = 4;        // "Textの初期化に失敗しました"
constexpr int ERROR_INPUT_INIT = 5;       // "DirectInputの初期化に失敗しました"
constexpr int ERROR_SOUND_INIT = 8;       // "DirectSoundの初期化に失敗しました"
constexpr int ERROR_TEXTURE_LOAD = 10;    // "テクスチャのロードに失敗しました"
constexpr int ERROR_WAVE_LOAD = 12;       // "Waveのロードに失敗しました"
constexpr int ERROR_FILE_READ = 13;       // "ファイル読み込み時のエラー"
constexpr int ERROR_FILE_WRITE = 14;      // "ファイル書き込み時のエラー"
constexpr int ERROR_DRIVER_INTERNAL = 15; // "内部ドライバエラー"
constexpr int ERROR_DEVICE_RESET = 16;    // "デバイスのリセットに失敗しました"
constexpr int ERROR_WINDOW_MODE = 17;     // "ウィンドウモードの切り替えに失敗しました"
constexpr int ERROR_FONT_CHECK = 18;      // "フォントチェックに失敗しました"
constexpr int ERROR_RESOURCE_CREATE = 19; // "リソースの作成に失敗しました"
constexpr int ERROR_MIDI_INIT = 20;       // "Midiの初期化に失敗しました"

// Reports a failure to the error object when it exists.
#define REPORT_ERROR(file, line, code)                                                                                 \
    do {                                                                                                               \
        if (ZephError != nullptr)                                                                                      \
            ZephError->Error((file), (line), (code), nullptr);                                                         \
    } while (0)
