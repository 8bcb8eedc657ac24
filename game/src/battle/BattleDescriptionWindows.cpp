// The description window along the bottom of the battle screen: what the
// item, magic, skill or ailment under the cursor does, with its icon, name
// and figures.
#include "battle/BattleMenu.h"
#include "battle/BattleMenuTables.h"
#include "core/Parts.h"
#include "media/FixedWindowSet.h"
#include "menu/MenuServices.h"
#include "party/PartyServices.h"

namespace {

constexpr float kDepth = BATTLE_MENU_DEPTH_BACK;
constexpr float kLeft = 128.0f;
constexpr float kNameX = 147.0f;
constexpr float kFirstLineY = 394.0f;
constexpr float kSecondLineY = 415.0f;
constexpr float kThirdLineY = 436.0f;
constexpr float kLinePitch = 21.0f;
constexpr float kFullWidth = 16.0f;
constexpr float kHalfWidth = 8.0f;
constexpr float kWholeWidth = 384.0f;
constexpr float kAfterPrefixWidth = 368.0f;
constexpr float kMagicInfoX = 152.0f;
constexpr float kSkillCostX = 148.0f;
constexpr float kAilmentTimeX = 192.0f;
constexpr int kDescriptionBound = 17;
constexpr int kSkillNameBound = 5;
constexpr int kSkillCostBound = 11;
constexpr int kAilmentNameBound = 2;
constexpr int kAilmentTextBound = 24;

// The colour words that colour an item description's first character: every
// kind's word but black's.
std::uint32_t PrefixColour(char16_t first)
{
    return first == battlemenu::ColourWordTable[battlemenu::COLOUR_WORD_COUNT - 1].word
               ? 0
               : battlemenu::ColourWordColour(first);
}

// The battle's own use-time text: only the digits and the seconds sign,
// since the description's first line already holds the label. (The field
// menu's text carries the label in front.)
constexpr int kSecondsTextChars = MENU_NUMBER_CHARS + 1;

int FormatSeconds(int seconds, char16_t* out)
{
    const int digits = FormatNumber(seconds, out);
    out[digits] = u'秒';
    out[digits + 1] = 0;
    return digits + 1;
}

void DrawDescriptionFrame()
{
    TheFixedWindowSet->DrawCursorFrame(BATTLE_FRAME_DESCRIPTION, BATTLE_WINDOW_ACTIVE);
}

} // namespace

void CBattleMenu::DrawItemDescription(int item)
{
    DrawDescriptionFrame();
    MenuItemRow row;
    if (!ReadMenuItemRow(item, row))
        return;
    DrawMenuIcon(BATTLE_ICON_ITEM);
    if (!DrawBattleMenuText(kNameX, kFirstLineY, kDepth, BATTLE_TEXT_BLACK, row.name, row.nameLength, __LINE__))
        return;
    const std::uint32_t prefix = row.textLength > 0 ? PrefixColour(row.text[0]) : 0;
    if (prefix != 0) {
        if (!DrawBattleMenuText(kLeft, kSecondLineY, kDepth, prefix, row.text, 1, __LINE__) ||
            !DrawBattleMenuText(kLeft + kFullWidth, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, row.text + 1,
                                row.textLength - 1, __LINE__, kLinePitch, kAfterPrefixWidth))
            return;
    } else if (!DrawBattleMenuText(kLeft, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, row.text, row.textLength, __LINE__,
                                   kLinePitch, kWholeWidth)) {
        return;
    }
    if (row.useSeconds == 0)
        return;
    // The use time follows the description's characters on its first line.
    MenuTextOrigin& at = TextPos[BATTLE_TEXT_DURATION];
    at.x =
        kLeft + kFullWidth + kFullWidth * static_cast<float>(row.placeA) + kHalfWidth * static_cast<float>(row.placeB);
    char16_t seconds[kSecondsTextChars];
    const int length = FormatSeconds(row.useSeconds, seconds);
    DrawBattleMenuText(at.x, at.y, at.z, BATTLE_TEXT_BLACK, seconds, length, __LINE__);
}

void CBattleMenu::DrawMagicDescription(int magic)
{
    DrawDescriptionFrame();
    if (magic < 0 || magic >= battlemenu::MAGIC_NAME_COUNT)
        return;
    const battlemenu::MagicName& entry = battlemenu::MagicNameTable[magic];
    const battlemenu::ColourWord& kind = battlemenu::ColourWordTable[entry.kind];
    DrawMenuIcon(BATTLE_ICON_MAGIC);
    TheMapMenu->SetMagicInfoText(magic);
    DrawBattleMenuText(kNameX, kFirstLineY, kDepth, BATTLE_TEXT_BLACK, entry.name, MenuTextLength(entry.name),
                       __LINE__) &&
        DrawBattleMenuText(kLeft, kSecondLineY, kDepth, kind.colour, &kind.word, 1, __LINE__) &&
        DrawBattleMenuText(kMagicInfoX, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, TheMapMenu->magicInfoText,
                           TheMapMenu->magicInfoLength, __LINE__) &&
        DrawBattleMenuText(kLeft, kThirdLineY, kDepth, BATTLE_TEXT_BLACK, entry.description, kDescriptionBound,
                           __LINE__, kLinePitch, kWholeWidth);
}

void CBattleMenu::DrawSkillDescription(int member, int skill)
{
    DrawDescriptionFrame();
    if (member < 0 || member >= battlemenu::SKILL_MEMBER_COUNT || skill < 0 || skill >= battlemenu::SKILLS_PER_MEMBER)
        return;
    const battlemenu::SkillName& entry = battlemenu::SkillNameTable[member][skill];
    DrawMenuIcon(BATTLE_ICON_SKILL_FIRST + member);
    DrawBattleMenuText(kNameX, kFirstLineY, kDepth, BATTLE_TEXT_BLACK, entry.name, kSkillNameBound, __LINE__) &&
        DrawBattleMenuText(kLeft, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, u"SP", 2, __LINE__) &&
        DrawBattleMenuText(kSkillCostX, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, entry.cost, kSkillCostBound,
                           __LINE__) &&
        DrawBattleMenuText(kLeft, kThirdLineY, kDepth, BATTLE_TEXT_BLACK, entry.description, kDescriptionBound,
                           __LINE__, kLinePitch);
}

void CBattleMenu::DrawAilmentDescription(int ailment)
{
    DrawDescriptionFrame();
    if (ailment < 0 || ailment >= AILMENT_COUNT)
        return;
    const int effect = ailment + FIRST_AILMENT_EFFECT;
    DrawPartyIcon(effect, kLeft, kFirstLineY, kDepth);
    const MenuNumberText& seconds = TheMapMenu->durationTexts[ailment];
    DrawBattleMenuText(kNameX, kFirstLineY, kDepth, BATTLE_TEXT_BLACK, battlemenu::AilmentNameTable[effect],
                       kAilmentNameBound, __LINE__) &&
        DrawBattleMenuText(kLeft, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, u"効果時間", 4, __LINE__) &&
        DrawBattleMenuText(kAilmentTimeX, kSecondLineY, kDepth, BATTLE_TEXT_BLACK, seconds.text, seconds.length,
                           __LINE__) &&
        DrawBattleMenuText(kAilmentTimeX + kHalfWidth * static_cast<float>(seconds.length), kSecondLineY, kDepth,
                           BATTLE_TEXT_BLACK, u"秒", 1, __LINE__) &&
        DrawBattleMenuText(kLeft, kThirdLineY, kDepth, BATTLE_TEXT_BLACK, battlemenu::AilmentDescriptionTable[ailment],
                           kAilmentTextBound, __LINE__, kLinePitch);
}
