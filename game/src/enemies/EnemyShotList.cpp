// The enemy shot list: making, removing and clearing nodes, and what the
// enemy code and the battle contacts ask of it.
#include <algorithm>
#include <new>

#include "core/PackCatalogue.h"
#include "core/Random.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyRecord.h"
#include "enemies/EnemyShot.h"
#include "enemies/EnemyShotMotion.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSourceName = "EnemyShot";
constexpr int kShotTextureErrorLine = 35;
constexpr int kWhirlTextureErrorLine = 44;
constexpr int kNodeErrorLine = 78;
constexpr float kWhirlCell = 48.0f;
constexpr float kOtherShotsColumn = 96.0f;
// Owner status effects that change a shot's power.
constexpr int kOwnerAttackUp = 0;
constexpr int kOwnerWeak90 = 5;
constexpr int kOwnerWeak85 = 12;
constexpr int kOwnerWeak75 = 13;

CTexture* LoadSheet(int entry, int errorLine)
{
    auto* texture = new (std::nothrow) CTexture();
    if (texture == nullptr) {
        REPORT_ERROR(kSourceName, errorLine, ERROR_NO_MEMORY);
        return nullptr;
    }
    texture->InitTexture();
    texture->LoadTexture(0, entry);
    return texture;
}

std::uint32_t Masked(int value, std::uint32_t width)
{
    return static_cast<std::uint32_t>(value) & ((1u << width) - 1u);
}

// Life: lifeMin + 16, or a random point of [lifeMin, lifeMax) + 16.
std::int32_t DrawLife(std::int32_t lifeMin, std::int32_t lifeMax)
{
    if (lifeMin >= lifeMax)
        return lifeMin + ENEMY_SHOT_ENDING_FRAMES;
    const std::int64_t span = static_cast<std::int64_t>(lifeMax) - lifeMin;
    return static_cast<std::int32_t>(lifeMin + GameRandom() * span / 32768 + ENEMY_SHOT_ENDING_FRAMES);
}

void PackSpec(EnemyShotNode& node, const EnemyShotSpec& s)
{
    using namespace eshot;
    Motion::Set(node.BitsA, Masked(s.motion, 6));
    Action::Set(node.BitsA, Masked(s.action, 6));
    AimKind::Set(node.BitsA, Masked(s.aimKind, 7));
    EdgeMode::Set(node.BitsA, Masked(s.edgeMode, 4));
    Element::Set(node.BitsA, Masked(s.element, 3));
    Hits::Set(node.BitsA, Masked(s.hits, 3));
    Knock::Set(node.BitsA, Masked(s.knock, 2));
    Visible::Set(node.BitsA, s.startAge >= 0 ? 1u : 0u);
    Chance::Set(node.BitsB, Masked(s.chance, 7));
    ChildCount::Set(node.BitsB, Masked(s.childCount, 6));
    ChildRow::Set(node.BitsB, Masked(s.childRow, 6));
    TargetMode::Set(node.BitsB, Masked(s.targetMode, 4));
    OwnerSlot::Set(node.BitsB, Masked(s.ownerSlot, 3));
    Erasable::Set(node.BitsB, s.erasable ? 1u : 0u);
    Once::Set(node.BitsB, s.once ? 1u : 0u);
    Attack::Set(node.BitsC, Masked(std::min(s.attack, ENEMY_SHOT_MAX_ATTACK), 21));
    Ailment::Set(node.BitsC, Masked(s.ailment, 6));
    Spread::Set(node.BitsC, Masked(s.spread, 2));
    AilmentRate::Set(node.BitsD, Masked(s.ailmentRate, 4));
    OrbitSlot::Set(node.BitsD, Masked(s.orbitSlot, 3));
    Magic::Set(node.BitsD, s.magic ? 1u : 0u);
}

void TakeOwnerStatus(EnemyShotNode& node, const EnemyRecord& owner)
{
    using namespace eshot;
    if (owner.Status.HasEffect(kOwnerAttackUp)) {
        AttackUp::Set(node.BitsC, 1);
        eshot::AttackUpLevel::Set(node.BitsC, ::AttackUpLevel::Get(owner.Status.boostLevels));
    }
    Weak90::Set(node.BitsD, owner.Status.HasEffect(kOwnerWeak90) ? 1u : 0u);
    Weak85::Set(node.BitsD, owner.Status.HasEffect(kOwnerWeak85) ? 1u : 0u);
    Weak75::Set(node.BitsD, owner.Status.HasEffect(kOwnerWeak75) ? 1u : 0u);
}

bool MatchesOwnerTarget(const EnemyShotNode& node, int slot, int element, bool magic)
{
    using namespace eshot;
    if (node.Removed || static_cast<int>(OwnerSlot::Get(node.BitsB)) != slot || Magic::IsSet(node.BitsD) != magic)
        return false;
    return !magic || static_cast<int>(Element::Get(node.BitsA)) == element;
}

} // namespace

int EnemyShotNode::Attack() const
{
    // 21 bits, signed.
    const std::uint32_t raw = eshot::Attack::Get(BitsC);
    return (raw & (1u << 20)) != 0 ? static_cast<int>(raw) - (1 << 21) : static_cast<int>(raw);
}

void CEnemyShotList::InitEnemyShot()
{
    ClearEnemyShots();
    ShotTexture = nullptr;
    SubShotTexture = nullptr;
    for (int i = 0; i < 4; ++i) {
        Quad[i] = TexturedVertex{};
        Quad[i].rhw = 1.0f;
        SubShotU[i] = SubShotV[i] = 0.0f;
    }
    Alpha = 255;
    ShotTexture = LoadSheet(PACK_ENEMY_SHOTS, kShotTextureErrorLine);
    SubShotTexture = LoadSheet(PACK_ENEMY_WHIRL, kWhirlTextureErrorLine);
    if (SubShotTexture != nullptr && SubShotTexture->width > 0.0f)
        SubShotTexture->RectToUV(0.0f, 0.0f, kWhirlCell, kWhirlCell, SubShotU, SubShotV);
}

void CEnemyShotList::ReleaseEnemyShot()
{
    ClearEnemyShots();
    delete SubShotTexture;
    SubShotTexture = nullptr;
    delete ShotTexture;
    ShotTexture = nullptr;
}

EnemyShotNode* CEnemyShotList::CreateEnemyShot(const EnemyShotSpec& spec)
{
    auto* node = new (std::nothrow) EnemyShotNode{};
    if (node == nullptr) {
        REPORT_ERROR(kSourceName, kNodeErrorLine, ERROR_NO_MEMORY);
        return nullptr;
    }
    node->X = spec.x;
    node->Y = spec.y;
    node->Speed = spec.speed;
    node->Angle = spec.angle;
    node->Turn = spec.turn;
    node->Accel = spec.accel;
    node->Power = spec.power;
    node->Period = spec.period;
    node->Index = spec.index;
    node->Age = spec.startAge;
    PackSpec(*node, spec);
    node->Life = DrawLife(spec.lifeMin, spec.lifeMax);
    if (spec.owner != nullptr)
        TakeOwnerStatus(*node, *spec.owner);
    // Magic shots take their element's column, the others one column; the
    // erasable ones sit in the first row.
    const float left =
        spec.magic ? static_cast<float>(eshot::Element::Get(node->BitsA) * ENEMY_SHOT_SIZE) : kOtherShotsColumn;
    const float top = spec.erasable ? 0.0f : static_cast<float>(ENEMY_SHOT_SIZE);
    if (ShotTexture != nullptr && ShotTexture->width > 0.0f)
        ShotTexture->RectToUV(left, top, left + ENEMY_SHOT_SIZE, top + ENEMY_SHOT_SIZE, node->U, node->V);
    node->Prev = ShotTail;
    if (ShotTail != nullptr)
        ShotTail->Next = node;
    else
        ShotHead = node;
    ShotTail = node;
    return node;
}

void CEnemyShotList::ClearEnemyShots()
{
    for (EnemyShotNode* node = ShotHead; node != nullptr;) {
        EnemyShotNode* next = node->Next;
        delete node;
        node = next;
    }
    ShotHead = ShotTail = nullptr;
    marked_ = false;
    for (EnemySubShot* w = SubShotHead; w != nullptr;) {
        EnemySubShot* next = w->Next;
        delete w;
        w = next;
    }
    SubShotHead = SubShotTail = nullptr;
    SubShotDrawCount = 0;
}

void CEnemyShotList::RemoveEnemyShot(EnemyShotNode* node)
{
    if (node == nullptr || node->Removed)
        return;
    if (walkDepth_ > 0) {
        node->Removed = true;
        eshot::Visible::Clear(node->BitsA);
        marked_ = true;
        return;
    }
    (node->Prev != nullptr ? node->Prev->Next : ShotHead) = node->Next;
    (node->Next != nullptr ? node->Next->Prev : ShotTail) = node->Prev;
    delete node;
}

void CEnemyShotList::FreeMarked()
{
    if (!marked_ || walkDepth_ > 0)
        return;
    marked_ = false;
    for (EnemyShotNode* node = ShotHead; node != nullptr;) {
        EnemyShotNode* next = node->Next;
        if (node->Removed) {
            node->Removed = false;
            RemoveEnemyShot(node);
        }
        node = next;
    }
}

EnemyShotNode* CEnemyShotList::NextLive(EnemyShotNode* node) const
{
    while (node != nullptr && node->Removed)
        node = node->Next;
    return node;
}

void CEnemyShotList::RemoveEnemyShotsOfOwner(int slot)
{
    ++walkDepth_;
    for (EnemyShotNode* node = NextLive(ShotHead); node != nullptr; node = NextLive(node->Next))
        if (static_cast<int>(eshot::OwnerSlot::Get(node->BitsB)) == slot && !eshot::Magic::IsSet(node->BitsD) &&
            node->Age < 0)
            RemoveEnemyShot(node);
    --walkDepth_;
    FreeMarked();
}

void CEnemyShotList::ShortenEnemyShots(int slot, int motion, bool magic, int element, bool reset)
{
    using namespace eshot;
    for (EnemyShotNode* node = NextLive(ShotHead); node != nullptr; node = NextLive(node->Next)) {
        if (static_cast<int>(OwnerSlot::Get(node->BitsB)) != slot ||
            static_cast<int>(Motion::Get(node->BitsA)) != motion || Magic::IsSet(node->BitsD) != magic ||
            static_cast<int>(Element::Get(node->BitsA)) != element)
            continue;
        if (node->Age + ENEMY_SHOT_ENDING_FRAMES < node->Life)
            node->Life = node->Age + ENEMY_SHOT_ENDING_FRAMES + 1;
        if (reset) {
            Action::Clear(node->BitsA);
            node->Period = 0;
            Once::Clear(node->BitsB);
        }
    }
}

bool CEnemyShotList::HasEnemyShotOfOwner(int slot) const
{
    for (const EnemyShotNode* node = ShotHead; node != nullptr; node = node->Next)
        if (!node->Removed && static_cast<int>(eshot::OwnerSlot::Get(node->BitsB)) == slot)
            return true;
    return false;
}

bool CEnemyShotList::HasEnemyShotOfOwnerTarget(int slot, int element, bool magic) const
{
    for (const EnemyShotNode* node = ShotHead; node != nullptr; node = node->Next)
        if (MatchesOwnerTarget(*node, slot, element, magic))
            return true;
    return false;
}

bool CEnemyShotList::FindEnemyShotAim(int& member, int slot, int element, bool magic)
{
    for (EnemyShotNode* node = ShotHead; node != nullptr; node = node->Next) {
        if (!MatchesOwnerTarget(*node, slot, element, magic))
            continue;
        if (!eshot::TargetChosen::IsSet(node->BitsB))
            ChooseEnemyShotTarget(*node);
        member = static_cast<int>(eshot::Target::Get(node->BitsB));
        return true;
    }
    return false;
}

bool CEnemyShotList::HasShotKind14OfSide(int slot) const
{
    constexpr int kOrbitMotion = 14;
    for (const EnemyShotNode* node = ShotHead; node != nullptr; node = node->Next)
        if (!node->Removed && eshot::Motion::Get(node->BitsA) == kOrbitMotion &&
            static_cast<int>(eshot::OrbitSlot::Get(node->BitsD)) == slot)
            return true;
    return false;
}

int CEnemyShotList::CountEnemyShots() const
{
    int count = 0;
    for (const EnemyShotNode* node = ShotHead; node != nullptr; node = node->Next)
        count += node->Removed ? 0 : 1;
    return count;
}
