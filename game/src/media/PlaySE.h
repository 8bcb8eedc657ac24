// The sound-effect player: loads the game's 36 effects into the engine's
// static-sound object and plays them by id. A guard keeps one effect from
// stacking up when many objects ask for it at once: most effects start at
// most once per scene update, a few (hits, shots, contacts) at most once in
// four updates. Two effects loop and are switched on and off.
#pragma once

#include <cstdint>

#include "core/PackCatalogue.h"

// Ids of the effects the frame and the menus use by name.
enum SoundEffectId : int {
    SE_CONFIRM = 0,
    SE_CANCEL = 1,
    SE_CURSOR = 2,
    SE_REFUSE = 3,
    SE_MENU_OPEN_CLOSE = 4,
    SE_TOGGLE = 5,
    SE_SET = 6,
    SE_TRANSFER = 9,      // the player fades out or back in on a menu transfer
    SE_LIST_TAB = 10,     // a list's category tab turned
    SE_STEP_THROUGH = 13, // stairs and warps
    SE_MAP_MOVE = 14,     // the next map and flagged warps
    SE_WHITE_OUT = 15,    // the event screen effect
    SE_QUANTITY = 21,     // a quantity stepped
    SE_TRADE = 22,        // a purchase or sale made
    SE_ACTION_BURST = 9,  // a battle action's start or release burst
    SE_ESCAPE = 24,       // the battle menu's escape chosen
    SE_NO_DAMAGE = 32,    // a hit that does no damage
    SE_SECOND_BURST = 34, // the second battle burst
};

class CPlaySE {
public:
    CPlaySE();

    // Loads the 36 effects; false at the first that fails.
    bool InitPlaySE();
    // Called once at the start of every scene update.
    void CountPlaySEFrame();
    // Ids outside 0-35 are ignored.
    void PlaySoundEffect(int id);
    // Loop index 0 or 1; fade chooses a fade over a hard start or stop.
    void SetLoopSE(int loopIndex, bool on, bool fade);
    void SetSoundEffectVolume(int level);

    std::uint32_t GetFrameCounter() const { return frameCounter; }

private:
    // -4 lets every effect play from the first update under either rule.
    static constexpr std::uint32_t kNeverPlayed = 0xFFFFFFFCu;

    std::uint32_t lastPlayed[SOUND_EFFECT_COUNT];
    std::uint32_t frameCounter = 0;
    bool loopOn[2] = {false, false};
};

extern CPlaySE* ThePlaySE;

// Plays one effect through the game's player.
void PlaySoundEffect(int id);
