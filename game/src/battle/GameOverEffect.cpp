#include "battle/GameOverEffect.h"

#include <cstring>

#include "battle/BattleEffect.h"
#include "battle/BattleMenu.h"
#include "battle/DrawBattleSortObject.h"
#include "battle/MagicCircle.h"
#include "core/GameConstants.h"
#include "core/Parts.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "field/FieldServices.h"
#include "media/Texture.h"
#include "party/PartyServices.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char* kSource = "GameOverEffect";
constexpr float kPictureDepth = 0.1f;
constexpr std::uint32_t kBlack = 0xFF000000u;

void ReleaseSlots(Direct3DTexture9*& texture, Direct3DSurface9*& surface)
{
    if (surface != nullptr)
        surface->Release();
    if (texture != nullptr)
        texture->Release();
    surface = nullptr;
    texture = nullptr;
}

} // namespace

void CGameOverEffect::InitGameOverEffect()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (int i = 0; i < 4; ++i) {
        const bool right = (i & 1) != 0;
        const bool bottom = (i & 2) != 0;
        quad[i] = {right ? SCREEN_WIDTH - 0.5f : -0.5f,
                   bottom ? SCREEN_HEIGHT - 0.5f : -0.5f,
                   kPictureDepth,
                   1.0f,
                   0xFFFFFFFFu,
                   right ? 1.0f : 0.0f,
                   bottom ? 1.0f : 0.0f};
    }
    fromBattle = 1;
}

void CGameOverEffect::DrawScenePicture(std::uint32_t colour)
{
    if (sceneTexture == nullptr)
        return;
    for (TexturedVertex& vertex : quad)
        vertex.colour = colour;
    D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 0);
    SetCachedTexture(sceneTexture);
    SetCachedFvf(FVF_TEXTURED);
    DrawQuadStrip(quad, sizeof(TexturedVertex));
    D3DDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
}

void CGameOverEffect::ReleaseGameOverTextures()
{
    ReleaseSlots(sceneTexture, sceneSurface);
}

void CGameOverEffect::BeginSceneCapture()
{
    captureFailed = RenderSceneToTexture(sceneTexture, sceneSurface, fromBattle != 0, withResult != 0) ? 0 : 1;
}

// The lists a frame's update would have built, so the capture shows the scene as it stands.
void CGameOverEffect::PrepareScene(bool battle)
{
    if (!battle) {
        TheDrawSortObject->MakeMapSortList();
        return;
    }
    TheDrawBattleSortObject->MakeBattleSortList();
    TheMagicCircle->UpdateMagicCircle();
    TheBattleEffect->PlaceDamagePopups();
    RebuildMemberIndicators();
    TheEnemyGroup->UpdateEnemyMarkers();
}

void CGameOverEffect::RenderCapturedScene(bool battle, bool result)
{
    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
    D3DDevice->BeginScene();
    ResetRenderStateCaches();
    if (battle) {
        TheBattleEffect->DrawBattle(BATTLE_PHASE_ACTION);
        if (result)
            TheBattleMenu->DrawBattleResult();
    } else {
        TheScreenEffect->DrawMapLayers();
    }
    D3DDevice->EndScene();
}

bool CGameOverEffect::RenderSceneToTexture(Direct3DTexture9*& textureSlot, Direct3DSurface9*& surfaceSlot, bool battle,
                                           bool result)
{
    ReleaseSlots(textureSlot, surfaceSlot);
    // The back buffer the device-loss path retakes is the one drawing returns to.
    if (!TheGameData->AcquireBackBuffer())
        return false;
    if (D3DDevice->CreateTexture(static_cast<std::uint32_t>(SCREEN_WIDTH), static_cast<std::uint32_t>(SCREEN_HEIGHT), 1,
                                 D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &textureSlot) < 0) {
        textureSlot = nullptr;
        return false;
    }
    if (textureSlot->GetSurfaceLevel(0, &surfaceSlot) < 0) {
        surfaceSlot = nullptr;
        ReleaseSlots(textureSlot, surfaceSlot);
        return false;
    }
    PrepareScene(battle);
    if (D3DDevice->SetRenderTarget(0, surfaceSlot) < 0) {
        ReleaseSlots(textureSlot, surfaceSlot);
        return false;
    }
    RenderCapturedScene(battle, result);
    // Without the back buffer nothing more can be shown: the failure is
    // reported and the main loop ends the game on it.
    if (D3DDevice->SetRenderTarget(0, BackBufferSurface) < 0) {
        ReleaseSlots(textureSlot, surfaceSlot);
        REPORT_ERROR(kSource, __LINE__, ERROR_RESOURCE_CREATE);
        return false;
    }
    return true;
}
