// The magic shots (kind 2) by subtype 0-16, and the damage factors of the
// other kinds by attack variant.
#pragma once

constexpr int MAGIC_SHOT_SUBTYPES = 17;
constexpr int MAGIC_SHOT_EXPIRED = 16;
constexpr int MAGIC_SHOT_BURST = 13;
constexpr int MAGIC_SHOT_SEEKER = 3;
constexpr int MAGIC_SHOT_ORBIT = 15;

struct MagicShotRow {
    float damage;
    float speed;
    int elementRow;
    int hits; // 0: unlimited
    bool fades;
    int life;
};

constexpr MagicShotRow MagicShotTable[MAGIC_SHOT_SUBTYPES] = {
    {2.0f, 3.0f, 1, 1, true, 360},   {2.5f, 2.8f, 1, 1, true, 380},  {2.5f, 2.6f, 1, 1, true, 400},
    {3.0f, 4.5f, 1, 0, true, 810},   {5.0f, 8.5f, 2, 0, true, 120},  {3.0f, 5.0f, 2, 2, true, 440},
    {4.0f, 6.0f, 2, 0, true, 200},   {2.0f, 4.5f, 2, 0, true, 400},  {2.0f, 7.0f, 3, 1, true, 180},
    {3.5f, -4.0f, 3, 2, true, 250},  {1.0f, 6.0f, 3, 0, false, 86},  {2.0f, 5.0f, 3, 0, false, 146},
    {3.5f, 0.0f, 4, 1, true, 300},   {1.25f, 0.0f, 4, 3, true, 750}, {3.0f, 0.0f, 4, 1, true, 540},
    {0.75f, 0.02f, 4, 0, true, 787}, {0.25f, 0.0f, 5, 0, true, 0},
};

constexpr float AttachedShotDamage[3] = {1.0f, 1.5f, 8.0f};
constexpr float StraightShotDamage[3] = {1.0f, 1.0f, 1.5f};
constexpr float AttackUpFactor[4] = {1.2f, 1.5f, 2.0f, 4.0f};
