// The floor lists of the floor-choice command: which floors a list offers
// by the flags the player has set, shown in the choice window.
#include <iterator>
#include <string_view>

#include "core/Parts.h"
#include "field/event/Event.h"
#include "record/Pipkorn.h"

namespace {

struct FloorList {
    std::u16string_view text; // rows separated by a line feed
    int baseRows;             // shown with no flag set
    int rowFlags[5];          // the flag that shows row baseRows + 1 + i (0: none)
};

constexpr FloorList kFloorLists[] = {
    {u"第2層\n第3層\n第4層\n第5層\n第6層", 1, {179, 181, 183, 185, 0}},
    {u" 7F\n13F\n20F\n26F\n32F\n40F", 2, {351, 366, 377, 396, 0}},
    {u"第8層\n第9層\n第10層\n第11層\n第12層", 2, {445, 447, 449, 0, 0}},
    {u"第14層\n第15層\n第16層\n第17層\n第18層\n第19層\n第20層", 2, {457, 459, 461, 463, 465}},
};
// Any other list shows the first two rows of list 0.
constexpr int kOtherListRows = 2;
constexpr int kCancelLabel = 7;
constexpr int kMaxLabelledRows = 7;

// The flags are tested from the highest row down: the first set one decides.
int ShownRows(const FloorList& list)
{
    for (int i = 4; i >= 0; --i)
        if (list.rowFlags[i] != 0 && TheGameData->GetGameFlag(list.rowFlags[i]) != 0)
            return list.baseRows + 1 + i;
    return list.baseRows;
}

// The length of the first `rows` rows with the line feeds between them.
int ShownLength(std::u16string_view text, int rows)
{
    int feeds = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == u'\n' && ++feeds == rows)
            return static_cast<int>(i);
    return static_cast<int>(text.size());
}

} // namespace

void CEvent::FloorWarpChoices(int list)
{
    // Row r > 0 jumps to label r - 1; cancelling jumps to label 7.
    for (int row = 1; row <= kMaxLabelledRows; ++row)
        Args[row] = row - 1;
    Args[kChoiceCancelLabel] = kCancelLabel;
    Args[kChoiceConfirmSound] = 0;
    Args[kChoiceCancelAllowed] = 1;
    const bool known = list >= 0 && list < static_cast<int>(std::size(kFloorLists));
    const FloorList& floors = kFloorLists[known ? list : 0];
    const int rows = known ? ShownRows(floors) : kOtherListRows;
    Args[kChoiceRows] = rows;
    const int length = ShownLength(floors.text, rows);
    floors.text.copy(ChoiceText, static_cast<std::size_t>(length));
    ChoiceText[length] = 0;
    Args[kChoiceTextLength] = length;
}
