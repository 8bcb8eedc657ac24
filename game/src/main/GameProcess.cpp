#include "main/GameProcess.h"

#include "main/SingleInstance.h"

#include <filesystem>
#include <new>

#include "record/Config.h"
#include "record/Pipkorn.h"
#include "main/GameMain.h"
#include "main/HeadlessRun.h"
#include "main/Initialize.h"
#include "main/MainLoop.h"
#include "media/PlayBGM.h"
#include "media/PlaySE.h"
#include "core/ZephGlobals.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

namespace {

constexpr const char* kSource = "WinMain.cpp";

template <typename T> T* CreateSingleton(int line)
{
    T* made = new (std::nothrow) T();
    if (made == nullptr) {
        REPORT_ERROR(kSource, line, ERROR_NO_MEMORY);
        throw 0;
    }
    return made;
}

void CreateSingletons()
{
    TheGameData = CreateSingleton<GameData>(151);
    ThePlayBGM = CreateSingleton<CPlayMidi>(162);
    ThePlaySE = CreateSingleton<CPlaySE>(168);
    if (CreateGameMain() == nullptr) {
        REPORT_ERROR(kSource, 175, ERROR_NO_MEMORY);
        throw 0;
    }
    // An error reported while the game object was built ends the game here.
    if (ErrorFlag)
        throw 0;
}

void DeleteSingletons()
{
    DeleteGameMain(TheGameMain);
    TheGameMain = nullptr;
    delete ThePlaySE;
    ThePlaySE = nullptr;
    delete ThePlayBGM;
    ThePlayBGM = nullptr;
    delete TheGameData;
    TheGameData = nullptr;
}

} // namespace

void ExitPath()
{
    if (ZephError != nullptr && ErrorFlag) {
        ZephError->ShowError();
    } else if (GameReady && !ErrorFlag) {
        CurrentTime = plat::NowMs();
        ZephMidi->FadeOut(500);
        ZephSoundStatic->FadeOutAll();
        WaitForClosingFades();
    }
    GameReady = 0;
    DeleteSingletons();
}

bool StartGame()
{
    try {
        if (!Initializer.InitializeGame())
            return false;
        CreateSingletons();
    } catch (...) {
        return false;
    }
    GameReady = 1;
    PlayTimeClock = plat::NowMs();
    return true;
}

int RunGameToExit()
{
    StartHeadlessRun();
    // Finding another copy running is the one start-up that ends without a fault.
    if (!StartGame())
        return AnotherCopyHoldsTheLock() ? kExitClean : kExitFailure;
    const int status = RunMainLoop();
    return ErrorFlag ? kExitFailure : status;
}

int FinishProcess(int status)
{
    // The error object cleared the previous run's log when it was made, so
    // a log there now was written in this run.
    const bool logIsThisRuns = ZephError != nullptr;
    // The settings go back to their file only after a complete start-up,
    // then the engine goes down.
    GameConfig.SaveConfigAtExit();
    std::error_code ignored;
    if (logIsThisRuns && std::filesystem::exists(plat::ResolvePath("Error.log"), ignored))
        status = kExitFailure;
    Initializer.ShutdownGame();
    return status;
}
