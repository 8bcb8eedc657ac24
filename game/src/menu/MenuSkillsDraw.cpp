// The skill page: the member column, the chosen member's two skills (grey
// while switched off) and the description of the one under the cursor.
#include "core/GameConstants.h"
#include "core/MemberNames.h"
#include "core/Parts.h"
#include "field/FieldServices.h"
#include "media/FixedWindowSet.h"
#include "menu/MapMenu.h"
#include "menu/MapMenuModes.h"
#include "menu/MenuServices.h"
#include "menu/MenuTextDraw.h"
#include "menu/MenuTextOrigins.h"
#include "menu/MenuTextTables.h"
#include "party/PartyServices.h"

namespace {

constexpr int kMemberWindow = 16;
constexpr int kSkillWindow = 17;
constexpr int kSkillsPerMember = 2;
constexpr float kInset = 10.0f;
constexpr float kRow = 26.0f;
constexpr float kTextNearer = 0.001f;
constexpr float kMemberDepths[2] = {0.298f, 0.398f};
constexpr std::uint32_t kSkillOff = 0xFFA0A0A0u;
constexpr int kNameMost = 5;
constexpr int kCostMost = 11;
constexpr int kEffectMost = 17;
constexpr float kDepth = BOTTOM_TEXT_DEPTH;
constexpr float kNameX = BOTTOM_TEXT_X + 26.0f;
constexpr float kLine1 = BOTTOM_TEXT_Y;
constexpr float kLine2 = BOTTOM_TEXT_Y + 32.0f;
constexpr float kLine3 = BOTTOM_TEXT_Y + 64.0f;
constexpr float kCostShift = 30.0f;

struct SkillText {
    const char16_t* name;
    const char16_t* cost;
    const char16_t* effect;
};

// Two skills a member, fixed.
constexpr SkillText SkillTextTable[MEMBER_NAME_COUNT][kSkillsPerMember] = {
    {{u"吹き飛ばし", u"20", u"威力150% 吹き飛ばし"}, {u"強打", u"60", u"威力800%"}},
    {{u"毒矢", u"20", u"威力100% ランダム状態異常追加"}, {u"吸収矢", u"40", u"威力150% HP吸収"}},
    {{u"祈り", u"40　行動時間1.8秒", u"自身のHP+1～100%"}, {u"青い盾", u"50　行動時間2.5秒", u"自身に防護追加"}},
};

int Shown(const char16_t* text, int most)
{
    const int length = MenuTextLength(text);
    return length < most ? length : most;
}

// A skill's switch is the member's option byte after the first: the
// second action flips byte skill + 1, and the row greys by that same byte,
// so a switched-off skill is the one its row shows grey. Byte 0 is not a
// skill's switch.
bool SkillOn(int member, int skill)
{
    return TheCharacter->memberOptions[member][skill + 1] != 0;
}

} // namespace

void CMapMenu::DrawSkillMemberWindow()
{
    const bool active = mode == MenuSkillMember;
    const float depth = kMemberDepths[active ? 0 : 1];
    TheFixedWindowSet->DrawFixedWindowAtDepth(kMemberWindow, active ? 0 : 1, depth);
    const auto& rect = TheFixedWindowSet->windowRects[kMemberWindow];
    for (int m = 0; m < MEMBER_NAME_COUNT; ++m)
        if (!DrawMenuText(rect.left + kInset, rect.top + kInset + kRow * static_cast<float>(m), depth - kTextNearer,
                          active ? MENU_TEXT_WHITE : MENU_TEXT_GREY, MemberNameTable[m], MEMBER_NAME_LENGTH, __LINE__))
            return;
}

void CMapMenu::DrawSkillListWindow()
{
    const int member = memberCursor;
    if (member < 0 || member >= MEMBER_NAME_COUNT || skillCursor < 0 || skillCursor >= kSkillsPerMember)
        return;
    TheFixedWindowSet->DrawFixedWindow(MENU_DESCRIPTION_WINDOW, 0);
    DrawSkillDescription(member, skillCursor);
    TheFixedWindowSet->DrawFixedWindow(kSkillWindow, 0);
    const MenuTextOrigin& origin = textOrigins[ORIGIN_SKILL_LIST];
    for (int skill = 0; skill < kSkillsPerMember; ++skill) {
        const char16_t* name = SkillTextTable[member][skill].name;
        if (!DrawMenuText(origin.x, origin.y + kRow * static_cast<float>(skill), origin.z,
                          SkillOn(member, skill) ? MENU_TEXT_WHITE : kSkillOff, name, Shown(name, kNameMost), __LINE__))
            return;
    }
}

void CMapMenu::DrawSkillDescription(int member, int skill)
{
    if (member < 0 || member >= MEMBER_NAME_COUNT || skill < 0 || skill >= kSkillsPerMember)
        return;
    const SkillText& text = SkillTextTable[member][skill];
    // The skill's icon is its member's weapon icon.
    TheEvent->DrawEventIcon(member + 1, 0.0f, 0);
    DrawMenuText(kNameX, kLine1, kDepth, MENU_TEXT_WHITE, text.name, Shown(text.name, kNameMost), __LINE__) &&
        DrawMenuText(BOTTOM_TEXT_X, kLine2, kDepth, MENU_TEXT_WHITE, u"SP", 2, __LINE__) &&
        DrawMenuText(BOTTOM_TEXT_X + kCostShift, kLine2, kDepth, MENU_TEXT_WHITE, text.cost,
                     Shown(text.cost, kCostMost), __LINE__) &&
        DrawMenuText(BOTTOM_TEXT_X, kLine3, kDepth, MENU_TEXT_WHITE, text.effect, Shown(text.effect, kEffectMost),
                     __LINE__);
}
