// The party object: the three members' battle records, their stats and the
// party-wide data (money, stocks, quick commands, battle sub-state). One
// exists, the first member of the game object, reached through TheCharacter.
// Battle behaviour lives in the party's other files (PartyBattle.h,
// MemberActions.h, Leader.h); this file holds the record, its construction
// and the services the game data, the save files and the field call.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/BattleAngles.h"
#include "core/Parts.h"
#include "core/SceneTrace.h"
#include "media/Texture.h"
#include "party/PartyWords.h"

constexpr int PARTY_MEMBER_COUNT = 3;
// The third member, who thinks for itself and casts the party's magic.
constexpr int THIRD_MEMBER = 2;
constexpr int MAGIC_COUNT = 24;
constexpr int STOCK_COUNT = 6;
constexpr int STATUS_EFFECT_COUNT = 19;
constexpr int QUICK_SLOT_PAGES = 2;
constexpr int QUICK_SLOTS_PER_PAGE = 6;
constexpr std::int32_t PARTY_MAX_HP = 99999;
constexpr std::uint32_t PARTY_MAX_MONEY = 99999999;
constexpr int PARTY_MAX_STAT = 9999;
constexpr int EQUIP_WEAPON = 0;
constexpr int EQUIP_ARMOR = 1;
constexpr int EQUIP_ACCESSORY = 2;
constexpr int MEMBER_SPRITE_SIZE = 32;

// Status effects 5 to 18 are the ailments; a member's state word marks a
// knocked-out member with bit 28.
constexpr std::uint32_t AILMENT_EFFECT_BITS = 0x7FFE0;
constexpr std::uint32_t MEMBER_KNOCKED_OUT = KnockedOut::kMask;

// Status effects by the numbers the party uses for them.
enum StatusEffect : int {
    EFFECT_ATTACK_UP = 0,
    EFFECT_DEFENCE_UP = 1,
    EFFECT_SPEED_UP = 2,
    EFFECT_HARDENING = 3,
    EFFECT_PROTECTION = 4,
    EFFECT_POISON = 5,
    EFFECT_SKILL_SEAL = 6,
    EFFECT_MAGIC_SEAL = 7,
    EFFECT_CONFUSION = 8,
    EFFECT_SLOW = 9,
    EFFECT_BIND = 10,
    EFFECT_SLIP = 11,
    EFFECT_WEAKNESS = 12,
    EFFECT_ABILITY_DOWN = 13,
    EFFECT_PIERCE = 14,
    EFFECT_STOP = 15,
    EFFECT_FRAGILE = 16,
    EFFECT_CURSE = 17,
    EFFECT_TARGETED = 18,
};
// The ailments in order: ailment a is status effect FIRST_AILMENT_EFFECT + a.
constexpr int FIRST_AILMENT_EFFECT = EFFECT_POISON;
constexpr int AILMENT_COUNT = EFFECT_TARGETED - EFFECT_POISON + 1;

// A member's action states.
enum MemberActionState : std::uint32_t {
    ACTION_FREE = 0,
    ACTION_ATTACK = 1,
    ACTION_MAGIC = 2,
    ACTION_HIT_STUN = 3,
    ACTION_KNOCKED_OUT = 4,
    ACTION_STRIKE = 5,
};

// Battle phases (bits 6-9 of partyWordC).
enum BattlePhaseValue : int {
    BATTLE_PHASE_OPENING = 0,
    BATTLE_PHASE_ACTION = 1,
    BATTLE_PHASE_MENU = 2,
    BATTLE_PHASE_DEFEAT = 3,
    BATTLE_PHASE_VICTORY = 4,
};

struct QuickSlot {
    std::uint8_t kind; // 0 empty, 1 magic order, 2 battle item, 3 fixed, 4 attack order
    std::int16_t id;
};

// The status-effect record that begins every member record and every enemy record.
struct StatusEffectBlock {
    float slideX, slideY;
    std::int32_t effectTicks[STATUS_EFFECT_COUNT];
    std::int32_t markTimer[STATUS_EFFECT_COUNT]; // negative: not shown yet
    std::uint32_t effectBits;                    // bit i: status effect i active
    std::uint8_t effectOrder[STATUS_EFFECT_COUNT];
    std::uint8_t markKind[STATUS_EFFECT_COUNT];
    std::uint8_t markLevel[STATUS_EFFECT_COUNT];
    std::uint32_t effectState; // poison ticks, icon cycle, counts and shown index
    std::uint32_t boostLevels; // protection charge, attack-up and defence-up levels

    bool HasEffect(int effect) const { return (effectBits >> effect) & 1u; }
};

// A member's battle record; setup rebuilds it for every battle.
struct BattleMember : StatusEffectBlock {
    float spriteU[4];
    float spriteV[4];
    float standOff[4];
    float x, y; // top-left of the 32 × 32 sprite
    float prevX, prevY;
    float velX, velY;
    float centerX, centerY; // kept by the position setters
    float escapeAngle, escapeVelX, escapeVelY;
    float targetX, targetY;
    float driftX, driftY; // from the enemies' field shot
    float knockAngle;
    float guardFactor;
    float pullX, pullY; // from the enemy group
    std::int32_t actionFrame;
    std::int32_t walkFrame; // 0..15
    std::int32_t magicTime;
    std::int32_t stunFrame;
    std::int32_t invincibleFrames;
    std::uint32_t moveBits; // 1 up, 2 down, 4 left, 8 right
    std::uint32_t immuneEffects;
    std::int16_t stRegenWait; // zeroed at action start and knock-out
    std::int16_t alpha;
    std::int16_t spRegenFrame;
    std::int16_t spRegenPeriod;
    std::uint8_t indicatorShown[6];
    std::uint8_t indicatorLook[6];
    std::uint8_t indicatorRow[6];
    std::uint8_t moveCounters[3]; // the computer-controlled movement's counters
    std::uint8_t stRegenStep;
    std::uint32_t state;
    std::uint32_t flags;
    std::uint32_t flags2;

    std::uint32_t Action() const { return ActionState::Get(state); }
    int FacingDirection() const { return static_cast<int>(FacingField::Get(state)); }
    bool IsDown() const { return KnockedOut::IsSet(state); }
};

class CCharacter {
public:
    // Every plain field as construction leaves it, without textures (tests).
    CCharacter()
    {
        std::memset(static_cast<void*>(this), 0, sizeof(*this));
        SetPlainDefaults();
    }

    // Construction: the plain fields first, then the textures.
    void InitCharacter();
    void ReleaseCharacter();
    // Back to the values of construction, keeping the loaded textures.
    void ResetKeepingTextures();

    // The sprite cell of the member's current action, facing and walking frame.
    void SetMemberSpriteRect(int member);
    // Move a member; the centre follows.
    void SetMemberPosX(int member, float x);
    void SetMemberPosY(int member, float y);

    int GetBattlePhase() const { return static_cast<int>(BattlePhaseField::Get(partyWordC)); }
    void SetBattlePhase(int phase) { BattlePhaseField::Set(partyWordC, static_cast<std::uint32_t>(phase)); }
    int Leader() const { return static_cast<int>(LeaderField::Get(partyWordC)); }
    bool HealsLeaderFirst() const { return HealLeaderFirst::IsSet(partyWordC); }
    bool IsKnockedOut(int member) const { return members[member].IsDown(); }
    bool HasEffect(int member, int effect) const { return members[member].HasEffect(effect); }
    bool PartyFlag30() const { return MagicOff::IsSet(partyWordC); }
    // A member's drain limits, the game's rule: a drain takes at most the
    // member's HP, measured against its maximum HP, and the ratio mode
    // weighs it by the member's ratio factor.
    std::int32_t DrainLimit(int member) const { return hp[member]; }
    std::int32_t DrainLimitMax(int member) const { return maxHp[member]; }
    // Set by the map whenever its battle tune differs from its field tune.
    bool MusicSwitchOn() const { return MusicSwitch::IsSet(partyWordD); }
    void SetMusicSwitch(bool on) { MusicSwitch::Set(partyWordD, on ? 1u : 0u); }

    // The balloon over the player on the field: the icon sheet, an icon per
    // member, then the two icons of party flag 30; 16 × 16 above the sprite.
    CTexture* BalloonTexture() const { return iconTexture; }
    const float* BalloonU(int icon) const;
    const float* BalloonV() const { return iconRowV; }
    float BalloonOffsetX() const { return iconOffsetX[0]; }
    float BalloonOffsetY() const { return iconOffsetY[0]; }

    // What a map sets on entry.
    void SetPartyStockMax(const std::uint8_t* maxima);
    // The six stocks' regeneration kinds (0 none, 1-15); any other byte is stored as 0.
    void SetPartyEquipmentKinds(const std::uint8_t* kinds);
    // Every stock below its maximum is raised to it.
    void RestorePartyStock();
    // Every member: HP, SP and ST to their maxima, standing again.
    void RestoreParty();

    // The player's buttons on the field: the next leader (the previous one
    // while button 10 is held) and party flag 30, each with its balloon.
    void CycleLeader(int refreshPlayer);
    void TogglePartyFlag30(int refreshPlayer);
    // Once per completed step: each stock with a regeneration kind may gain 1.
    void RollPartyStockRegen();

    // The field menu's shortcut buttons: an item (below 36) or a learned magic
    // goes to the slot of the first shortcut button pushed, in the set button
    // 10 chooses; sound 6 when stored, 3 when not. And a magic's option byte.
    void AssignItemShortcut(int item, int buttons);
    void AssignMagicShortcut(int magic, int buttons);
    void ToggleSkillEnabled(int magic);

    CTexture* memberTextures[PARTY_MEMBER_COUNT];
    CTexture* iconTexture;
    TexturedVertex quad[4];
    std::uint8_t statsWork[28];
    QuickSlot quickSlots[QUICK_SLOT_PAGES][QUICK_SLOTS_PER_PAGE];
    BattleMember members[PARTY_MEMBER_COUNT];
    float effectIconUV[STATUS_EFFECT_COUNT][4];
    float iconUV31[4];
    float iconUV30[4];
    float memberIconUV[PARTY_MEMBER_COUNT][4];
    float iconRowV[4];
    float magicIconUV[2][4];
    float cumulativeTable[21]; // px a knocked-back target travels in k frames
    float iconOffsetX[3];
    float iconOffsetY[3];
    float iconUV26[4];
    float iconUV25[4];
    float iconUV24[4];
    float downCellU[4];
    float downCellV[4];
    float stockRatio[STOCK_COUNT];
    double drainRatio[PARTY_MEMBER_COUNT]; // the ratio factor of a drain, set at construction
    float shotReach;
    float knockDistance;
    std::uint32_t hitCountColorA;
    std::uint32_t hitCountColorB;
    std::int32_t hp[PARTY_MEMBER_COUNT];
    std::int32_t baseMaxHp[PARTY_MEMBER_COUNT];
    std::int32_t maxHp[PARTY_MEMBER_COUNT];        // after ability scaling
    std::uint32_t abilityBits[PARTY_MEMBER_COUNT]; // granted by the equipment
    std::int32_t pendingExp[PARTY_MEMBER_COUNT];
    std::int32_t shownExp[PARTY_MEMBER_COUNT];
    std::uint32_t curableMask; // the option word the save keeps whole
    std::uint32_t pushedButtons;
    std::int32_t hitCountRed;
    std::int32_t knockFrames;
    std::uint32_t money;
    std::int32_t pendingMoney;
    std::int32_t shownMoney;
    char16_t expText[PARTY_MEMBER_COUNT][5];
    std::int16_t statsA[PARTY_MEMBER_COUNT][4];
    std::int16_t statsB[PARTY_MEMBER_COUNT][4];
    char16_t moneyText[7]; // up to six digits and the closing zero
    std::int16_t spare;
    std::int16_t level[PARTY_MEMBER_COUNT];
    std::int16_t exp[PARTY_MEMBER_COUNT];
    std::int16_t sp[PARTY_MEMBER_COUNT];
    std::int16_t maxSp[PARTY_MEMBER_COUNT];
    std::int16_t st[PARTY_MEMBER_COUNT]; // the gauge
    std::int16_t maxSt[PARTY_MEMBER_COUNT];
    std::int16_t stock[STOCK_COUNT];
    std::int16_t stockMax[STOCK_COUNT];
    std::int16_t equipment[3][PARTY_MEMBER_COUNT]; // kind (weapon, armour, accessory) by member; -1 none
    std::int16_t stockRegenFrame[STOCK_COUNT];
    std::int16_t itemCooldownFrame;
    std::int16_t itemCooldownLength;
    std::int16_t downCountdown;
    std::uint8_t specialCode[PARTY_MEMBER_COUNT];
    std::uint8_t elementLevel[PARTY_MEMBER_COUNT][4];
    std::uint8_t stockRegenSpeed[STOCK_COUNT]; // index 0-7 of the regeneration periods
    std::uint8_t hpPercent[PARTY_MEMBER_COUNT];
    std::uint8_t plannedMagic[STOCK_COUNT];
    std::uint8_t accessoryScratch[83];
    std::uint8_t stockOrder[STOCK_COUNT];
    std::uint8_t memberOptions[PARTY_MEMBER_COUNT][3];
    std::uint8_t learned[MAGIC_COUNT];
    std::uint8_t autoMagicAllowed[MAGIC_COUNT];
    std::uint8_t magicUsable[MAGIC_COUNT]; // learned and its stock can hold its cost (RefreshMagicUsable)
    std::uint8_t fieldShotActive;
    std::uint32_t partyWordA;
    std::uint32_t partyWordB;
    std::uint32_t partyWordC;
    std::uint32_t partyWordD;
    std::uint32_t partyWordE;

private:
    void SetPlainDefaults();
    void LoadCharacterTextures();
    void SetMemberTextureCoordinates(int member);
    void SetIconCoordinates();
};

// The highest of the three members' levels.
int GetMaxPartyLevel();

// Adds `value` (set false) or stores it (set true), kept within 0 to 99999999.
void SetMoney(std::int64_t value, bool set);

// The new-game values of the party.
void InitPartyNewGame();

// The party's setters: add (set false) or store (set true), kept within 0
// and the maximum; each shows the new value on the status panel.
void SetMemberHP(int member, std::int32_t value, bool set);
void SetMemberMP(int member, std::int32_t value, bool set);
void SetPartyStock(int kind, std::int32_t value, bool set);
// The base maximum HP (capped at 99999) and the maximum scaled by ability bits 25 and 26.
void SetMemberMaxHP(int member, std::int32_t value, std::uint32_t abilityBits);
void SetMemberMaxMP(int member, std::int32_t value);
// The ST gauge; with `event` a change that fills it or drops it below the
// member's threshold starts the gauge's 48-frame flash.
void SetMemberGauge(int member, std::int32_t value, bool event, bool set);
void SetMemberMaxGauge(int member, std::int32_t value);
// Each stock's maximum from six bytes; a stock above its new maximum is lowered.
void SetPartyStockMax(const std::uint8_t maxima[STOCK_COUNT]);
// One of the member's four base stat values.
void SetMemberSlotA(int member, int index, int value, bool refresh);
// One of the member's four stat values after equipment.
void SetMemberSlotB(int member, int index, int value);

// The member to heal: the leader when healing the leader first is on and it
// lacks HP (SP), else the one with the lowest share of its maximum.
int PickLowestHPMember();
int PickLowestMPMember();

// After a load or a new game: the status panel shows every member's figures,
// each member wears its pieces again (so every derived figure is recomputed
// from what the save keeps) and every sorted list of the game data is rebuilt.
void RefreshPartyDisplay();

// Each worn piece no longer held is replaced by the first piece of its list,
// or none; two members wearing one accessory need two of it.
void ValidateEquipment();

// Party flag 30 (the third member's magic-off switch): flipped or set, with
// sound 5 when asked; switching it on stops a magic the third member casts
// by itself.
void SetPartyFlag30Ex(std::uint32_t value, bool toggle, bool refreshIndicators, bool sound);
