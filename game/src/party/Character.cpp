#include "party/Character.h"

#include <cstring>
#include <new>
#include <type_traits>

#include "core/PackCatalogue.h"
#include "core/ZephGlobals.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSourceName = "Character";
constexpr int kMemberTextureErrorLine = 266;
constexpr int kIconTextureErrorLine = 296;

// Pixels a knocked-back target travels in each of its first 20 frames.
constexpr float kKnockStep[20] = {4, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
// A drain's ratio factor by member: a member's drain heal is divided by it, an enemy's drain gain multiplied.
constexpr double kDrainRatio[PARTY_MEMBER_COUNT] = {1.0, 0.8, 0.6};
constexpr float kIconOffsetX[3] = {8.0f, 16.0f, 0.0f};
constexpr float kIconOffsetY[3] = {16.0f, 34.0f, 52.0f};
constexpr float kIconCell = 16.0f;
constexpr float kCell = static_cast<float>(MEMBER_SPRITE_SIZE);
constexpr int kDownColumn = 5;

// Sprite columns by action state: free (standing; walking uses 1 and 2),
// attack, magic, hit-stun, knocked out, strike.
constexpr int kPoseColumn[6] = {0, 4, 4, 3, kDownColumn, 0};

void IconColumnU(const CTexture& sheet, int column, float u[4])
{
    sheet.PixelToU(kIconCell * static_cast<float>(column), kIconCell * static_cast<float>(column + 1), u);
}

// A sheet whose size is known; coordinates of any other would divide by zero.
bool Loaded(const CTexture* sheet)
{
    return sheet != nullptr && sheet->width > 0.0f && sheet->height > 0.0f;
}

} // namespace

void CCharacter::InitCharacter()
{
    static_assert(std::is_trivially_copyable_v<CCharacter>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    SetPlainDefaults();
    LoadCharacterTextures();
}

void CCharacter::ResetKeepingTextures()
{
    CTexture* keptMembers[PARTY_MEMBER_COUNT] = {memberTextures[0], memberTextures[1], memberTextures[2]};
    CTexture* keptIcons = iconTexture;
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    SetPlainDefaults();
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        memberTextures[m] = keptMembers[m];
        SetMemberTextureCoordinates(m);
    }
    iconTexture = keptIcons;
    SetIconCoordinates();
}

void CCharacter::SetPlainDefaults()
{
    // 1-3 of construction: every field zero (done by the caller) except those listed.
    curableMask = AILMENT_EFFECT_BITS;
    FramesSinceHit::Set(partyWordA, 152);
    ThinkCounter::Set(partyWordB, 59);
    HpThresholdA::Set(partyWordC, 3);
    HpThresholdB::Set(partyWordC, 5);
    HpThresholdIndex::Set(partyWordD, 4);
    ItemUsesLeft::Set(partyWordD, 5);
    quickSlots[0][0] = {3, 1};
    quickSlots[0][1] = {3, 2};
    for (auto& vertex : quad)
        vertex.rhw = 1.0f;
    for (int k = 0; k < 20; ++k)
        cumulativeTable[k + 1] = cumulativeTable[k] + kKnockStep[k];
    // 6, without the textures.
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        level[m] = 1;
        hp[m] = 1;
        baseMaxHp[m] = 1;
        maxHp[m] = 1;
        hpPercent[m] = 100; // 1 HP of 1
        members[m].alpha = 255;
        memberOptions[m][0] = 1;
        equipment[EQUIP_ACCESSORY][m] = -1;
        drainRatio[m] = kDrainRatio[m];
    }
    for (int i = 0; i < 3; ++i) {
        iconOffsetX[i] = kIconOffsetX[i];
        iconOffsetY[i] = kIconOffsetY[i];
    }
}

void CCharacter::LoadCharacterTextures()
{
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m) {
        auto* sheet = new (std::nothrow) CTexture();
        if (sheet == nullptr) {
            REPORT_ERROR(kSourceName, kMemberTextureErrorLine, ERROR_NO_MEMORY);
            return;
        }
        memberTextures[m] = sheet;
        sheet->InitTexture();
        // A failed load is reported by the texture itself.
        if (sheet->LoadTexture(0, PACK_MEMBER_SPRITES_FIRST + m))
            SetMemberTextureCoordinates(m);
    }
    iconTexture = new (std::nothrow) CTexture();
    if (iconTexture == nullptr) {
        REPORT_ERROR(kSourceName, kIconTextureErrorLine, ERROR_NO_MEMORY);
        return;
    }
    iconTexture->InitTexture();
    if (iconTexture->LoadTexture(0, PACK_PARTY_ICONS))
        SetIconCoordinates();
}

void CCharacter::SetMemberTextureCoordinates(int member)
{
    const CTexture* sheet = memberTextures[member];
    if (!Loaded(sheet))
        return;
    sheet->RectToUV(0.0f, 0.0f, kCell, kCell, members[member].spriteU, members[member].spriteV);
    if (member == 0)
        sheet->RectToUV(kCell * kDownColumn, 0.0f, kCell * (kDownColumn + 1), kCell, downCellU, downCellV);
}

void CCharacter::SetIconCoordinates()
{
    if (!Loaded(iconTexture))
        return;
    const CTexture& icons = *iconTexture;
    icons.PixelToV(0.0f, kIconCell, iconRowV);
    for (int i = 0; i < STATUS_EFFECT_COUNT; ++i)
        IconColumnU(icons, i, effectIconUV[i]);
    IconColumnU(icons, 31, iconUV31);
    IconColumnU(icons, 30, iconUV30);
    IconColumnU(icons, 26, iconUV26);
    IconColumnU(icons, 25, iconUV25);
    IconColumnU(icons, 24, iconUV24);
    for (int m = 0; m < PARTY_MEMBER_COUNT; ++m)
        IconColumnU(icons, 27 + m, memberIconUV[m]);
}

void CCharacter::ReleaseCharacter()
{
    if (iconTexture != nullptr) {
        iconTexture->ReleaseTexture();
        delete iconTexture;
        iconTexture = nullptr;
    }
    for (auto& sheet : memberTextures) {
        if (sheet == nullptr)
            continue;
        sheet->ReleaseTexture();
        delete sheet;
        sheet = nullptr;
    }
}

void CCharacter::SetMemberSpriteRect(int member)
{
    BattleMember& record = members[member];
    const std::uint32_t action = record.Action();
    int column = action < 6 ? kPoseColumn[action] : 0;
    if (action == ACTION_FREE && Walking::IsSet(record.state))
        column = record.walkFrame / 8 + 1;
    const float left = kCell * static_cast<float>(column);
    const float top = kCell * static_cast<float>(record.FacingDirection() & 3);
    const CTexture* sheet = memberTextures[member];
    if (!Loaded(sheet))
        return;
    sheet->RectToUV(left, top, left + kCell, top + kCell, record.spriteU, record.spriteV);
}

void CCharacter::SetMemberPosX(int member, float x)
{
    members[member].x = x;
    members[member].centerX = x + kCell / 2.0f;
}

void CCharacter::SetMemberPosY(int member, float y)
{
    members[member].y = y;
    members[member].centerY = y + kCell / 2.0f;
}

const float* CCharacter::BalloonU(int icon) const
{
    if (icon >= 0 && icon < PARTY_MEMBER_COUNT)
        return memberIconUV[icon];
    return icon == PARTY_MEMBER_COUNT ? iconUV30 : iconUV31;
}

void CCharacter::SetPartyStockMax(const std::uint8_t* maxima)
{
    ::SetPartyStockMax(maxima);
}
