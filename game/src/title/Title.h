// The title scene: the opening that fades the title picture in, the title
// menu (new game, load, quit), the load window with its confirmation, and
// the fade from the title into the field when a game starts or continues.
#pragma once

#include <cstdint>

#include "media/Texture.h"

// Fixed windows of the title.
constexpr int TITLE_MENU_WINDOW = 65;
constexpr int TITLE_LOAD_WINDOW = 66;
constexpr int TITLE_CONFIRM_WINDOW = 67;

// Menu states of the title menu (while TitleState is 0).
enum TitleMenuState : std::int32_t {
    TITLE_MENU_MAIN = 0,
    TITLE_MENU_LOAD = 1,
    TITLE_MENU_CONFIRM = 2,
};

class CTitle {
public:
    void InitTitle();
    void ReleaseTitle();
    void LayoutTitleWindows();
    // The game's first opening: the title picture fades in from black.
    void StartScreenFade();
    void LoadTitlePicture();

    void UpdateTitle();
    void UpdateTitleFade();
    void UpdateTitleOpening();

    // 0 the title menu, 1 the load window, 2 the load confirmation.
    void OpenTitleMenu(int which);
    void SetTitleMenuState(int state);
    // Leaves the title for the field with a fresh game or the loaded one.
    void StartNewGame(bool newGame);
    // From the field menu back to the opening.
    void ReturnToTitle();

    void DrawTitle();
    void DrawTitlePicture();

    int GetLeaveStep() const { return leaveStep; }
    int GetOpeningStep() const { return openingStep; }

    CTexture* picture;
    TexturedVertex pictureQuad[4];
    float textPosition[3];
    std::int32_t menuState;
    std::int32_t leaveStep;   // 0-3 while leaving for the field
    std::int32_t openingStep; // 0-4 during the opening
    std::uint32_t pictureColour;
    std::int32_t leaveLevel;
    std::int32_t leaveCounter;
    std::int32_t openingLevel;
    std::int32_t openingCounter;
    std::int32_t fadeStep;
    std::int8_t menuCursor;    // 0 new game, 1 load, 2 quit
    std::int8_t slotCursor;    // save slot 0-2
    std::int8_t confirmCursor; // 0 load, 1 cancel
    bool pictureReady;
    // Asks the scene update to run once more in the same frame.
    std::uint8_t RerunUpdate;

private:
    void UpdateMainMenu();
    void UpdateLoadWindow();
    void UpdateLoadConfirm();
    void EnterFieldMap(bool newGame);
    void DeletePicture();
    bool DrawTitleText(float x, float y, float z, std::uint32_t colour, const char16_t* text, int line);
};
