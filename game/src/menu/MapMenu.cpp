// The menu object's construction, release and reset, and quitting the game.
#include "menu/MapMenu.h"

#include <cstring>
#include <type_traits>

#include "core/CloseRequest.h"
#include "menu/MenuNumberTexts.h"
#include "menu/MenuServices.h"

namespace {

// What the markers remember; each drawer rebuilds its texts when its marker
// no longer matches what it shows.
enum MenuMarker : int { kMarkerMagicInfo, kMarkerEquipText, kMarkerEnemyGraphic, kMarkerEnemyShown };
constexpr std::int16_t kMarkerStart[4] = {-1, -2, -1, -1};
// Three fields of 15, 7 and 7 bits, all ones: nothing chosen.
constexpr std::uint32_t kPackedNothing = (1u << 29) - 1u;
constexpr float kPictureDepths[2] = {0.299f, 0.301f};

// Item effects last these many frames; the descriptions show whole seconds.
constexpr int kDurationFrames[MENU_DURATION_COUNT] = {5400, 2700, 2700, 1800, 1800, 1200, 2400,
                                                      3600, 3600, 3600, 900,  1800, 7200, 2700};
constexpr int kFramesPerSecond = 60;

} // namespace

void CMapMenu::InitMapMenu()
{
    static_assert(std::is_trivially_copyable_v<CMapMenu>, "the part is cleared with memset");
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    std::memcpy(markers, kMarkerStart, sizeof markers);
    packedWord = kPackedNothing;
    mode = MenuTop;
    homeMode = MenuTop;
    cursorWindow = MENU_TOP_WINDOW;
    settingsList.count = 17;
    openedOnMap = 1;
    for (int quad = 0; quad < 2; ++quad)
        for (TexturedVertex& vertex : pictureQuads[quad]) {
            vertex.z = kPictureDepths[quad];
            vertex.rhw = 1.0f;
            vertex.colour = 0xFFFFFFFFu;
        }
    std::memcpy(useTimeLabel, u"使用時間", sizeof useTimeLabel);
    useTimeSeconds = -1;
    for (int i = 0; i < MENU_DURATION_COUNT; ++i)
        durationTexts[i].length = FormatNumber(kDurationFrames[i] / kFramesPerSecond, durationTexts[i].text);
}

void CMapMenu::ReleaseMapMenu()
{
    ReleaseEnemyPicture();
}

void CMapMenu::ReleaseEnemyPicture()
{
    delete enemyPicture;
    enemyPicture = nullptr;
    // A released picture is no longer loaded either.
    markers[kMarkerEnemyGraphic] = -1;
    markers[kMarkerEnemyShown] = -1;
}

void CMapMenu::ResetMapMenuState()
{
    std::memcpy(markers, kMarkerStart, 3 * sizeof markers[0]);
    packedWord = kPackedNothing;
    ReleaseEnemyPicture();
}

void CMapMenu::QuitGame()
{
    PostCloseMessage();
}
