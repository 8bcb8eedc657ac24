// The damage popups: numbers that bounce up from an actor that is hurt or
// healed, and the square bursts that mark an action's start and release.
// They live in a list, oldest first; every updated frame places them on
// their actors and sorts them by depth for the draw.
#include <algorithm>
#include <cmath>
#include <new>

#include "battle/BattleEffect.h"
#include "battle/BattleServices.h"
#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "enemies/EnemyServices.h"
#include "media/PlaySE.h"
#include "media/Texture.h"
#include "party/PartyServices.h"

namespace {

constexpr float kMemberSize = 32.0f;
constexpr int kMaxDamageNumbers = 4;
constexpr int kMaxShown = 99999999;
constexpr float kCharacterWidth = 9.0f;
constexpr float kBurstDepthBase = 0.45f;
constexpr float kBurstDepthScale = 480.0f * 8.0f;
constexpr float kNumberDepthBase = 0.3f;
constexpr float kNumberDepthScale = 480.0f * 16.0f;

// Per kind: fade step, life, sound on creation (-1 none), colour.
struct PopupKindLook {
    int fadeStep;
    int life;
    int sound;
    std::uint32_t colour;
};
constexpr PopupKindLook kKinds[POPUP_KINDS] = {
    {8, 64, SE_ACTION_BURST, 0xFFFFFFFFu},
    {8, 64, SE_ACTION_BURST, 0xFFFFFFFFu},
    {16, 48, -1, 0xFFFFFFFFu},
    {16, 48, -1, 0xFF80FFFFu},
    {8, 64, SE_SECOND_BURST, 0xFFFFFFFFu},
    {16, 48, -1, 0xFF60FF60u},
};

constexpr std::uint32_t kAlphaMask = 0x3FFu;
constexpr int kActorShift = 10;
constexpr int kLengthShift = 14;
constexpr int kKindShift = 18;
constexpr std::uint32_t kMemberBit = 1u << 21;
constexpr std::uint32_t kFadingBit = 1u << 22;
constexpr std::uint32_t kAttachedBit = 1u << 23;

bool IsBurst(int kind)
{
    return kind == POPUP_ACTION_START || kind == POPUP_ACTION_RELEASE || kind == POPUP_SECOND_BURST;
}

void SetAlpha(DamagePopup& popup, int alpha)
{
    popup.word = (popup.word & ~kAlphaMask) | (static_cast<std::uint32_t>(alpha) & kAlphaMask);
}

const EnemyRecord& EnemyOf(int slot)
{
    return TheEnemyGroup->Records[slot];
}

// An enemy's drawn place: its escape path while it leaves the field.
void EnemyPlace(int slot, float& x, float& y)
{
    const EnemyRecord& r = EnemyOf(slot);
    const bool escaped = (r.FlagsA & FLAGS_A_ESCAPED) != 0;
    x = escaped ? r.EscapeDrawX : r.PosX;
    y = escaped ? r.EscapeDrawY : r.PosY;
}

// The actor's foot line, the depth the draw-order list sorts it by.
float CurrentDepthY(const DamagePopup& popup)
{
    if (popup.IsMember())
        return TheCharacter->members[popup.Actor()].y + kMemberSize;
    float x = 0.0f, y = 0.0f;
    EnemyPlace(popup.Actor(), x, y);
    return y + EnemyOf(popup.Actor()).BodyBox.bottom;
}

float DepthKey(const DamagePopup& popup, float depthY)
{
    return IsBurst(popup.Kind()) ? kBurstDepthBase - depthY / kBurstDepthScale
                                 : kNumberDepthBase - depthY / kNumberDepthScale;
}

// The value without leading zeros, clamped to what eight characters hold.
int WriteNumber(int value, char16_t* text)
{
    value = std::clamp(value, 0, kMaxShown);
    char16_t reversed[8];
    int count = 0;
    do {
        reversed[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < count; ++i)
        text[i] = reversed[count - 1 - i];
    text[count] = 0;
    return count;
}

// The colour's alpha grows in over the first 16 frames of a start burst and
// fades over the last 16 of a release burst; a fading popup shows its alpha.
std::uint32_t PopupColour(const DamagePopup& popup)
{
    const int kind = popup.Kind();
    std::uint32_t colour = kKinds[kind].colour;
    int alpha = 255;
    if ((kind == POPUP_ACTION_START || kind == POPUP_SECOND_BURST) && popup.timer < 16)
        alpha = std::max(0, 255 - 16 * (16 - popup.timer));
    else if (kind == POPUP_ACTION_RELEASE && popup.timer > 48)
        alpha = std::max(0, 255 - 16 * (popup.timer - 48));
    if (popup.IsFading())
        alpha = static_cast<int>(popup.word & 0xFFu);
    return (colour & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24);
}

// The lift of a number: up with the timer, a short rest at 8, then down again.
float Bounce(int timer)
{
    if (timer <= 7)
        return static_cast<float>(std::max(0, timer));
    if (timer <= 12)
        return 8.0f;
    if (timer <= 20)
        return static_cast<float>(20 - timer);
    return 0.0f;
}

// Descending by key; on equal keys enemy popups come first, then the higher actor.
bool TakeLeft(const DamagePopup& left, float leftKey, const DamagePopup& right, float rightKey)
{
    if (leftKey != rightKey)
        return leftKey > rightKey;
    if (left.IsMember() != right.IsMember())
        return !left.IsMember();
    return left.Actor() >= right.Actor();
}

} // namespace

int DamagePopup::Alpha() const
{
    const int field = static_cast<int>(word & kAlphaMask);
    return field >= 512 ? field - 1024 : field;
}

void CBattleEffect::ClearBattleEffects()
{
    popups.clear();
    for (auto& sparks : memberSparks)
        sparks.clear();
    for (auto& sparks : enemySparks)
        sparks.clear();
    std::fill(&damageCount[0][0], &damageCount[0][0] + sizeof damageCount, std::uint8_t{0});
    // A draw before the next placing must not reach a freed popup.
    popupSlotCount = 0;
}

// A popup also leaves this frame's slots, so a draw before the next update
// cannot reach it.
void CBattleEffect::RemovePopup(std::list<DamagePopup>::iterator it)
{
    if (it->Kind() == POPUP_DAMAGE) {
        std::uint8_t& count = damageCount[it->IsMember() ? 1 : 0][it->Actor()];
        count = count > 0 ? count - 1 : 0;
    }
    for (int i = 0; i < popupSlotCount; ++i)
        if (popupSlots[i].popup == &*it)
            popupSlots[i].popup = nullptr;
    popups.erase(it);
}

void CBattleEffect::AddDamagePopup(bool side, int actor, int kind, bool full, int value)
{
    const int actors = side ? SPARK_MEMBERS : SPARK_ENEMIES;
    if (actor < 0 || actor >= actors || kind < 0 || kind >= POPUP_KINDS)
        return;
    DamagePopup popup;
    popup.word = 255u | (static_cast<std::uint32_t>(actor) << kActorShift) |
                 (static_cast<std::uint32_t>(kind) << kKindShift) | (side ? kMemberBit : 0u);
    float width = kMemberSize;
    if (side) {
        popup.x = TheCharacter->members[actor].x;
        popup.y = TheCharacter->members[actor].y;
    } else {
        popup.x = EnemyOf(actor).PosX;
        popup.y = EnemyOf(actor).PosY;
        width = EnemyOf(actor).Width;
    }
    if (!IsBurst(kind)) {
        int count = 4;
        if (full)
            std::copy_n(u"FULL", 5, popup.text);
        else
            count = WriteNumber(value, popup.text);
        popup.word |= kAttachedBit | (static_cast<std::uint32_t>(count + 1) << kLengthShift);
        popup.textOffsetX = std::floor((width - kCharacterWidth * static_cast<float>(count)) / 2.0f);
    }
    // A popup that cannot be had is reported and neither shown nor heard.
    try {
        popups.push_back(popup);
    } catch (const std::bad_alloc&) {
        REPORT_ERROR(BATTLE_EFFECT_SOURCE, __LINE__, ERROR_NO_MEMORY);
        return;
    }
    if (kKinds[kind].sound >= 0)
        PlaySoundEffect(kKinds[kind].sound);
    if (kind != POPUP_DAMAGE)
        return;
    // An actor shows at most four damage numbers: the oldest go first.
    std::uint8_t& count = damageCount[side ? 1 : 0][actor];
    ++count;
    for (auto it = popups.begin(); it != popups.end() && count > kMaxDamageNumbers;) {
        auto next = std::next(it);
        if (it->Kind() == POPUP_DAMAGE && it->IsMember() == side && it->Actor() == actor)
            RemovePopup(it);
        it = next;
    }
}

void CBattleEffect::FlushDamagePopups(bool side, int actor)
{
    for (DamagePopup& popup : popups) {
        if (popup.Kind() != POPUP_ACTION_START || popup.IsFading() || popup.IsMember() != side ||
            popup.Actor() != actor)
            continue;
        popup.frozenDepthY = CurrentDepthY(popup);
        SetAlpha(popup, static_cast<int>(PopupColour(popup) >> 24));
        popup.word |= kFadingBit;
    }
}

void CBattleEffect::UpdateBattleEffect()
{
    SceneTrace::Note("UpdateBattleEffect");
    for (auto it = popups.begin(); it != popups.end();) {
        auto next = std::next(it);
        DamagePopup& popup = *it;
        const PopupKindLook& look = kKinds[popup.Kind()];
        if (popup.IsFading()) {
            SetAlpha(popup, static_cast<int>(popup.word & kAlphaMask) - look.fadeStep);
            if (popup.Alpha() <= 0)
                RemovePopup(it);
        } else if (++popup.timer >= look.life) {
            if (IsBurst(popup.Kind())) {
                RemovePopup(it);
            } else {
                popup.word |= kFadingBit;
                SetAlpha(popup, 255);
            }
        }
        it = next;
    }
    UpdateHitSparks();
}

void CBattleEffect::PlaceDamagePopups()
{
    SceneTrace::Note("PlaceDamagePopups");
    popupSlotCount = 0;
    for (DamagePopup& popup : popups) {
        if (popupSlotCount == POPUP_SLOTS)
            break;
        if (!popup.IsFading() || popup.IsAttached()) {
            if (popup.IsMember()) {
                popup.x = TheCharacter->members[popup.Actor()].x;
                popup.y = TheCharacter->members[popup.Actor()].y;
            } else {
                EnemyPlace(popup.Actor(), popup.x, popup.y);
            }
        }
        const bool frozen = popup.IsFading() && !popup.IsAttached();
        const float depthY = frozen ? popup.frozenDepthY : CurrentDepthY(popup);
        popupSlots[popupSlotCount++] = {&popup, DepthKey(popup, depthY)};
    }
    for (int i = 0; i < popupSlotCount; ++i)
        popupOrder[i] = static_cast<std::uint8_t>(i);
    SortPopupSlots(0, popupSlotCount - 1);
}

void CBattleEffect::SortPopupSlots(int low, int high)
{
    if (low >= high)
        return;
    const int mid = (low + high) / 2;
    SortPopupSlots(low, mid);
    SortPopupSlots(mid + 1, high);
    int left = low, right = mid + 1, out = low;
    while (left <= mid && right <= high) {
        const PopupSlot& a = popupSlots[popupOrder[left]];
        const PopupSlot& b = popupSlots[popupOrder[right]];
        popupScratch[out++] = TakeLeft(*a.popup, a.key, *b.popup, b.key) ? popupOrder[left++] : popupOrder[right++];
    }
    while (left <= mid)
        popupScratch[out++] = popupOrder[left++];
    while (right <= high)
        popupScratch[out++] = popupOrder[right++];
    std::copy(popupScratch + low, popupScratch + high + 1, popupOrder + low);
}

void CBattleEffect::DrawBattleEffect()
{
    SceneTrace::Note("DrawBattleEffect");
    if (popupSlotCount == 0)
        return;
    SetCachedFvf(FVF_TEXTURED);
    for (int i = 0; i < popupSlotCount; ++i) {
        const PopupSlot& slot = popupSlots[popupOrder[i]];
        if (slot.popup == nullptr)
            continue;
        if (IsBurst(slot.popup->Kind()))
            DrawBurst(*slot.popup, slot.key);
        else
            DrawNumber(*slot.popup, slot.key);
    }
}

// The side shrinks (start bursts) or grows (release bursts) with the timer,
// kept even so the square stays centred on whole pixels.
void CBattleEffect::DrawBurst(const DamagePopup& popup, float z)
{
    if (burstTexture == nullptr)
        return;
    const int kind = popup.Kind();
    const int life = kKinds[kind].life;
    const int n = kind == POPUP_ACTION_RELEASE ? popup.timer : life - popup.timer;
    int side = RoundToInt(64.0f * static_cast<float>(n) / static_cast<float>(life));
    side += side & 1;
    float width = kMemberSize, height = kMemberSize;
    if (!popup.IsMember()) {
        width = EnemyOf(popup.Actor()).Width;
        height = EnemyOf(popup.Actor()).Height;
    }
    const float half = static_cast<float>(side) / 2.0f;
    const float left = std::trunc(popup.x + width / 2.0f - half);
    const float top = std::trunc(popup.y + height / 2.0f - half);
    const float right = std::trunc(left + static_cast<float>(side));
    const float bottom = std::trunc(top + static_cast<float>(side));
    const float* u = kind == POPUP_SECOND_BURST ? burstU2 : burstU;
    const float* v = kind == POPUP_SECOND_BURST ? burstV2 : burstV;
    const std::uint32_t colour = PopupColour(popup);
    for (int i = 0; i < 4; ++i) {
        effectQuad[i] = {
            ((i & 1) != 0 ? right : left) - 0.5f, ((i & 2) != 0 ? bottom : top) - 0.5f, z, 1.0f, colour, u[i], v[i]};
    }
    SetCachedTexture(GetTextureHandle(*burstTexture));
    DrawQuadStrip(effectQuad, sizeof(TexturedVertex));
}

// Text drawing sets its own texture and format: both caches are forgotten.
void CBattleEffect::DrawNumber(const DamagePopup& popup, float z)
{
    if (labelText == nullptr)
        return;
    CurrentFvf = 0xFFFFFFFFu;
    CurrentTexture = nullptr;
    float y = popup.y;
    if (popup.IsMember()) {
        y += kMemberSize;
    } else {
        const EnemyRecord& r = EnemyOf(popup.Actor());
        y += r.Height / 32.0f + 2.0f + r.LabelHeight;
    }
    y = y - digitHeight - Bounce(popup.timer);
    const float position[3] = {std::trunc(popup.x + popup.textOffsetX), std::trunc(y), z};
    labelText->DrawString(position, PopupColour(popup), popup.text, popup.TextLengthField(), 0.0f, TEXT_NO_WRAP,
                          TEXT_WHOLE, 0);
}
