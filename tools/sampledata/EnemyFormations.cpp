// Battle records of the sample battles: the argument words of a battle
// event (count, tune, flee label, flags, retry mode, pattern, kinds).
#include <cstdint>
#include <vector>

#include "KeyedRooms.h"
#include "SampleData.h"

namespace sampledata {
namespace {

constexpr std::uint32_t kNoLabel = 0xFFFFFFFF; // the party may not flee
constexpr std::uint32_t kRetryOffered = 0xFFFFFFFE;
constexpr std::uint32_t kBattleTune = 4;
constexpr std::uint32_t kForceBoss = 1u << 2;

std::vector<std::uint32_t> Record(std::uint32_t fleeLabel, std::uint32_t flags, std::uint32_t retryMode,
                                  std::uint32_t pattern, const std::vector<int>& kinds)
{
    std::vector<std::uint32_t> words = {
        static_cast<std::uint32_t>(kinds.size()), kBattleTune, fleeLabel, flags, retryMode, pattern};
    words.insert(words.end(), kinds.begin(), kinds.end());
    return words;
}

} // namespace

// The first map's fighter: a slime and a bat, a few blows of the leader; the
// party may flee (to label 1) and a lost battle goes back to the event (label 2).
std::vector<std::uint32_t> FighterBattleRecord()
{
    return Record(1, 0, 2, 0, kFighterKinds);
}

std::vector<std::uint32_t> SecondFighterBattleRecord()
{
    return Record(kNoLabel, 0, kRetryOffered, 0, kSecondFighterKinds);
}

// Goblin, caster and healer in pattern 3; a lost battle may be fought again.
std::vector<std::uint32_t> RetryBattleRecord()
{
    return Record(0, 0, kRetryOffered, 3, kSecondFighterKinds);
}

// The dragon in the middle of two bats and two casters; no fleeing.
std::vector<std::uint32_t> BossBattleRecord()
{
    return Record(kNoLabel, kForceBoss, kRetryOffered, 3, {1, 1, 7, 3, 3});
}

// Eight demo kinds in two columns.
std::vector<std::uint32_t> FullBattleRecord()
{
    return Record(0, 0, kNoLabel, 0, {9, 10, 11, 12, 13, 14, 15, 16});
}

// The patterned walkers and the vanishers together; the party may flee.
std::vector<std::uint32_t> WalkerBattleRecord()
{
    return Record(0, 0, kNoLabel, 0, {17, 18, 19, 20, 21, 22, 23, 24});
}

// The shot-pattern gallery of kinds 25-29; the party may flee.
std::vector<std::uint32_t> GalleryBattleRecord()
{
    return Record(1, 0, 2, 0, {25, 26, 27, 28, 29});
}

// The shot gallery: kinds 31 to 36, the orbiting one first.
std::vector<std::uint32_t> ShotGalleryBattleRecord()
{
    return Record(0, 0, kNoLabel, 0, {31, 32, 33, 34, 35, 36});
}

// The kinds' own walks and owner-kind shots: kind 90 first, so kind 190 follows it.
std::vector<std::uint32_t> KindMoveShowcaseBattleRecord()
{
    return Record(1, 0, 2, 0, {90, 99, 143, 176, 178, 190});
}

} // namespace sampledata

namespace sampledata {

// The encounter fields of a map header: candidate kinds with weights,
// limits and costs, fixed groups, the budget and the fixed-pattern chance.
void PutEncounterTable(Bytes& b, int map)
{
    struct Candidate {
        int kind, weight, limit, cost;
    };
    std::vector<Candidate> candidates = {{map % 8, 10, 1, 1}, {1 + map % 8, 10, 1, 1}, {2 + map % 8, 10, 1, 1}};
    int budgetMin = 2;
    int budgetMax = 4;
    if (map == 0) {
        candidates = {{0, 40, 3, 1}, {1, 30, 2, 2}, {2, 20, 1, 2}, {3, 10, 1, 2}};
        budgetMax = 5;
    } else if (map == 1) {
        candidates = {{9, 40, 2, 1}, {10, 30, 2, 1}, {11, 30, 1, 2}};
        struct Group {
            int kind, weight, size, low, high, pattern, shuffle;
        };
        const Group groups[2] = {{12, 40, 3, 0, 0, 1, 0}, {-3, 30, 0, 0, 0, 1, 1}};
        for (int g = 0; g < 2; ++g) {
            Put16(b, 38 + 2 * g, static_cast<std::uint32_t>(groups[g].kind));
            Put8(b, 102 + g, static_cast<std::uint32_t>(groups[g].weight));
            Put8(b, 106 + g, static_cast<std::uint32_t>(groups[g].size));
            Put8(b, 110 + g, static_cast<std::uint32_t>(groups[g].low));
            Put8(b, 114 + g, static_cast<std::uint32_t>(groups[g].high));
            Put8(b, 118 + g, static_cast<std::uint32_t>(groups[g].pattern));
            Put8(b, 122 + g, static_cast<std::uint32_t>(groups[g].shuffle));
        }
        PutBits(b, 132, 0, 7, 50); // half of the drawn groups take a fixed pattern
    } else if (map == keyed::kSwapMap) {
        // Every candidate to its limit: two of kind 109 and one each of 110,
        // 111 and 113, which the lower half of the hall swaps.
        candidates = {{109, 10, 2, 1}, {110, 10, 1, 1}, {111, 10, 1, 1}, {113, 10, 1, 1}};
        budgetMin = budgetMax = 5;
    } else if (map == keyed::kRightSwapMap) {
        // Two walkers of kind 22 and one of kind 23, which the right half of the hall swaps.
        candidates = {{22, 10, 2, 1}, {23, 10, 1, 1}};
        budgetMin = budgetMax = 3;
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        Put16(b, 18 + 2 * i, static_cast<std::uint32_t>(candidates[i].kind));
        Put8(b, 60 + i, static_cast<std::uint32_t>(candidates[i].weight));
        Put8(b, 70 + i, static_cast<std::uint32_t>(candidates[i].limit));
        Put8(b, 80 + i, static_cast<std::uint32_t>(candidates[i].cost));
    }
    PutBits(b, 128, 10, 4, static_cast<std::uint32_t>(budgetMin));
    PutBits(b, 128, 14, 4, static_cast<std::uint32_t>(budgetMax));
}

} // namespace sampledata
