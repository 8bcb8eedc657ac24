#include "menu/MenuSettingValues.h"

#include <algorithm>

#include "core/MemberNames.h"
#include "core/Parts.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"
#include "record/Config.h"
#include "record/Pipkorn.h"

namespace {

constexpr const char16_t* kDisplays[] = {u"表示しない", u"HP", u"色", u"HP&色"};
constexpr const char16_t* kVolumes[] = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"};
constexpr const char16_t* kSpeeds[] = {u"瞬間", u"普通", u"遅い"};
constexpr const char16_t* kUse[] = {u"使用する", u"使用しない"};
constexpr const char16_t* kWalk[] = {u"通常", u"高速"};
constexpr const char16_t* kPercents[] = {u" 9%", u"19%", u"29%", u"39%", u"49%",
                                         u"59%", u"69%", u"79%", u"89%", u"99%"};
constexpr const char16_t* kInterrupt[] = {u"中断する", u"中断しない"};
constexpr const char16_t* kPriority[] = {u"優先する", u"優先しない"};
constexpr const char16_t* kChant[] = {u"詠唱する", u"詠唱しない"};

constexpr SettingChoices kLeaderChoices = {36, MemberNameTable, MEMBER_NAME_COUNT, MEMBER_NAME_LENGTH};
constexpr SettingChoices kDisplayChoices = {37, kDisplays, 4, 5};
constexpr SettingChoices kVolumeChoices = {38, kVolumes, 11, 2};
constexpr SettingChoices kSpeedChoices = {39, kSpeeds, 3, 2};
constexpr SettingChoices kUseChoices = {40, kUse, 2, 5};
constexpr SettingChoices kWalkChoices = {41, kWalk, 2, 2};
constexpr SettingChoices kPercentChoices = {42, kPercents, 10, 3};
constexpr SettingChoices kInterruptChoices = {44, kInterrupt, 2, 5};
constexpr SettingChoices kPriorityChoices = {45, kPriority, 2, 5};
constexpr SettingChoices kChantChoices = {46, kChant, 2, 5};

int Bits(std::uint32_t word, int shift, int width)
{
    return static_cast<int>((word >> shift) & ((1u << width) - 1u));
}

int Stored(int mode)
{
    const CCharacter& party = *TheCharacter;
    const GameData& data = *TheGameData;
    switch (mode) {
    case MenuControlledMember:
        return Bits(party.partyWordC, 18, 2);
    case MenuWindowDisplay:
        return data.hudMode;
    case MenuBgmVolume:
        return GameConfig.BGMVol;
    case MenuSeVolume:
        return GameConfig.SoundVol;
    case MenuTextSpeed:
        return data.textSpeed;
    case MenuScreenEffect:
        return data.effectOption;
    case MenuWalkSpeed:
        return data.autoRun;
    case MenuAiMagic:
        return Bits(party.partyWordC, 30, 1);
    case MenuAiHealPercent:
        return Bits(party.partyWordC, 10, 4);
    case MenuAiPrayPercent:
        return Bits(party.partyWordD, 14, 4);
    case MenuAiGroupHealPercent:
        return Bits(party.partyWordC, 14, 4);
    case MenuActionInterrupt:
        return Bits(party.partyWordD, 26, 1);
    case MenuItemPriority: // row 0 is the stored bit set
        return 1 - Bits(party.partyWordC, 25, 1);
    case MenuChantCheck:
        return 1 - Bits(party.partyWordC, 27, 1);
    default:
        return 0;
    }
}

} // namespace

const SettingChoices* SettingChoicesOf(int mode)
{
    switch (mode) {
    case MenuControlledMember:
        return &kLeaderChoices;
    case MenuWindowDisplay:
        return &kDisplayChoices;
    case MenuBgmVolume:
    case MenuSeVolume:
        return &kVolumeChoices;
    case MenuTextSpeed:
        return &kSpeedChoices;
    case MenuScreenEffect:
    case MenuAiMagic:
        return &kUseChoices;
    case MenuWalkSpeed:
        return &kWalkChoices;
    case MenuAiHealPercent:
    case MenuAiPrayPercent:
    case MenuAiGroupHealPercent:
        return &kPercentChoices;
    case MenuActionInterrupt:
        return &kInterruptChoices;
    case MenuItemPriority:
        return &kPriorityChoices;
    case MenuChantCheck:
        return &kChantChoices;
    default:
        return nullptr;
    }
}

int StoredSettingValue(int mode)
{
    const SettingChoices* choices = SettingChoicesOf(mode);
    if (choices == nullptr)
        return 0;
    // A stored value outside the window's rows shows the nearest end.
    return std::clamp(Stored(mode), 0, choices->count - 1);
}

int SettingRowMode(int row)
{
    constexpr int kFirstChoiceRow = 2;
    constexpr int kRows = 17;
    return row >= kFirstChoiceRow && row < kRows ? MenuControlledMember + row - kFirstChoiceRow : -1;
}
