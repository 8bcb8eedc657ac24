#include "InProcessGame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "main/FrameDump.h"
#include "main/GameMain.h"
#include "Keys.h"
#include "main/GameProcess.h"
#include "main/HeadlessRun.h"
#include "main/Initialize.h"
#include "main/MainLoop.h"
#include "core/SceneState.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "party/Character.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Window.h"

namespace e2e {

bool InProcessGame::Start(const GameFolder& folder)
{
    // FluidSynth's sample loader cannot be set up again once taken down:
    // a second game in one process would hang. CTest runs every test alone.
    static bool startedBefore = false;
    if (startedBefore) {
        ADD_FAILURE() << "one game per process: run this test by itself (as CTest does)";
        return false;
    }
    startedBefore = true;
    setenv("VELMORA_HEADLESS", "1", 1);
    for (const char* name : {"VELMORA_INPUT_SCRIPT", "VELMORA_DUMP_FRAMES", "VELMORA_DUMP_DIR", "VELMORA_FRAME_LIMIT"})
        unsetenv(name);
    plat::SetBaseFolder(folder.path());
    // The engine's key object owns the source; it lives until the engine goes down.
    plat::SetInputSourceFactory([this](plat::WindowHandle) {
        auto source = std::make_unique<plat::ScriptedInputSource>();
        keys_ = source.get();
        return std::unique_ptr<plat::InputSource>(std::move(source));
    });
    StartHeadlessRun();
    started_ = true;
    if (!StartGame())
        return false;
    // Every effect goes through the shared pointer; note them on the way.
    engineSounds_ = ZephSoundStatic;
    sounds_ = new NotingSoundStatic(engineSounds_);
    ZephSoundStatic = sounds_;
    return true;
}

InProcessGame::~InProcessGame()
{
    Finish();
}

void InProcessGame::Finish()
{
    if (!started_)
        return;
    started_ = false;
    if (sounds_ != nullptr) {
        ZephSoundStatic = engineSounds_;
        delete sounds_;
        sounds_ = nullptr;
    }
    ExitPath();
    FinishProcess(kExitClean);
    keys_ = nullptr;
    plat::SetInputSourceFactory(nullptr);
}

bool InProcessGame::Frame()
{
    if (closed_)
        return false;
    if (!PumpWindowMessages()) {
        closed_ = true;
        return false;
    }
    // The virtual clock moves one frame interval, so the frame is due.
    plat::SleepMs(FrameIntervalTable[0]);
    CurrentTime = plat::NowMs();
    const DueFrame ran = RunDueFrame();
    if (ran == DueFrame::End) {
        closed_ = true;
        return false;
    }
    // A skipped frame (inactive, device lost) dumps nothing and is not counted.
    if (ran == DueFrame::Ran)
        ++frame_;
    if (ErrorFlag)
        closed_ = true;
    return !closed_;
}

void InProcessGame::Frames(int count)
{
    for (int i = 0; i < count && Frame(); ++i) {
    }
}

} // namespace e2e

namespace e2e {

void InProcessGame::Press(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), true);
    keys_->Key(keys_->Frame() + 2, static_cast<std::uint8_t>(key), false);
}

bool InProcessGame::LoadFirstSlot()
{
    if (FramesUntil([] { return SceneState == SCENE_TITLE && TitleState == TITLE_MENU; }) < 0)
        return false;
    for (int press = 0; press < 3; ++press) {
        Press(kKeyConfirm);
        Frames(5);
    }
    return FramesUntil([] { return SceneState == SCENE_FIELD; }, 300) >= 0;
}

bool InProcessGame::ConfirmMessages(int limit)
{
    for (int run = 0; run < limit; ++run) {
        if (SceneState == SCENE_FIELD && MapSceneState == MAP_SCENE_WALK)
            return true;
        if (TheEvent->phase == 1 && MapSceneState == MAP_SCENE_EVENT)
            Press(kKeyConfirm);
        if (!Frame() || !Frame())
            return false;
    }
    return false;
}

bool InProcessGame::StartNewGame(const GameFolder& folder)
{
    if (!Start(folder) || FramesUntil([] { return SceneState == SCENE_TITLE && TitleState == TITLE_MENU; }) < 0)
        return false;
    Press(kKeyConfirm);
    return FramesUntil([] { return SceneState == SCENE_FIELD; }) > 0;
}

namespace {

// The key that walks the leader towards the nearest enemy still standing
// (0: close enough to strike), and whether one is within reach.
int TowardsNearestEnemy(bool& inReach)
{
    const BattleMember& leader = TheCharacter->members[TheCharacter->Leader()];
    float dx = 0.0f, dy = 0.0f, nearest = 1e9f;
    for (int slot = 0; slot < TheEnemyGroup->EnemyCount(); ++slot) {
        const EnemyRecord& enemy = TheEnemyGroup->Records[slot];
        if (enemy.State == ENEMY_DEFEATED)
            continue;
        const float ex = enemy.CenterX - (leader.x + 16.0f);
        const float ey = enemy.CenterY - (leader.y + 16.0f);
        if (std::fabs(ex) + std::fabs(ey) < nearest) {
            nearest = std::fabs(ex) + std::fabs(ey);
            dx = ex;
            dy = ey;
        }
    }
    inReach = nearest < 80.0f;
    if (std::fabs(dy) > 12.0f)
        return dy < 0.0f ? kKeyUp : kKeyDown;
    if (std::fabs(dx) > 40.0f)
        return dx < 0.0f ? kKeyLeft : kKeyRight;
    return 0;
}

} // namespace

bool InProcessGame::FightUntilTheBattleEnds(int limit, const std::function<void()>& beforeEachFrame)
{
    constexpr int kBlowEvery = 8;
    int held = 0;
    for (int run = 0; run < limit; ++run) {
        const int phase = TheCharacter->GetBattlePhase();
        if (SceneState == SCENE_BATTLE && (phase == BATTLE_PHASE_VICTORY || phase == BATTLE_PHASE_DEFEAT))
            break;
        bool inReach = false;
        const int key = SceneState == SCENE_BATTLE ? TowardsNearestEnemy(inReach) : 0;
        if (key != held) {
            if (held != 0)
                LetGo(held);
            if (key != 0)
                Hold(key);
            held = key;
        }
        if (inReach && frame_ % kBlowEvery == 0)
            Press(kKeyConfirm);
        if (beforeEachFrame)
            beforeEachFrame();
        if (!Frame())
            return false;
    }
    if (held != 0)
        LetGo(held);
    return SceneState == SCENE_BATTLE && TheCharacter->GetBattlePhase() == BATTLE_PHASE_VICTORY;
}

void InProcessGame::Hold(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), true);
}

void InProcessGame::LetGo(int key)
{
    keys_->Key(keys_->Frame() + 1, static_cast<std::uint8_t>(key), false);
}

bool InProcessGame::Dump(const std::string& name) const
{
    const std::filesystem::path folder = E2E_PICTURE_DIR;
    std::filesystem::create_directories(folder);
    return DumpPresentedFrame(D3DDevice, folder / (name + ".png"));
}

} // namespace e2e
