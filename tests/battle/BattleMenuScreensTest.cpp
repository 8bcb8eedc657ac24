// The whole command menu, one screen per state: every DrawString call of
// DrawBattleMenu (text, bound, origin and depth, colour, line advance, width
// limit) against the reviewed log in golden/menu_states.log. Run with
// VELMORA_UPDATE_GOLDEN=1 to write the log anew, then review its diff.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "BattleMenuScene.h"
#include "BattleMenuWindowsFixture.h"

namespace battlewindows {
namespace {

std::string Utf8(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        if (c == u'\n') {
            out += "\\n";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Line(const DrawnText& d)
{
    char numbers[160];
    std::snprintf(numbers, sizeof numbers, "|%d|%g,%g,%g|%08X|%g|%g", d.length == 0x7FFFFFFF ? -1 : d.length, d.x, d.y,
                  d.z, d.colour, d.lineAdvance, d.widthLimit);
    return Utf8(d.text) + numbers;
}

class MenuScreensTest : public MenuWindowsTest {
protected:
    void SetUp() override
    {
        MenuWindowsTest::SetUp();
        TheBattleBackground = &panel;
        battlemenuscene::SetUpScene(data(), party(), menu());
        party().SetBattlePhase(BATTLE_PHASE_MENU);
    }
    CBattleBackground panel;
};

TEST_F(MenuScreensTest, EveryStateDrawsItsWindowsAsReviewed)
{
    // The status panel comes first in every state; its texts are the panel's own.
    panel.DrawBattleHudInMenu();
    const std::size_t panelTexts = Take().size();
    std::ostringstream log;
    for (int state = 0; state < battlemenuscene::kStates; ++state) {
        battlemenuscene::PrepareState(menu(), data(), state);
        menu().DrawBattleMenu();
        log << "state " << state << "\n";
        const auto drawn = Take();
        for (std::size_t i = panelTexts; i < drawn.size(); ++i)
            log << "  " << Line(drawn[i]) << "\n";
    }
    EXPECT_TRUE(error.reports.empty());
    const std::string path = std::string(BATTLE_GOLDEN_DIR) + "/menu_states.log";
    const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << log.str();
        GTEST_SKIP() << "wrote " << path;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    std::stringstream golden;
    golden << file.rdbuf();
    // Compared state by state, so a difference names its state.
    std::istringstream want(golden.str()), got(log.str());
    std::string wantLine, gotLine, state = "(start)";
    int line = 0;
    while (true) {
        const bool moreWant = static_cast<bool>(std::getline(want, wantLine));
        const bool moreGot = static_cast<bool>(std::getline(got, gotLine));
        ++line;
        if (!moreWant && !moreGot)
            break;
        if (moreGot && gotLine.rfind("state ", 0) == 0)
            state = gotLine;
        ASSERT_EQ(moreGot ? gotLine : "(end)", moreWant ? wantLine : "(end)") << state << ", line " << line;
    }
}

} // namespace
} // namespace battlewindows
