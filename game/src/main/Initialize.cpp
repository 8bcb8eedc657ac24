#include "main/Initialize.h"

#include <cstdio>

#include "record/Config.h"
#include "main/GameMain.h"
#include "record/KeyNames.h"
#include "core/Random.h"
#include "main/SingleInstance.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "core/GameConstants.h"

CInitialize Initializer;
std::uint32_t CurrentTime = 0;
std::uint8_t CursorVisible = 1;

namespace {

constexpr const char* kSource = "Initialize.cpp";
constexpr int kScreenWidth = static_cast<int>(SCREEN_WIDTH);
constexpr int kScreenHeight = static_cast<int>(SCREEN_HEIGHT);

void Report(int line, int code)
{
    REPORT_ERROR(kSource, line, code);
}

// A start-up step that shows no message box still leaves a trace: a line on
// standard error and the log, in the error object's three-line form (the
// error flag stays clear, so no box follows).
bool FailQuietly(int line, const char* what)
{
    std::fprintf(stderr, "Velmora: start-up failed: %s\n", what);
    if (std::FILE* log = std::fopen(plat::ResolvePath("Error.log").c_str(), "wb")) {
        std::fprintf(log, "File : %s\r\nLine : %d\r\n%s\r\n", kSource, line, what);
        std::fclose(log);
    }
    return false;
}

void HideCursor()
{
    if (CursorVisible) {
        CursorVisible = 0;
        plat::ShowCursor(false);
    }
}

plat::ScreenRect DisplayBounds(int display)
{
    return plat::DisplayBounds(display).value_or(plat::ScreenRect{0, 0, kScreenWidth, kScreenHeight});
}

// True when the point lies on one of the displays.
bool IsOnAnyDisplay(int x, int y)
{
    const int displays = plat::DisplayCount();
    for (int d = 0; d < displays; ++d) {
        const plat::ScreenRect bounds = DisplayBounds(d);
        if (x >= bounds.x && x < bounds.x + bounds.w && y >= bounds.y && y < bounds.y + bounds.h)
            return true;
    }
    return false;
}

// Engine objects are freed only through their Release, inside the library.
template <typename T> void ReleaseEngineObject(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

CInitialize::~CInitialize()
{
    ShutdownGame();
}

template <typename Proc> Proc CInitialize::Bind(const char* name)
{
    return EngineModule.BindAs<Proc>(name);
}

bool CInitialize::OpenMainWindow()
{
    // The window's outer size and position are kept in the settings; the
    // window system places and sizes the client area, so the frame is
    // measured afterwards.
    const bool windowed = GameConfig.Window != 0;
    if (!GameConfig.WindowPosValid) {
        const plat::ScreenRect screen = DisplayBounds(0);
        GameConfig.XPos = screen.w / 2 - kScreenWidth / 2;
        GameConfig.YPos = screen.h / 2 - kScreenHeight / 2;
    } else if (!IsOnAnyDisplay(GameConfig.XPos, GameConfig.YPos)) {
        // A position kept from a display that is gone: pull the window back.
        const plat::ScreenRect screen = DisplayBounds(0);
        GameConfig.XPos = screen.x + (screen.w - kScreenWidth) / 2;
        GameConfig.YPos = screen.y + (screen.h - kScreenHeight) / 2;
    }
    MainWindow = plat::OpenWindow(kWindowTitle, kScreenWidth, kScreenHeight,
                                  {GameConfig.XPos, GameConfig.YPos, !windowed, /*hidden*/ true});
    if (MainWindow == nullptr)
        return false;
    const plat::WindowBorders frame = plat::BordersOf(MainWindow);
    WindowRect = {-frame.left, -frame.top, kScreenWidth + frame.right, kScreenHeight + frame.bottom};
    if (windowed)
        plat::SetWindowPosition(MainWindow, GameConfig.XPos - WindowRect.left, GameConfig.YPos - WindowRect.top);
    plat::ShowWindow(MainWindow);
    return true;
}

bool CInitialize::InitializeGame()
{
    // One copy of the game only.
    if (!AcquireSingleInstanceLock()) {
        // Another copy runs in this folder: its log is not ours to touch.
        std::fprintf(stderr, "Velmora: another copy of the game is already running\n");
        return false;
    }
    if (!plat::StartWindowSystem())
        return FailQuietly(__LINE__, plat::WindowSystemError());
    // No input method editor: keys reach the game as keys.
    plat::StopTextInput();

    // The engine library.
    if (!EngineModule.Open(kEngineLibraryPath))
        return FailQuietly(__LINE__, EngineModule.LastError().c_str());

    // The error object; reports are possible from here on.
    auto createError = Bind<Zeph::CreateErrorProc>("CreateError");
    if (createError == nullptr || (ZephError = createError()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its error object");
    ZephError->SetFlags(&ErrorFlag, &GameConfig.ShowWarn);

    // Settings, or their defaults.
    if (!GameConfig.LoadGameConfig())
        GameConfig.ResetGameConfig();

    // 6-13. The window, centred unless a position is kept; the cursor starts hidden.
    if (!OpenMainWindow())
        return FailQuietly(__LINE__, plat::WindowSystemError());
    SaveWindowPosition();
    HideCursor();
    // The accelerators are built into the window-event handling.

    auto setAppData = Bind<Zeph::SetZephAppDataProc>("SetZephAppData");
    if (setAppData == nullptr)
        return FailQuietly(__LINE__, "the engine lacks SetZephAppData");
    setAppData(MainWindow, &CurrentTime, &CurrentFvf, &CurrentTexture);

    // Graphics.
    auto createGraphic = Bind<Zeph::CreateGraphicProc>("CreateGraphic");
    if (createGraphic == nullptr || (ZephGraphic = createGraphic()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its graphics object");
    if (ZephGraphic->Init(GameConfig.Window, kScreenWidth, kScreenHeight, true, 0, false) < 0) {
        Report(244, ERROR_GRAPHIC_INIT);
        return false;
    }
    ZephGraphic->GetDevice(&D3DDevice, nullptr);

    // 17-20. The main text object and the glyphs it always needs.
    CreateTextTextureProc = Bind<Zeph::CreateTextTextureProc>("CreateTextTexture");
    if (CreateTextTextureProc == nullptr)
        return FailQuietly(__LINE__, "the engine lacks CreateTextTexture");
    ZephTextTexture = CreateTextTextureProc();
    if (ZephTextTexture == nullptr) {
        Report(260, ERROR_NO_MEMORY);
        return false;
    }
    if (!ZephTextTexture->Init(22, 0, "ＭＳ ゴシック", 6, 0xFFFFFFFFu, 0, 0, 5, 0.65f, 0, 0, 0, 2, 0xFF000000u, false,
                               22, 12, 1, 0.5f, true)) {
        Report(270, ERROR_TEXT_INIT);
        return false;
    }
    if (!ZephTextTexture->PrepareCharSets(0x19)) {
        Report(276, ERROR_TEXTURE_LOAD);
        return false;
    }
    if (!ZephTextTexture->PrepareString(u"道具魔法装備特技情報設定移動記録")) {
        Report(281, ERROR_TEXTURE_LOAD);
        return false;
    }

    // The resource pack.
    auto createFilePack = Bind<Zeph::CreateFilePackProc>("CreateFilePack");
    if (createFilePack == nullptr || (ZephFilePack = createFilePack()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its pack reader");
    if (!ZephFilePack->Init(1)) {
        Report(314, ERROR_NO_MEMORY);
        return false;
    }
    if (!ZephFilePack->OpenPack("Data/Pack.dat", 0)) {
        Report(323, ERROR_FILE_READ);
        return false;
    }

    // The data tables.
    if (!LoadGameData())
        return ErrorFlag ? false : FailQuietly(__LINE__, "the data tables of Data/Pack.dat cannot be read");

    // 23-24. Input: eleven buttons, a twelfth on the "1" key, and the directions.
    auto createKeyInput = Bind<Zeph::CreateKeyInputProc>("CreateKeyInput");
    if (createKeyInput == nullptr || (ZephKeyInput = createKeyInput()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its input object");
    std::uint8_t keys[16];
    std::uint8_t buttons[12];
    for (int slot = 0; slot < 11; ++slot) {
        keys[slot] = static_cast<std::uint8_t>(GameConfig.Key[slot]);
        buttons[slot] = static_cast<std::uint8_t>(GameConfig.Joy[slot]);
    }
    keys[11] = 2;
    buttons[11] = 11;
    for (int direction = 0; direction < 4; ++direction)
        keys[12 + direction] = static_cast<std::uint8_t>(GameConfig.Key[11 + direction]);
    if (ZephKeyInput->Init(nullptr, GameConfig.Keyboard != 0, GameConfig.Joystick != 0, 11, keys, buttons) < 0) {
        Report(358, ERROR_INPUT_INIT);
        return false;
    }
    InitKeyNames();

    // 25-26. Music and sound effects.
    auto createMidi = Bind<Zeph::CreateMidiProc>("CreateMidi");
    if (createMidi == nullptr || (ZephMidi = createMidi()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its music object");
    if (!ZephMidi->Init(2, false)) {
        Report(386, ERROR_MIDI_INIT);
        return false;
    }
    auto createSoundStatic = Bind<Zeph::CreateSoundStaticProc>("CreateSoundStatic");
    if (createSoundStatic == nullptr || (ZephSoundStatic = createSoundStatic()) == nullptr)
        return FailQuietly(__LINE__, "the engine cannot make its sound object");
    if (ZephSoundStatic->Init(36, 0, 150, true) < 0) {
        Report(400, ERROR_SOUND_INIT);
        return false;
    }

    SeedGameRandom(plat::NowMs());
    GameConfig.SaveOnExit = 1;
    Started = 1;
    return true;
}

void CInitialize::ShutdownGame()
{
    Started = 0;
    FreeGameData();
    ReleaseEngineObject(ZephSoundStatic);
    ReleaseEngineObject(ZephMidi);
    ReleaseEngineObject(ZephKeyInput);
    ReleaseEngineObject(ZephFilePack);
    ReleaseEngineObject(ZephTextTexture);
    if (ZephGraphic != nullptr)
        D3DDevice = nullptr;
    ReleaseEngineObject(ZephGraphic);
    ReleaseEngineObject(ZephError);
    EngineModule.Close();
    plat::CloseWindow(MainWindow);
    MainWindow = nullptr;
    ReleaseSingleInstanceLock();
}

bool CInitialize::EnterWindowMode(std::int32_t window)
{
    GameConfig.Window = window;
    if (window == 0) {
        HideCursor();
        return plat::SetFullScreen(MainWindow, true) && ResetDevice();
    }
    if (!ResetDevice() || !plat::SetFullScreen(MainWindow, false))
        return false;
    ClampWindowToWorkArea();
    plat::SetWindowPosition(MainWindow, ClientOriginX, ClientOriginY);
    return true;
}

bool CInitialize::ToggleWindowMode()
{
    const std::int32_t previous = GameConfig.Window;
    if (EnterWindowMode(previous != 0 ? 0 : 1))
        return true;
    // Go back to the mode that worked, so the settings never keep a mode
    // the game could not enter.
    EnterWindowMode(previous);
    return false;
}

bool CInitialize::ResetDevice()
{
    if (TheGameMain == nullptr)
        return false;
    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000u, 1.0f, 0);
    TheGameMain->ReleaseDeviceResources();
    TheGameMain->OnLostDevice();
    if (ZephGraphic->ChangeScreenMode(GameConfig.Window) < 0) {
        Report(500, ERROR_DEVICE_RESET);
        return false;
    }
    TheGameMain->OnResetDevice();
    if (!TheGameMain->RestoreDeviceResources()) {
        Report(508, ERROR_RESOURCE_CREATE);
        return false;
    }
    return true;
}

void CInitialize::SaveWindowPosition()
{
    if (MainWindow == nullptr)
        return;
    // Only a window in its normal state keeps its position.
    const plat::WindowState state = plat::StateOf(MainWindow);
    if (state.minimized || state.maximized || state.fullScreen)
        return;
    const plat::ScreenPoint client = plat::WindowPosition(MainWindow);
    ClientOriginX = client.x;
    ClientOriginY = client.y;
    GameConfig.XPos = client.x + WindowRect.left;
    GameConfig.YPos = client.y + WindowRect.top;
}

void CInitialize::ClampWindowToWorkArea()
{
    const int display = plat::DisplayOf(MainWindow);
    const plat::ScreenRect area =
        plat::UsableDisplayBounds(display < 0 ? 0 : display).value_or(plat::ScreenRect{0, 0, 0x7FFFFFFF, 0x7FFFFFFF});
    const long long right = static_cast<long long>(area.x) + area.w;
    const long long bottom = static_cast<long long>(area.y) + area.h;
    if (ClientOriginX < area.x)
        ClientOriginX = area.x;
    else if (ClientOriginX > right - kScreenWidth)
        ClientOriginX = static_cast<std::int32_t>(right - kScreenWidth);
    if (ClientOriginY < area.y)
        ClientOriginY = area.y;
    else if (ClientOriginY > bottom - kScreenHeight)
        ClientOriginY = static_cast<std::int32_t>(bottom - kScreenHeight);
    GameConfig.XPos = ClientOriginX + WindowRect.left;
    GameConfig.YPos = ClientOriginY + WindowRect.top;
}
