// The battle's effect object and the battle's phase driver. The driver
// (BattleEffect.cpp) is the fixed order in which a battle frame steps the
// party, the shots, the enemies, the circles, the contact passes and the
// draw-order list in each phase, the layers the battle draws, and the reset
// of the battle's transient lists. The effect object itself owns the damage
// popups (DamagePopups.cpp), the sparkles over healed or cured actors
// (HitSparks.cpp) and the battle's label text (BattleLabelText.cpp).
#pragma once

#include <cstdint>
#include <list>

#include "platform/Device.h"

namespace Zeph {
class CTextTexture;
}
class CTexture;

// The name the effect object reports its failures under, and the code of a
// failed allocation.
constexpr const char* BATTLE_EFFECT_SOURCE = "BattleEffect";

constexpr int POPUP_SLOTS = 64;
constexpr int SPARK_MEMBERS = 3;
constexpr int SPARK_ENEMIES = 8;
constexpr int STATUS_LABELS = 19;
constexpr int BOOST_LABELS = 4;
constexpr int POPUP_KINDS = 6;

// One number or burst over an actor.
struct DamagePopup {
    float x = 0.0f, y = 0.0f; // the actor's position
    float textOffsetX = 0.0f;
    float frozenDepthY = 0.0f;
    char16_t text[9] = {};
    std::int16_t timer = 0;
    std::uint32_t word = 0; // see the Popup* bit helpers in DamagePopups.cpp

    int Alpha() const;
    int Actor() const { return static_cast<int>((word >> 10) & 0xFu); }
    int TextLengthField() const { return static_cast<int>((word >> 14) & 0xFu); }
    int Kind() const { return static_cast<int>((word >> 18) & 0x7u); }
    bool IsMember() const { return (word >> 21) & 1u; }
    bool IsFading() const { return (word >> 22) & 1u; }
    bool IsAttached() const { return (word >> 23) & 1u; }
};

// One sparkle over an actor, falling and turning.
struct HitSpark {
    float offsetX = 0.0f;
    float angle = 0.0f;
    std::int16_t timer = 0;   // negative until it shows
    std::uint8_t variant = 0; // 0 healing, 1 curing
};

class CBattleEffect {
public:
    void InitBattleEffect();
    void ReleaseBattleEffect();

    // The phase updates: 0 opening, 1 action, 3 defeat, 4 victory.
    void UpdateBattleOpening();
    void UpdateBattleAction();
    void UpdateBattleDefeat();
    void UpdateBattleVictory();
    // The battle's layers for a phase (above 4: only the common ones).
    void DrawBattle(int phase);
    // Empties the circles, effects, shots and draw-order lists.
    void ResetBattle();

    // A number (or "FULL") or a burst over an actor: side true for a party member.
    void AddDamagePopup(bool side, int actor, int kind, bool full, int value);
    // The actor's action-start bursts start to fade where they stand.
    void FlushDamagePopups(bool side, int actor);
    void UpdateBattleEffect();
    void PlaceDamagePopups();
    void DrawBattleEffect();
    // Frees every popup and sparkle.
    void ClearBattleEffects();

    // Four sparkles over the actor (variant 0 healing, 1 curing).
    void AddPartyHitSparks(int member, int variant);
    void AddEnemyHitSparks(int slot, int variant);
    void DrawPartyHitSparks(int member, float z);
    void DrawEnemyHitSparks(int slot, float z);
    // Whether the enemy still shows sparkles.
    bool HasEnemySparks(int slot) const;

    // A zero-terminated label (or `length` characters of it) at (x, y, depth) in `colour`.
    void DrawBattleLabel(const char16_t* text, float x, float y, float z, std::uint32_t colour);
    void DrawBattleLabelEx(const char16_t* text, int length, float x, float y, float z, std::uint32_t colour);
    // The widest line of the text in pixels; 0 when it cannot be measured.
    float GetBattleLabelWidth(const char16_t* text, int length);
    float StatusLabelWidth(int effect) const;
    float AttackLabelWidth(int level) const;
    float GuardLabelWidth(int level) const;

    // The popup list, oldest first, and this frame's placed slots in draw order.
    const std::list<DamagePopup>& Popups() const { return popups; }
    int PopupSlotCount() const { return popupSlotCount; }
    const DamagePopup* PopupInDrawOrder(int i) const { return popupSlots[popupOrder[i]].popup; }
    float PopupKeyInDrawOrder(int i) const { return popupSlots[popupOrder[i]].key; }
    int DamageCount(bool side, int actor) const { return damageCount[side ? 1 : 0][actor]; }
    const std::list<HitSpark>& MemberSparks(int member) const { return memberSparks[member]; }
    const std::list<HitSpark>& EnemySparks(int slot) const { return enemySparks[slot]; }
    float DigitHeight() const { return digitHeight; }

private:
    struct PopupSlot {
        DamagePopup* popup;
        float key;
    };

    // The steps every updated phase ends with.
    void PlaceBattleFrame();

    bool MakeLabelText();
    bool MeasureLabels();
    void LoadEffectTextures();
    void RemovePopup(std::list<DamagePopup>::iterator it);
    void DrawBurst(const DamagePopup& popup, float z);
    void DrawNumber(const DamagePopup& popup, float z);
    void SortPopupSlots(int low, int high);
    void UpdateHitSparks();
    void AddSparks(std::list<HitSpark>& sparks, float left, float right, int variant);
    void DrawSparks(const std::list<HitSpark>& sparks, float x, float y, float boxTop, float boxBottom, float z);

    TexturedVertex effectQuad[4] = {};
    PopupSlot popupSlots[POPUP_SLOTS] = {};
    CTexture* burstTexture = nullptr;
    CTexture* sparkTexture = nullptr;
    Zeph::CTextTexture* labelText = nullptr;
    std::list<DamagePopup> popups;
    std::list<HitSpark> memberSparks[SPARK_MEMBERS];
    std::list<HitSpark> enemySparks[SPARK_ENEMIES];
    float statusLabelWidth[STATUS_LABELS] = {};
    float attackLabelWidth[BOOST_LABELS] = {};
    float guardLabelWidth[BOOST_LABELS] = {};
    float burstU[4] = {}, burstV[4] = {};
    float burstU2[4] = {}, burstV2[4] = {};
    float digitHeight = 0.0f;
    std::uint8_t damageCount[2][SPARK_ENEMIES] = {};
    std::uint8_t popupOrder[POPUP_SLOTS] = {};
    std::uint8_t popupScratch[POPUP_SLOTS] = {};
    int popupSlotCount = 0;
    bool widthFailureLogged = false;
};
