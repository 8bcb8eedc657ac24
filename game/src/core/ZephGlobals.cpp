#include "core/ZephGlobals.h"

Zeph::CError* ZephError = nullptr;
Zeph::CGraphic* ZephGraphic = nullptr;
Zeph::CTextTexture* ZephTextTexture = nullptr;
Zeph::CFilePack* ZephFilePack = nullptr;
Zeph::CKeyInput* ZephKeyInput = nullptr;
Zeph::CMidi* ZephMidi = nullptr;
Zeph::CSoundStatic* ZephSoundStatic = nullptr;
Zeph::CreateTextTextureProc CreateTextTextureProc = nullptr;

Direct3DDevice9* D3DDevice = nullptr;
Zeph::WindowHandle MainWindow = nullptr;

std::uint8_t ErrorFlag = 0;
std::uint8_t GameReady = 0;

std::uint32_t CurrentFvf = 0xFFFFFFFFu;
Direct3DTexture9* CurrentTexture = nullptr;
