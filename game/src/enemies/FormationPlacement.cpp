// Where the formation entries stand before they are made: fixed patterns of
// centres by count and pattern, or one or two random lines.
#include <algorithm>

#include "enemies/Enemy.h"

namespace {

struct Centre {
    float x, y;
};

struct FixedPattern {
    int count;
    int pattern; // 0: any pattern
    Centre centres[ENEMY_SLOTS];
};

const FixedPattern kFixedPatterns[] = {
    {1, 0, {{180, 280}}},
    {2, 1, {{180, 216}, {180, 344}}},
    {2, 2, {{90, 280}, {271, 280}}},
    {3, 1, {{180, 184}, {180, 280}, {180, 376}}},
    {3, 2, {{160, 280}, {80, 200}, {80, 360}}},
    {3, 3, {{90, 184}, {90, 376}, {271, 280}}},
    {3, 4, {{90, 280}, {271, 184}, {271, 376}}},
    {4, 1, {{90, 216}, {90, 344}, {271, 216}, {271, 344}}},
    {4, 2, {{180, 136}, {180, 232}, {180, 328}, {180, 424}}},
    {4, 3, {{90, 136}, {90, 424}, {271, 216}, {271, 344}}},
    {4, 4, {{90, 184}, {90, 280}, {90, 376}, {271, 280}}},
    {4, 5, {{90, 280}, {180, 184}, {180, 376}, {271, 280}}},
    {5, 1, {{90, 184}, {90, 280}, {90, 376}, {271, 216}, {271, 344}}},
    {5, 2, {{90, 136}, {90, 232}, {90, 328}, {90, 424}, {271, 280}}},
    {5, 3, {{90, 184}, {90, 376}, {180, 280}, {271, 184}, {271, 376}}},
    {5, 4, {{90, 216}, {90, 344}, {271, 184}, {271, 280}, {271, 376}}},
    {6, 1, {{90, 184}, {90, 280}, {90, 376}, {271, 184}, {271, 280}, {271, 376}}},
    {6, 2, {{90, 232}, {90, 328}, {180, 136}, {180, 424}, {271, 232}, {271, 328}}},
    {7, 0, {{90, 136}, {90, 232}, {90, 328}, {90, 424}, {271, 184}, {271, 280}, {271, 376}}},
    {8, 0, {{90, 136}, {90, 232}, {90, 328}, {90, 424}, {271, 136}, {271, 232}, {271, 328}, {271, 424}}},
};

const FixedPattern* FindPattern(int count, int pattern)
{
    for (const FixedPattern& p : kFixedPatterns)
        if (p.count == count && (p.pattern == 0 || p.pattern == pattern))
            return &p;
    return nullptr;
}

// A line of k enemies starts at RowStart[k] and steps by RowSpacing[k].
constexpr float kRowStart[5] = {0, 184, 144, 88, 88};
constexpr float kRowSpacing[5] = {0, 192, 136, 128, 96};
constexpr float kLabelEdge = 181.0f;
constexpr float kLabelRoom = 18.0f;

struct LineSplit {
    int first, second;
};

} // namespace

// A count and pattern the table does not list stands as pattern 1.
void CEnemyGroup::PlaceFormation()
{
    const int count = FormationCount;
    const FixedPattern* p = FindPattern(count, FormationPattern);
    if (p == nullptr)
        p = FindPattern(count, 1);
    if (p == nullptr)
        return;
    for (int i = 0; i < count; ++i) {
        FormationX[i] = p->centres[i].x - FormationW[i] / 2.0f;
        FormationY[i] = p->centres[i].y - FormationH[i] / 2.0f;
    }
}

void CEnemyGroup::PlaceInLines()
{
    const int n = FormationCount;
    LineSplit split{n, 0};
    switch (n) {
    case 2:
        split = (DrawBattleRandom() >> 13) == 0 ? LineSplit{1, 1} : LineSplit{2, 0};
        break;
    case 3:
        if (DrawBattleRandom() >> 13) {
            const int first = (DrawBattleRandom() * 2 >> 15) + 1;
            split = {first, 3 - first};
        }
        break;
    case 4:
        if (DrawBattleRandom() >> 13)
            split = {2, 2};
        else if (DrawBattleRandom() >> 13)
            split = (DrawBattleRandom() >> 14) == 0 ? LineSplit{1, 3} : LineSplit{3, 1};
        break;
    case 5:
        if (DrawBattleRandom() >> 12) {
            const int first = (DrawBattleRandom() * 2 >> 15) + 2;
            split = {first, 5 - first};
        } else {
            split = (DrawBattleRandom() >> 14) == 0 ? LineSplit{4, 1} : LineSplit{1, 4};
        }
        break;
    case 6:
        if ((DrawBattleRandom() >> 13) == 0)
            split = (DrawBattleRandom() >> 14) == 0 ? LineSplit{2, 4} : LineSplit{4, 2};
        else
            split = {3, 3};
        break;
    case 7: {
        const int first = (DrawBattleRandom() * 2 >> 15) + 3;
        split = {first, 7 - first};
        break;
    }
    case 8:
        split = {4, 4};
        break;
    default:
        break;
    }

    // Rows: each line's entries step down the field, with some play.
    for (int i = 0; i < n; ++i) {
        const bool second = i >= split.first;
        const int k = second ? split.second : split.first;
        const int inLine = second ? i - split.first : i;
        SecondRow[i] = second ? 1 : 0;
        FormationY[i] = static_cast<float>(inLine) * kRowSpacing[k] + kRowStart[k];
        if (kRowSpacing[k] > FormationH[i])
            FormationY[i] +=
                static_cast<float>(DrawBattleRandom() * static_cast<int>(kRowSpacing[k] - FormationH[i]) / 32768);
    }
    // Columns: one line round the middle; two lines side by side, kept
    // apart where an entry and its label would meet one of the other line.
    for (int i = 0; i < n; ++i) {
        if (split.second == 0) {
            FormationX[i] = static_cast<float>((DrawBattleRandom() * 144 >> 15) + 128) - FormationW[i] / 2.0f;
            continue;
        }
        float low = std::max(64.0f - FormationW[i] / 2.0f, FormationNameW[i] / 2.0f + 4.0f);
        float high = 320.0f - FormationW[i];
        for (int j = 0; j < n; ++j) {
            if (SecondRow[j] == SecondRow[i])
                continue;
            const bool overlaps = FormationY[i] < FormationY[j] + FormationH[j] + kLabelRoom &&
                                  FormationY[j] < FormationY[i] + FormationH[i] + kLabelRoom;
            if (!overlaps)
                continue;
            if (SecondRow[i])
                low = std::max(low, kLabelEdge);
            else
                high = std::min(high, kLabelEdge - FormationW[i]);
        }
        const int range = std::max(0, static_cast<int>(high - low));
        FormationX[i] = low + static_cast<float>(DrawBattleRandom() * range / 32768);
    }
}
