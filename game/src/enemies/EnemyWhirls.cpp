// The whirls: made under a cap on their total strength, aged and turned
// each frame, faded out after their time, drifting the party members, and
// drawn rotated below the actors, higher ones first.
#include <algorithm>
#include <cmath>
#include <new>

#include "core/BattleAngles.h"
#include "core/GameConstants.h"
#include "core/SceneTrace.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyShot.h"
#include "media/PlaySE.h"
#include "party/PartyServices.h"

namespace {

constexpr const char* kSourceName = "EnemyShot";
constexpr int kWhirlErrorLine = 203;
constexpr int kSeWhirlStarts = 33;
constexpr float kSpinStep = 0.08f;
constexpr float kDepthTop = 0.65f;
constexpr float kDepthScale = SCREEN_HEIGHT * 128.0f;
constexpr float kHalf = ENEMY_WHIRL_SIZE / 2.0f;
// The member flag that keeps the whirls off it.
constexpr int kAbilityWhirlProof = 14;

float WrapSpin(float spin)
{
    while (spin >= BATTLE_PI)
        spin -= 2.0f * BATTLE_PI;
    while (spin < -BATTLE_PI)
        spin += 2.0f * BATTLE_PI;
    return spin;
}

bool ExemptFromWhirls(const CCharacter& party, int member)
{
    const BattleMember& m = party.members[member];
    return ((party.abilityBits[member] >> kAbilityWhirlProof) & 1u) != 0 || m.HasEffect(EFFECT_BIND) ||
           m.HasEffect(EFFECT_STOP) || m.IsDown();
}

// A pull stops on the centre instead of carrying the member past it.
float StopAtCentre(float position, float step, float centre)
{
    if ((position <= centre && position + step > centre) || (position > centre && position + step < centre))
        return centre - position;
    return step;
}

// Half up to a whole pixel.
float RoundHalfUp(float v)
{
    return std::floor(v + 0.5f);
}

} // namespace

EnemySubShot* CEnemyShotList::CreateEnemySubShot(float x, float y, float strength, int startAge, int duration, int kind)
{
    if (kind == 0) {
        float total = std::fabs(strength);
        for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next)
            if (!w->Fading() && whirl::Kind::Get(w->Bits) == 0)
                total += std::fabs(w->Strength);
        if (total > ENEMY_WHIRL_STRENGTH_CAP)
            return nullptr;
    }
    auto* w = new (std::nothrow) EnemySubShot{};
    if (w == nullptr) {
        REPORT_ERROR(kSourceName, kWhirlErrorLine, ERROR_NO_MEMORY);
        return nullptr;
    }
    w->X = x;
    w->Y = y;
    w->Depth = kDepthTop - y / kDepthScale;
    w->Strength = strength;
    w->Age = static_cast<std::int16_t>(startAge);
    w->Duration = static_cast<std::int16_t>(duration);
    whirl::Opacity::Set(w->Bits, 255);
    whirl::Kind::Set(w->Bits, static_cast<std::uint32_t>(kind) & 31u);
    w->Prev = SubShotTail;
    (SubShotTail != nullptr ? SubShotTail->Next : SubShotHead) = w;
    SubShotTail = w;
    return w;
}

void CEnemyShotList::RemoveSubShot(EnemySubShot* w)
{
    (w->Prev != nullptr ? w->Prev->Next : SubShotHead) = w->Next;
    (w->Next != nullptr ? w->Next->Prev : SubShotTail) = w->Prev;
    delete w;
}

void CEnemyShotList::UpdateEnemySubShots()
{
    for (EnemySubShot* w = SubShotHead; w != nullptr;) {
        // The next one is read first: this one may be freed below.
        EnemySubShot* next = w->Next;
        if (w->Age == 0)
            PlaySoundEffect(kSeWhirlStarts);
        if (w->Age >= 0 && whirl::Kind::Get(w->Bits) == 0)
            w->Spin = WrapSpin(w->Spin + (w->Strength < 0.0f ? kSpinStep : -kSpinStep));
        if (w->Fading()) {
            if (w->Opacity() <= ENEMY_WHIRL_FADE_STEP)
                RemoveSubShot(w);
            else
                whirl::Opacity::Set(w->Bits, static_cast<std::uint32_t>(w->Opacity() - ENEMY_WHIRL_FADE_STEP));
        } else if (w->Duration <= ++w->Age) {
            whirl::Fading::Set(w->Bits, 1);
            whirl::Opacity::Set(w->Bits, static_cast<std::uint32_t>(w->Opacity() - ENEMY_WHIRL_FADE_STEP));
        }
        w = next;
    }
}

bool CEnemyShotList::HasActiveSubShot() const
{
    for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next)
        if (w->Active())
            return true;
    return false;
}

bool CEnemyShotList::HasSubShotAtCenter() const
{
    for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next)
        if (w->Active() && w->X == FIELD_CENTER_X - kHalf && w->Y == FIELD_CENTER_Y - kHalf && w->Strength < 0.0f)
            return true;
    return false;
}

float CEnemyShotList::SumSubShotSpeed() const
{
    float sum = 0.0f;
    for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next)
        if (!w->Fading())
            sum += std::fabs(w->Strength);
    return sum;
}

void CEnemyShotList::UpdateCharacterShotState(int member) const
{
    if (TheCharacter == nullptr || member < 0 || member >= PARTY_MEMBER_COUNT)
        return;
    BattleMember& m = TheCharacter->members[member];
    m.driftX = m.driftY = 0.0f;
    if (ExemptFromWhirls(*TheCharacter, member))
        return;
    for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next) {
        if (!w->Active())
            continue;
        const float cx = w->X + kHalf;
        const float cy = w->Y + kHalf;
        float heading = 0.0f;
        if (!GetAngleToMember(heading, member, cx, cy, false))
            continue;
        float ex = std::sin(heading) * w->Strength;
        float ey = std::cos(heading) * w->Strength;
        if (w->Strength < 0.0f) {
            ex = StopAtCentre(m.centerX, ex, cx);
            ey = StopAtCentre(m.centerY, ey, cy);
        }
        m.driftX += ex;
        m.driftY += ey;
    }
}

int CEnemyShotList::CountSubShots() const
{
    int count = 0;
    for (const EnemySubShot* w = SubShotHead; w != nullptr; w = w->Next)
        ++count;
    return count;
}

void CEnemyShotList::DrawEnemyWhirls()
{
    SceneTrace::Note("DrawEnemyWhirls");
    SubShotDrawCount = 0;
    for (EnemySubShot* w = SubShotHead; w != nullptr && SubShotDrawCount < ENEMY_WHIRL_DRAW_MAX; w = w->Next)
        if (w->Age >= 1)
            SubShotDrawList[SubShotDrawCount++] = w;
    if (SubShotDrawCount == 0)
        return;
    // Deeper (higher on the screen) first; of two at one depth the one
    // collected later comes first.
    std::reverse(SubShotDrawList, SubShotDrawList + SubShotDrawCount);
    std::stable_sort(SubShotDrawList, SubShotDrawList + SubShotDrawCount,
                     [](const EnemySubShot* a, const EnemySubShot* b) { return a->Depth > b->Depth; });
    if (SubShotTexture == nullptr || GetTextureHandle(*SubShotTexture) == nullptr)
        return;
    SetCachedTexture(GetTextureHandle(*SubShotTexture));
    SetCachedFvf(FVF_TEXTURED);
    for (int i = 0; i < SubShotDrawCount; ++i)
        DrawWhirl(*SubShotDrawList[i]);
}

void CEnemyShotList::DrawWhirl(const EnemySubShot& w)
{
    const float x0 = std::trunc(w.X);
    const float y0 = std::trunc(w.Y);
    const bool turns = whirl::Kind::Get(w.Bits) == 0;
    const float c = std::cos(w.Spin);
    const float s = std::sin(w.Spin);
    const int alpha = std::min<int>(Alpha, w.Opacity());
    const std::uint32_t colour = (static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24) | 0x00FFFFFFu;
    TexturedVertex quad[4]{};
    for (int i = 0; i < 4; ++i) {
        float ox = (i & 1) != 0 ? kHalf : -kHalf;
        float oy = (i & 2) != 0 ? kHalf : -kHalf;
        if (turns) {
            const float rx = RoundHalfUp(ox * c - oy * s);
            const float ry = RoundHalfUp(ox * s + oy * c);
            ox = rx;
            oy = ry;
        }
        TexturedVertex& v = quad[i];
        v.x = x0 + kHalf - 0.5f + ox;
        v.y = y0 + kHalf - 0.5f + oy;
        v.z = w.Depth;
        v.rhw = 1.0f;
        v.colour = colour;
        v.u = SubShotU[i];
        v.v = SubShotV[i];
    }
    DrawQuadStrip(quad, sizeof(TexturedVertex));
}
