// A battle without the rest of the game: each frame runs the battle's own
// phase updates (CBattleEffect: the party, the shots, the enemies, the
// circles, the effects and the contact passes in the game's order), with
// the real parts of the battle behind them; only the command menu closes
// again at once. Input comes from a script in the headless mode's
// VELMORA_INPUT_SCRIPT format through the engine's real input object with the
// game's default keys; pictures are drawn on the real software device with
// the sample pack's textures and can be written as PNG files.
//
// The harness adds hits on members and on enemies at scripted frames (a
// defeat or damage through the enemies' own routines) after the frame's
// update, and draws enemies a test places in the group as plain boxes.
#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "EngineState.h"
#include "FilePackDerived.h"
#include "GameWorld.h"
#include "fakes/FakeEngine.h"
#include "fakes/RecordingPlayBGM.h"
#include "KeyInputDerived.h"
#include "battle/BattleBackground.h"
#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/BattleServices.h"
#include "battle/BattleTouch.h"
#include "battle/MagicCircle.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyShot.h"
#include "main/FrameDump.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "media/PlaySE.h"
#include "battle/BattleEnd.h"
#include "battle/DrawBattleSortObject.h"
#include "battle/GameOverEffect.h"
#include "core/SceneState.h"
#include "party/BattleOutcome.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MemberActions.h"
#include "party/MemberAttacks.h"
#include "party/MemberIndicators.h"
#include "party/PartyBattle.h"
#include "party/StatusEffects.h"
#include "platform/ScriptedInputSource.h"
#include "platform/SoftwareDevice.h"
#include "record/Config.h"
#include "record/Pipkorn.h"

namespace battleharness {

// What the party does to an enemy at a frame.
enum class EnemyHitKind { Flinch, Knockback, Defeat, Damage };
struct ScriptedEnemyHit {
    int frame;
    int slot;
    EnemyHitKind kind;
    int direction; // the hitting member for a defeat or damage
    int strength;  // the damage for a damage hit
};

// A hit an enemy lands on a member at a frame.
struct ScriptedHit {
    int frame;
    int member;
    int damage;
    int knockSide;
    int knockRow;
};

class BattleHarness {
public:
    static constexpr int kOpeningFrames = 100;

    // False (with `error`) when the script or the device cannot be had.
    bool Start(const std::string& inputScript, std::string& error)
    {
        std::istringstream script(inputScript);
        auto source = plat::ScriptedInputSource::Parse(script, error);
        if (source == nullptr)
            return false;
        plat::SetInputSourceFactory(
            [&source](SDL_Window*) { return std::unique_ptr<plat::InputSource>(std::move(source)); });
        const bool keysReady = keys_.Init(nullptr, true, false, 11, DefaultKeys().data(), DefaultButtons().data()) >= 0;
        plat::SetInputSourceFactory(nullptr);
        if (!keysReady) {
            error = "the input object refused the default keys";
            return false;
        }
        D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
        parameters.Windowed = true;
        if (plat::CreateSoftwareDevice(parameters, &device_) != D3D_OK) {
            error = "no software device";
            return false;
        }
        engine::State().sharedDevice = device_;
        pack_ = new CFilePackDerived();
        if (!pack_->Init(1) || !pack_->OpenPack(VELMORA_RUN_DIR "/Data/Pack.dat", 0)) {
            error = "the sample pack cannot be opened";
            return false;
        }
        D3DDevice = device_;
        ZephFilePack = pack_;
        ZephKeyInput = &keys_;
        ZephSoundStatic = &sounds;
        ThePlaySE = &player_;
        TheCharacter = &party;
        TheBattleBackground = &panel_;
        TheBattleMenu = &menu_;
        TheBattleEffect = &effect_;
        TheMagicCircle = &circles_;
        TheGameOverEffect = &gameOver_;
        // The game over's choice and the result window use the field menu's
        // keys and the battle frames; the music is noted.
        TheMapMenu = &mapMenu_;
        TheFixedWindowSet = &windows_;
        windows_.InitFixedWindow();
        ThePlayBGM = &music;
        TheBattleEnd = &battleEnd_;
        TheDrawBattleSortObject = &sortList_;
        sortList_.InitDrawBattleSortObject();
        TheBattleTouch = &touch_;
        TheEnemyGroup = &enemies;
        TheEnemyShotList = &enemyShots;
        TheCharaShot = &shots;
        TheGameData = &data_;
        world_.Keep(CreateTextTextureProc, &CreateTextTexture);
        effect_.InitBattleEffect();
        circles_.InitMagicCircle();
        party.InitCharacter();
        shots.InitCharaShot();
        enemies.InitEnemy();
        enemies.SetEnemyCount(0);
        enemyShots.InitEnemyShot();
        return true;
    }

    // The popups, sparkles and circles are drawn only when asked for, so the
    // runs that look at the actors alone keep their pictures.
    void ShowEffects() { effectsShown_ = true; }
    CBattleEffect& Effects() { return effect_; }
    CMagicCircle& Circles() { return circles_; }

    ~BattleHarness()
    {
        // The textures go back to the pack before the pack and the device go;
        // the world then puts every global back.
        gameOver_.ReleaseGameOverTextures();
        data_.ReleaseBackBuffer(); // taken by a game over's capture
        circles_.ReleaseMagicCircle();
        effect_.ReleaseBattleEffect();
        enemyShots.ReleaseEnemyShot();
        enemies.ReleaseEnemy();
        shots.ReleaseCharaShot();
        party.ReleaseCharacter();
        if (pack_ != nullptr)
            pack_->Release();
        engine::State().sharedDevice = nullptr;
        if (device_ != nullptr)
            device_->Release();
    }

    // A battle from its first opening frame, as the encounter starts it.
    void BeginBattle(int kind)
    {
        SceneState = SCENE_BATTLE;
        SetupPartyForBattle(kind, true, false, false);
        enemies.openingAlpha = 255;
        enemies.OpeningFrames = 0;
    }

    void HitAt(const ScriptedHit& hit) { hits_.push_back(hit); }
    CBattleTouch& Touch() { return touch_; }
    void HitEnemyAt(const ScriptedEnemyHit& hit) { enemyHits_.push_back(hit); }
    // The win wait has handed the battle over to its end.
    bool HandedOver() const { return handedOver_; }

    // One frame: input, then the battle's update of the phase, as the
    // game's scene update runs it while the battle is the scene.
    void Frame()
    {
        keys_.Update();
        player_.CountPlaySEFrame();
        if (SceneState == SCENE_BATTLE) {
            switch (party.GetBattlePhase()) {
            case BATTLE_PHASE_OPENING:
                effect_.UpdateBattleOpening();
                break;
            case BATTLE_PHASE_ACTION:
                effect_.UpdateBattleAction();
                ScriptedHits();
                break;
            case BATTLE_PHASE_MENU:
                party.SetBattlePhase(BATTLE_PHASE_ACTION);
                break; // the menu closes at once
            case BATTLE_PHASE_DEFEAT:
                effect_.UpdateBattleDefeat();
                break;
            case BATTLE_PHASE_VICTORY:
                effect_.UpdateBattleVictory();
                handedOver_ = SceneState != SCENE_BATTLE;
                break;
            default:
                break;
            }
        }
        ++frame_;
    }

    int FrameNumber() const { return frame_; }

    // Draws the battle field and the members back to front, presents, and
    // writes the picture when a file is given.
    bool Draw(const std::filesystem::path& file = {})
    {
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030u, 1.0f, 0);
        device_->BeginScene();
        device_->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        ResetRenderStateCaches();
        if (SceneState == SCENE_GAME_OVER) {
            DrawPartyGameOver(); // the game-over screen's corner
        } else {
            DrawField();
            if (effectsShown_)
                circles_.DrawMagicCircles();
            enemyShots.DrawEnemyWhirls();
            DrawEnemies();
            DrawActors();
            if (effectsShown_)
                effect_.DrawBattleEffect();
            DrawPartyMagicSprite();
            for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
                DrawPartyBattleOverlay(m);
                DrawMemberEffects(m);
            }
            DrawMemberBattleSprite();
            DrawPartyOverlayIfFlagged();
        }
        device_->EndScene();
        device_->Present();
        if (file.empty())
            return true;
        std::filesystem::create_directories(file.parent_path());
        return DumpPresentedFrame(device_, file);
    }

    CCharacter party{};
    CEnemyGroup enemies{};
    CEnemyShotList enemyShots;
    CCharaShot shots{};
    fakes::CallLog soundLog;
    fakes::RecordingSoundStatic sounds{soundLog};
    fakes::RecordingPlayBGM music;

private:
    static std::vector<std::uint8_t> DefaultKeys()
    {
        std::vector<std::uint8_t> keys(16);
        for (int slot = 0; slot < 11; ++slot)
            keys[static_cast<std::size_t>(slot)] = static_cast<std::uint8_t>(DefaultKeyTable[slot]);
        keys[11] = 2;
        for (int direction = 0; direction < 4; ++direction)
            keys[static_cast<std::size_t>(12 + direction)] = static_cast<std::uint8_t>(DefaultKeyTable[11 + direction]);
        return keys;
    }

    static std::vector<std::uint8_t> DefaultButtons()
    {
        std::vector<std::uint8_t> buttons(12);
        for (int b = 0; b < 12; ++b)
            buttons[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
        return buttons;
    }

    void ScriptedHits()
    {
        for (const ScriptedHit& hit : hits_)
            if (hit.frame == frame_ && !party.IsKnockedOut(hit.member))
                DamagePartyMember(hit.damage, hit.member, 0, NO_ATTACK_KIND, hit.knockSide, hit.knockRow);
        for (const ScriptedEnemyHit& hit : enemyHits_)
            if (hit.frame == frame_)
                HitEnemy(hit);
    }

    void HitEnemy(const ScriptedEnemyHit& hit)
    {
        switch (hit.kind) {
        case EnemyHitKind::Flinch:
            enemies.StartEnemyFlinch(hit.slot);
            break;
        case EnemyHitKind::Knockback:
            enemies.StartEnemyKnockback(hit.slot, 0, 0, hit.direction, hit.strength);
            break;
        case EnemyHitKind::Defeat:
            Defeat(hit.slot, hit.direction);
            break;
        case EnemyHitKind::Damage:
            // As a member's blow lands: the enemy remembers it, then takes the damage.
            enemies.RecordEnemyHitMemory(hit.slot, hit.direction, static_cast<std::uint32_t>(hit.strength));
            enemies.DamageEnemy(hit.slot, hit.strength, 0, 0, hit.direction);
            break;
        }
    }

    // The enemy's own defeat routine, with the hitting member as the cause.
    void Defeat(int slot, int member) { enemies.DefeatEnemy(slot, member); }

    // Members and shots back to front by their foot lines; member 0's blow
    // is drawn with member 0.
    void DrawActors()
    {
        struct Actor {
            float foot;
            int member;
            CharaShotNode* shot;
            int enemy = -1;
            const EnemyShotNode* enemyShot = nullptr;
        };
        std::vector<Actor> actors;
        for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
            actors.push_back({party.members[m].y + 32.0f, m, nullptr});
        shots.attachedShot = nullptr;
        shots.attachedVisible = 0;
        for (CharaShotNode* node = shots.head; node != nullptr; node = node->next) {
            if (node->Kind() == SHOT_ATTACHED && shots.attachedShot == nullptr) {
                shots.attachedShot = node;
                shots.attachedVisible = 1;
            } else if (node->Kind() != SHOT_ATTACHED && ShotInView::IsSet(node->shotBits) && node->age >= 1) {
                actors.push_back({node->y + node->height, -1, node});
            }
        }
        for (int slot = 0; slot < enemies.EnemyCount(); ++slot)
            if (enemies.KindDefs[slot] != nullptr)
                actors.push_back({enemies.Records[slot].PosY + enemies.Records[slot].Height, -1, nullptr, slot});
        for (const EnemyShotNode* node = enemyShots.ShotHead; node != nullptr; node = node->Next)
            if (eshot::Visible::IsSet(node->BitsA))
                actors.push_back({node->Y + ENEMY_SHOT_SIZE, -1, nullptr, -1, node});
        std::stable_sort(actors.begin(), actors.end(), [](const Actor& a, const Actor& b) { return a.foot < b.foot; });
        for (const Actor& actor : actors) {
            const float z = 0.6f - actor.foot / 3840.0f;
            if (actor.shot != nullptr)
                shots.DrawCharaShot(actor.shot, z);
            else if (actor.enemy >= 0)
                enemies.DrawEnemyObject(actor.enemy, z);
            else if (actor.enemyShot != nullptr)
                enemyShots.DrawEnemyShotSprite(actor.enemyShot, z);
            else
                DrawPartyBattle(actor.member, z);
        }
        enemies.DrawEnemyMarkers();
        enemies.DrawEnemyNames();
    }

    // The field below the status strip, in a plain colour.
    void DrawField()
    {
        ColouredVertex field[4];
        for (int i = 0; i < 4; ++i)
            field[i] = {(i & 1) != 0 ? 639.5f : -0.5f, (i & 2) != 0 ? 479.5f : 79.5f, 0.9f, 1.0f, 0xFF305828u};
        SetCachedTexture(nullptr);
        SetCachedFvf(FVF_COLOURED);
        DrawQuadStrip(field, sizeof(ColouredVertex));
    }

    // Enemies placed in the group (by a test's fake group) as plain boxes,
    // fading with their alpha; the defeated are not drawn.
    void DrawEnemies()
    {
        constexpr std::uint32_t kDefeated = 1u << 27;
        for (int slot = 0; slot < enemies.EnemyCount(); ++slot) {
            const EnemyRecord& enemy = enemies.Records[slot];
            if ((enemy.FlagsA & kDefeated) != 0)
                continue;
            const auto alpha = static_cast<std::uint32_t>(std::clamp<int>(enemy.Alpha, 0, 255));
            ColouredVertex box[4];
            for (int i = 0; i < 4; ++i)
                box[i] = {enemy.PosX + ((i & 1) != 0 ? enemy.Width : 0.0f) - 0.5f,
                          enemy.PosY + ((i & 2) != 0 ? enemy.Height : 0.0f) - 0.5f, 0.8f, 1.0f,
                          (alpha << 24) | 0x00C03030u};
            SetCachedTexture(nullptr);
            SetCachedFvf(FVF_COLOURED);
            DrawQuadStrip(box, sizeof(ColouredVertex));
        }
    }

    Direct3DDevice9* device_ = nullptr;
    CFilePackDerived* pack_ = nullptr; // deletes itself on release
    CKeyInputDerived keys_;
    CPlaySE player_;
    CBattleBackground panel_{};
    CBattleMenu menu_{};
    CBattleEffect effect_{};
    CMagicCircle circles_{};
    CGameOverEffect gameOver_{};
    CMapMenu mapMenu_{};
    CFixedWindowSet windows_{};
    CBattleEnd battleEnd_{};
    CDrawBattleSortObject sortList_{};
    CBattleTouch touch_{};
    GameData data_;
    std::vector<ScriptedHit> hits_;
    std::vector<ScriptedEnemyHit> enemyHits_;
    int frame_ = 0;
    bool handedOver_ = false;
    bool effectsShown_ = false;
    testsupport::GameWorld world_;
};

} // namespace battleharness
