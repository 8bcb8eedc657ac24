// The effect object's life and its label text: the text object the party and
// enemy code draw status labels and names with, and the label widths
// measured once at start-up so the marks can be centred without measuring.
#include <new>

#include "battle/BattleEffect.h"
#include "core/PackCatalogue.h"
#include "core/TextArguments.h"
#include "core/ZephGlobals.h"
#include "media/Texture.h"

namespace {

constexpr const char* kSource = BATTLE_EFFECT_SOURCE;
constexpr int kDigitCharSet = 1;
constexpr const char* kFace = "ＭＳゴシック";
constexpr float kBurstCell = 64.0f;

constexpr const char16_t* kStatusLabels[STATUS_LABELS] = {
    u"攻撃", u"防御", u"速度＋1", u"硬化", u"防護", u"毒",   u"技封", u"魔封", u"混乱", u"鈍足",
    u"足封", u"滑り", u"衰弱",    u"能低", u"貫通", u"停止", u"脆弱", u"呪い", u"標的",
};
constexpr const char16_t* kAttackLabels[BOOST_LABELS] = {u"攻撃×1.2", u"攻撃×1.5", u"攻撃×2", u"攻撃×4"};
constexpr const char16_t* kGuardLabels[BOOST_LABELS] = {u"防御×1.2", u"防御×1.5", u"防御×2", u"防御×4"};

// A texture record holding a pack entry; a failed load keeps the record
// (drawn with no texture) and the loader reports its own failure.
CTexture* MakeRecord(int entry)
{
    auto* record = new (std::nothrow) CTexture();
    if (record == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return nullptr;
    }
    record->LoadTexture(0, entry);
    return record;
}

} // namespace

// The first failure ends the set-up: what follows it is not made.
void CBattleEffect::InitBattleEffect()
{
    ClearBattleEffects();
    popupSlotCount = 0;
    digitHeight = 0.0f;
    widthFailureLogged = false;
    if (!MakeLabelText() || !MeasureLabels())
        return;
    LoadEffectTextures();
}

bool CBattleEffect::MakeLabelText()
{
    labelText = CreateTextTextureProc != nullptr ? CreateTextTextureProc() : nullptr;
    if (labelText == nullptr) {
        REPORT_ERROR(kSource, __LINE__, ERROR_NO_MEMORY);
        return false;
    }
    if (!labelText->Init(16, 200, kFace, 0, 0xFFFFFFFFu, 0, 0, 6, 1.0f, 0, 2, 0xFF000000u, 0, 0xFF000000u, false, 17, 9,
                         0, 0.0f, false)) {
        REPORT_ERROR(kSource, __LINE__, ERROR_TEXT_INIT);
        labelText->Release();
        labelText = nullptr;
        return false;
    }
    labelText->PrepareCharSets(kDigitCharSet);
    return true;
}

bool CBattleEffect::MeasureLabels()
{
    const int height = labelText->GetStringHeight(u"0123456789", 10);
    if (height < 0) {
        REPORT_ERROR(kSource, __LINE__, ERROR_FONT_CHECK);
        return false;
    }
    digitHeight = static_cast<float>(height);
    const auto measure = [this](const char16_t* const* labels, int count, float* widths) {
        for (int i = 0; i < count; ++i) {
            const int width = labelText->GetStringWidth(labels[i], TEXT_WHOLE);
            if (width < 0) {
                REPORT_ERROR(kSource, __LINE__, ERROR_FONT_CHECK);
                return false;
            }
            widths[i] = static_cast<float>(width);
        }
        return true;
    };
    return measure(kStatusLabels, STATUS_LABELS, statusLabelWidth) &&
           measure(kAttackLabels, BOOST_LABELS, attackLabelWidth) &&
           measure(kGuardLabels, BOOST_LABELS, guardLabelWidth);
}

void CBattleEffect::LoadEffectTextures()
{
    burstTexture = MakeRecord(PACK_BATTLE_BURSTS);
    if (burstTexture == nullptr)
        return;
    if (GetTextureHandle(*burstTexture) != nullptr) {
        burstTexture->RectToUV(0.0f, 0.0f, kBurstCell, kBurstCell, burstU, burstV);
        burstTexture->RectToUV(kBurstCell, kBurstCell, 2 * kBurstCell, 2 * kBurstCell, burstU2, burstV2);
    }
    sparkTexture = MakeRecord(PACK_BATTLE_SPARKS);
}

void CBattleEffect::ReleaseBattleEffect()
{
    ClearBattleEffects();
    delete sparkTexture;
    sparkTexture = nullptr;
    delete burstTexture;
    burstTexture = nullptr;
    if (labelText != nullptr)
        labelText->Release();
    labelText = nullptr;
}

void CBattleEffect::DrawBattleLabel(const char16_t* text, float x, float y, float z, std::uint32_t colour)
{
    DrawBattleLabelEx(text, TEXT_WHOLE, x, y, z, colour);
}

// With no text object (a failed start-up) no label is drawn.
void CBattleEffect::DrawBattleLabelEx(const char16_t* text, int length, float x, float y, float z, std::uint32_t colour)
{
    if (labelText == nullptr || text == nullptr)
        return;
    const float position[3] = {x, y, z};
    labelText->DrawString(position, colour, text, length, 0.0f, TEXT_NO_WRAP, TEXT_WHOLE, 0);
}

// A failed measure answers 0; it is reported once, not every frame.
float CBattleEffect::GetBattleLabelWidth(const char16_t* text, int length)
{
    const int width = labelText != nullptr && text != nullptr ? labelText->GetStringWidth(text, length) : -1;
    if (width >= 0)
        return static_cast<float>(width);
    if (!widthFailureLogged)
        REPORT_ERROR(kSource, __LINE__, ERROR_FONT_CHECK);
    widthFailureLogged = true;
    return 0.0f;
}

float CBattleEffect::StatusLabelWidth(int effect) const
{
    return effect >= 0 && effect < STATUS_LABELS ? statusLabelWidth[effect] : 0.0f;
}

float CBattleEffect::AttackLabelWidth(int level) const
{
    return level >= 0 && level < BOOST_LABELS ? attackLabelWidth[level] : 0.0f;
}

float CBattleEffect::GuardLabelWidth(int level) const
{
    return level >= 0 && level < BOOST_LABELS ? guardLabelWidth[level] : 0.0f;
}
