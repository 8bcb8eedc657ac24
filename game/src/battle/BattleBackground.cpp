#include "battle/BattleBackground.h"

#include <cstring>
#include <new>

#include "core/GameConstants.h"
#include "core/PackCatalogue.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

Zeph::CTextTexture* BattleTextTexture = nullptr;
Zeph::CTextTexture* BattleLargeTextTexture = nullptr;

namespace {

constexpr const char* kSource = "BattleBackground";
constexpr int kDigitCharSet = 1;
constexpr const char* kFace = "ＭＳゴシック";
constexpr float kBackdropDepth = 0.9f;
constexpr float kStripDepth = 0.15f;
constexpr float kMarkDepth = 0.125f;
constexpr float kMenuPanelDepth = 0.05f;
constexpr float kMenuLayoutDepth = 0.0499f;
constexpr float kStripBottom = FIELD_TOP;
constexpr float kMenuPanelBottom = 116.0f;
constexpr float kColumnStep = 163.0f;
constexpr float kMarkSize = 24.0f;
constexpr float kIconSize = 16.0f;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

struct TextObjectLook {
    int height;
    int glyphFormat;
    int fullAdvance;
    int halfAdvance;
    const char16_t* prepared;
};
constexpr TextObjectLook kSmallText = {16, 1, 16, 8, u"道具魔法特技設定逃走"};
constexpr TextObjectLook kLargeText = {30, 6, 30, 15, u"IGTEHPX"};

// A quad over a screen rectangle at a depth, its edges shifted by half a pixel.
void PlaceQuad(TexturedVertex* quad, float left, float top, float right, float bottom, float z)
{
    for (int i = 0; i < 4; ++i) {
        quad[i].x = ((i & 1) != 0 ? right : left) - 0.5f;
        quad[i].y = ((i & 2) != 0 ? bottom : top) - 0.5f;
        quad[i].z = z;
        quad[i].rhw = 1.0f;
        quad[i].colour = kWhite;
    }
}

void SetQuadUv(TexturedVertex* quad, const CTexture& texture, float left, float top, float right, float bottom)
{
    float u[4], v[4];
    texture.RectToUV(left, top, right, bottom, u, v);
    for (int i = 0; i < 4; ++i) {
        quad[i].u = u[i];
        quad[i].v = v[i];
    }
}

// A texture record holding a pack entry, or null (the loader reports its own failure).
CTexture* LoadRecord(int entry, bool& allocated)
{
    auto* record = new (std::nothrow) CTexture();
    allocated = record != nullptr;
    if (record == nullptr)
        return nullptr;
    if (!record->LoadTexture(0, entry)) {
        delete record;
        return nullptr;
    }
    return record;
}

void FreeRecord(CTexture*& record)
{
    delete record;
    record = nullptr;
}

// False (reported) when the object cannot be made or prepared; what was made stays in `slot` for the release.
bool MakeTextObject(const TextObjectLook& look, Zeph::CTextTexture*& slot)
{
    slot = CreateTextTextureProc != nullptr ? CreateTextTextureProc() : nullptr;
    if (slot == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return false;
    }
    if (!slot->Init(look.height, 200, kFace, 0, kWhite, 0, 0, look.glyphFormat, 1.0f, 0, 0, 0xFF000000u, 0, 0xFF000000u,
                    false, look.fullAdvance, look.halfAdvance, 0, 0.0f, false)) {
        REPORT_ERROR(kSource, __LINE__, ERROR_TEXT_INIT);
        return false;
    }
    if (!slot->PrepareCharSets(kDigitCharSet) || !slot->PrepareString(look.prepared)) {
        REPORT_ERROR(kSource, __LINE__, ERROR_TEXTURE_LOAD);
        return false;
    }
    return true;
}

} // namespace

CBattleBackground::CBattleBackground()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (std::int8_t& width : HudColumnWidth)
        width = 3;
}

// A failure stops construction where it happened; the error flag ends the game.
void CBattleBackground::InitBattleBackground()
{
    *this = CBattleBackground();
    if (!MakeTextObjects())
        return;
    LoadPanelTextures();
    FillQuads();
}

bool CBattleBackground::MakeTextObjects()
{
    return MakeTextObject(kSmallText, BattleTextTexture) && MakeTextObject(kLargeText, BattleLargeTextTexture);
}

void CBattleBackground::LoadPanelTextures()
{
    bool allocated = false;
    backdropTexture = LoadRecord(PACK_BATTLE_BACKDROP_FIRST + BackdropKind(), allocated);
    if (!allocated) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return;
    }
    iconTexture = LoadRecord(PACK_BATTLE_MARKS, allocated);
    if (!allocated) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return;
    }
    menuPanelTexture = LoadRecord(PACK_BATTLE_MENU_PANEL, allocated);
    if (!allocated)
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
}

void CBattleBackground::SetBackdropUv()
{
    if (backdropTexture == nullptr)
        return;
    SetQuadUv(backdropQuad, *backdropTexture, FIELD_LEFT, FIELD_TOP, FIELD_RIGHT, FIELD_BOTTOM);
    SetQuadUv(stripQuad, *backdropTexture, 0.0f, 0.0f, SCREEN_WIDTH, kStripBottom);
}

void CBattleBackground::FillQuads()
{
    PlaceQuad(backdropQuad, FIELD_LEFT, FIELD_TOP, FIELD_RIGHT, FIELD_BOTTOM, kBackdropDepth);
    PlaceQuad(stripQuad, 0.0f, 0.0f, SCREEN_WIDTH, kStripBottom, kStripDepth);
    PlaceQuad(menuPanelQuad, 0.0f, 0.0f, SCREEN_WIDTH, kMenuPanelBottom, kMenuPanelDepth);
    SetBackdropUv();
    if (menuPanelTexture != nullptr)
        SetQuadUv(menuPanelQuad, *menuPanelTexture, 0.0f, 0.0f, SCREEN_WIDTH, kMenuPanelBottom);
    for (int m = 0; m < HUD_MEMBERS; ++m) {
        const float x = kColumnStep * static_cast<float>(m);
        PlaceQuad(markQuads[m], x + 7.0f, 2.0f, x + 7.0f + kMarkSize, 2.0f + kMarkSize, kMarkDepth);
        PlaceQuad(menuMarkQuads[m], x + 7.0f, 2.0f, x + 7.0f + kMarkSize, 2.0f + kMarkSize, kMenuLayoutDepth);
        PlaceQuad(menuIconQuads[m], x + 11.0f, 30.0f, x + 11.0f + kIconSize, 30.0f + kIconSize, kMenuLayoutDepth);
        if (iconTexture == nullptr)
            continue;
        const float cell = kMarkSize * static_cast<float>(m);
        SetQuadUv(markQuads[m], *iconTexture, cell, 0.0f, cell + kMarkSize, kMarkSize);
        SetQuadUv(menuMarkQuads[m], *iconTexture, cell, 0.0f, cell + kMarkSize, kMarkSize);
    }
}

void CBattleBackground::ReleaseBattleBackground()
{
    FreeRecord(menuPanelTexture);
    FreeRecord(iconTexture);
    FreeRecord(backdropTexture);
    if (BattleLargeTextTexture != nullptr)
        BattleLargeTextTexture->Release();
    BattleLargeTextTexture = nullptr;
    if (BattleTextTexture != nullptr)
        BattleTextTexture->Release();
    BattleTextTexture = nullptr;
}

// The new image is loaded before the old one goes, so a kind that cannot be
// loaded leaves the battle its old backdrop; the coordinates follow the
// size of the image actually loaded.
void CBattleBackground::SetBattleBackground(int kind)
{
    kind &= BATTLE_BACKDROP_KINDS - 1;
    if (kind == BackdropKind() && backdropTexture != nullptr)
        return;
    bool allocated = false;
    CTexture* loaded = LoadRecord(PACK_BATTLE_BACKDROP_FIRST + kind, allocated);
    if (!allocated)
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
    if (loaded == nullptr)
        return;
    FreeRecord(backdropTexture);
    backdropTexture = loaded;
    packedWord = (packedWord & ~3u) | static_cast<std::uint32_t>(kind);
    SetBackdropUv();
}

void CBattleBackground::SyncHudFromParty()
{
    if (TheCharacter == nullptr)
        return;
    for (int m = 0; m < HUD_MEMBERS; ++m)
        for (int k = 0; k < 4; ++k) {
            menuIconQuads[m][k].u = TheCharacter->memberIconUV[m][k];
            menuIconQuads[m][k].v = TheCharacter->iconRowV[k];
        }
}

void CBattleBackground::DrawBattleBackground()
{
    SceneTrace::Note("DrawBattleBackground");
    DrawTexturedQuad(backdropTexture, backdropQuad);
}

void CBattleBackground::DrawBattleHud()
{
    SceneTrace::Note("DrawBattleHud");
    DrawTexturedQuad(backdropTexture, stripQuad);
    for (int m = 0; m < HUD_MEMBERS; ++m)
        if (TheCharacter->IsKnockedOut(m))
            DrawTexturedQuad(iconTexture, markQuads[m]);
    DrawHudTexts();
}

void CBattleBackground::DrawBattleHudInMenu()
{
    SceneTrace::Note("DrawBattleHudInMenu");
    DrawTexturedQuad(menuPanelTexture, menuPanelQuad);
    DrawTexturedQuad(TheCharacter->iconTexture, menuIconQuads[TheCharacter->Leader()]);
    for (int m = 0; m < HUD_MEMBERS; ++m)
        if (TheCharacter->IsKnockedOut(m))
            DrawTexturedQuad(iconTexture, menuMarkQuads[m]);
    DrawHudTextsInMenu();
}
