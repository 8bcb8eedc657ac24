// What the magic learning page shows of each magic.
#pragma once

enum MagicLearnState : int {
    MAGIC_NOT_YET = 0,   // the magic before it in its chain is not learned
    MAGIC_LEARNABLE = 1, // a chain's first magic, or the one after a learned one
    MAGIC_LEARNED = 2,
};

constexpr int MAGIC_CHAIN_LENGTH = 4;
// Learning points a magic costs by its step in its chain.
constexpr int MAGIC_LEARN_COSTS[MAGIC_CHAIN_LENGTH] = {1, 3, 5, 7};
