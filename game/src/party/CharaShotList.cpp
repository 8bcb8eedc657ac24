// The shot list: making, removing and clearing nodes, and what the party
// and enemy code ask of it.
#include <new>

#include "core/PackCatalogue.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "media/PlaySE.h"
#include "party/CharaShot.h"
#include "party/Character.h"
#include "party/MagicShotTable.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSourceName = "CharaShot";
constexpr int kTextureErrorLine = 59;
constexpr int kNodeErrorLine = 89;
constexpr float kCell = 32.0f;
constexpr int kSeAttached = 25;
constexpr int kSeStraight = 26;
constexpr std::int16_t kAttachedLife = 19;
constexpr int kAllDirectionsHitBox = 8;

// Subtypes 5, 6 and 7 draw their life; 6 seeks with one chance in eight.
std::int16_t MagicLife(int subtype)
{
    switch (subtype) {
    case 5:
        return static_cast<std::int16_t>(440 + GameRandom() * 60 / 32768);
    case 6: {
        constexpr std::int16_t kLives[5] = {200, 550, 600, 650, 1440};
        return kLives[GameRandom() * 5 / 32768];
    }
    case 7:
        return static_cast<std::int16_t>(400 + GameRandom() * 180 / 32768);
    default:
        return static_cast<std::int16_t>(MagicShotTable[subtype].life);
    }
}

} // namespace

void CCharaShot::InitCharaShot()
{
    *this = CCharaShot{};
    shotAlpha = 255;
    for (auto& vertex : quad)
        vertex.rhw = 1.0f;
    areaProbe.width = areaProbe.height = kCell;
    ShotPower::Set(areaProbe.powerBits, 1);
    ShotKind::Set(areaProbe.shotBits, SHOT_MAGIC);
    ShotElement::Set(areaProbe.shotBits, 5);
    ShotOwner::Set(areaProbe.shotBits, 2);
    ShotMagical::Set(areaProbe.specialBits, 1);
    texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSourceName, kTextureErrorLine, ERROR_NO_MEMORY);
        return;
    }
    texture->InitTexture();
    texture->LoadTexture(0, PACK_PARTY_SHOTS);
}

void CCharaShot::ReleaseCharaShot()
{
    ClearCharaShots();
    delete texture;
    texture = nullptr;
}

void CCharaShot::ResetCharaShotCounters()
{
    burstCount = 0;
    for (auto& count : straightCount)
        count = 0;
    straightLife = STRAIGHT_SHOT_LIFE;
    shotAlpha = 255;
}

void CCharaShot::ClearCharaShots()
{
    for (CharaShotNode* node = head; node != nullptr;) {
        CharaShotNode* next = node->next;
        delete node;
        node = next;
    }
    head = tail = nullptr;
    // The draw list's pointer must not outlive the node.
    attachedShot = nullptr;
    attachedVisible = 0;
    burstCount = 0;
    for (auto& count : straightCount)
        count = 0;
}

bool CCharaShot::CreateCharaShot(const CharaShotSpec& spec)
{
    auto* node = new (std::nothrow) CharaShotNode{};
    if (node == nullptr) {
        REPORT_ERROR(kSourceName, kNodeErrorLine, ERROR_NO_MEMORY);
        return false;
    }
    node->x = node->prevX = spec.x;
    node->y = node->prevY = spec.y;
    node->width = node->height = kCell;
    ShotPower::Set(node->powerBits, static_cast<std::uint32_t>(spec.power < 0                ? 0
                                                               : spec.power < SHOT_MAX_POWER ? spec.power
                                                                                             : SHOT_MAX_POWER));
    node->age = spec.startAge;
    ShotKind::Set(node->shotBits, spec.kind);
    ShotDirection::Set(node->shotBits, static_cast<std::uint32_t>(spec.direction));
    ShotKnockback::Set(node->shotBits, static_cast<std::uint32_t>(spec.knockback));
    ShotSubtype::Set(node->shotBits, static_cast<std::uint32_t>(spec.subtype));
    ShotOwner::Set(node->shotBits, static_cast<std::uint32_t>(spec.owner));
    ShotSpecialCode::Set(node->specialBits, spec.specialCode);
    ShotInView::Set(node->shotBits, 1);
    if (spec.ownerRecord != nullptr) {
        const BattleMember& owner = *spec.ownerRecord;
        if (owner.HasEffect(EFFECT_ATTACK_UP)) {
            ShotAttackUp::Set(node->powerBits, 1);
            ShotAttackUpLevel::Set(node->powerBits, AttackUpLevel::Get(owner.boostLevels));
        }
        ShotWeakened::Set(node->powerBits, owner.HasEffect(5) ? 1u : 0u);
        ShotWeakenedMore::Set(node->powerBits, owner.HasEffect(12) ? 1u : 0u);
        ShotWeakenedMost::Set(node->powerBits, owner.HasEffect(13) ? 1u : 0u);
    }
    switch (spec.kind) {
    case SHOT_ATTACHED:
        SetupAttachedShot(*node);
        break;
    case SHOT_STRAIGHT:
        SetupStraightShot(*node);
        break;
    case SHOT_MAGIC:
        ShotOrbitMember::Set(node->shotBits, static_cast<std::uint32_t>(spec.orbitMember));
        SetupMagicShot(*node);
        break;
    default:
        SetupHomingShot(*node);
        break;
    }
    node->prev = tail;
    if (tail != nullptr)
        tail->next = node;
    else
        head = node;
    tail = node;
    return true;
}

void CCharaShot::SetCell(CharaShotNode& node, float left, float top, float right, float bottom) const
{
    if (texture != nullptr && texture->width > 0.0f && texture->height > 0.0f)
        texture->RectToUV(left, top, right, bottom, node.texU, node.texV);
}

void CCharaShot::SetupAttachedShot(CharaShotNode& node)
{
    PlaySoundEffect(kSeAttached);
    if (TheCharacter != nullptr) {
        trackX = TheCharacter->members[0].x;
        trackY = TheCharacter->members[0].y;
    }
    node.life = kAttachedLife;
    ShotHitBox::Set(node.shotBits, ShotDirection::Get(node.shotBits));
    ShotCancelsEnemyShots::Set(node.powerBits, 1);
    const float top = kCell * static_cast<float>(node.Direction());
    SetCell(node, 0.0f, top, kCell, top + kCell);
}

void CCharaShot::SetupStraightShot(CharaShotNode& node)
{
    PlaySoundEffect(kSeStraight);
    ++straightCount[node.Direction() & 3];
    if (node.Subtype() == 1)
        ShotEffectIndex::Set(node.powerBits, static_cast<std::uint32_t>(1 + ((GameRandom() * 12) >> 15)));
    node.life = straightLife;
    ShotHitBox::Set(node.shotBits, static_cast<std::uint32_t>(node.Direction() + 4));
    ShotHitsLeft::Set(node.shotBits, 1);
    const float top = kCell * static_cast<float>(node.Direction());
    SetCell(node, kCell, top, 2.0f * kCell, top + kCell);
}

void CCharaShot::SetupMagicShot(CharaShotNode& node)
{
    const int subtype = node.Subtype() < MAGIC_SHOT_SUBTYPES ? node.Subtype() : MAGIC_SHOT_EXPIRED;
    ShotSubtype::Set(node.shotBits, static_cast<std::uint32_t>(subtype));
    const MagicShotRow& row = MagicShotTable[subtype];
    ShotElement::Set(node.shotBits, static_cast<std::uint32_t>(row.elementRow));
    ShotHitBox::Set(node.shotBits, kAllDirectionsHitBox);
    ShotHitsLeft::Set(node.shotBits, static_cast<std::uint32_t>(row.hits));
    node.spin = 0.0f;
    ShotCancelsEnemyShots::Set(node.powerBits, subtype >= 8 && subtype <= 11 ? 1u : 0u);
    ShotMagical::Set(node.specialBits, 1);
    node.life = MagicLife(subtype);
    if (subtype == 6)
        ShotFlag31::Set(node.shotBits, GameRandom() < 4096 ? 1u : 0u);
    if (subtype == MAGIC_SHOT_BURST)
        ++burstCount;
    const float top = kCell * static_cast<float>(row.elementRow);
    SetCell(node, 2.0f * kCell, top, 3.0f * kCell, top + kCell);
}

void CCharaShot::RemoveCharaShot(CharaShotNode* node)
{
    if (node == nullptr)
        return;
    if (node->Kind() == SHOT_STRAIGHT)
        --straightCount[node->Direction() & 3];
    else if (node->Kind() == SHOT_MAGIC && node->Subtype() == MAGIC_SHOT_BURST)
        --burstCount;
    (node->prev != nullptr ? node->prev->next : head) = node->next;
    (node->next != nullptr ? node->next->prev : tail) = node->prev;
    if (attachedShot == node) {
        attachedShot = nullptr;
        attachedVisible = 0;
    }
    delete node;
}

void CCharaShot::StopChargeShot()
{
    for (CharaShotNode* node = head; node != nullptr;) {
        CharaShotNode* next = node->next;
        if (node->Kind() == SHOT_ATTACHED)
            RemoveCharaShot(node);
        node = next;
    }
}

void CCharaShot::ExpireCharaShots()
{
    for (CharaShotNode* node = head; node != nullptr;) {
        CharaShotNode* next = node->next;
        if (node->Kind() == SHOT_MAGIC) {
            if (node->age < 1) {
                RemoveCharaShot(node);
            } else {
                if (node->Subtype() == MAGIC_SHOT_BURST)
                    --burstCount;
                ShotSubtype::Set(node->shotBits, MAGIC_SHOT_EXPIRED);
                ShotCancelsEnemyShots::Clear(node->powerBits);
                const int fadeEnd = node->age + 32;
                if (fadeEnd < node->life)
                    node->life = static_cast<std::int16_t>(fadeEnd);
            }
        }
        node = next;
    }
}

std::uint32_t CCharaShot::CountMagicShotsOfSubtype(int subtype) const
{
    std::uint32_t count = 0;
    for (const CharaShotNode* node = head; node != nullptr; node = node->next)
        count += node->Kind() == SHOT_MAGIC && node->Subtype() == subtype ? 1u : 0u;
    return count;
}

bool CCharaShot::AnyStraightShotAlive() const
{
    for (std::int32_t count : straightCount)
        if (count != 0)
            return true;
    return false;
}

float CCharaShot::GetCharaShotDamage(const CharaShotNode& node) const
{
    float m = 1.0f;
    const int variant = node.Subtype();
    switch (node.Kind()) {
    case SHOT_ATTACHED:
        m *= AttachedShotDamage[variant < 3 ? variant : 0];
        break;
    case SHOT_STRAIGHT:
        m *= StraightShotDamage[variant < 3 ? variant : 0];
        break;
    case SHOT_MAGIC: {
        m *= MagicShotTable[variant < MAGIC_SHOT_SUBTYPES ? variant : MAGIC_SHOT_EXPIRED].damage;
        // Member 2's element boost: its guard directions double as the element mask.
        const BattleMember& third = TheCharacter->members[2];
        if ((GuardDirections::Get(third.flags2) >> ShotElement::Get(node.shotBits)) & 1u)
            m *= third.guardFactor;
        break;
    }
    default:
        break;
    }
    if (ShotAttackUp::IsSet(node.powerBits))
        m *= AttackUpFactor[ShotAttackUpLevel::Get(node.powerBits)];
    if (ShotWeakened::IsSet(node.powerBits))
        m *= 0.9000001f;
    if (ShotWeakenedMore::IsSet(node.powerBits))
        m *= 0.85f;
    if (ShotWeakenedMost::IsSet(node.powerBits))
        m *= 0.75f;
    switch (ShotSpecialCode::Get(node.specialBits)) {
    case 14:
        m *= GameRandom() < 1638 ? 2.0f : 1.0f;
        break;
    case 15:
    case 35:
        m *= 1.1f;
        break;
    case 20:
        m *= 1.05f;
        break;
    case 21:
        m *= 1.15f;
        break;
    default:
        break;
    }
    return m;
}
