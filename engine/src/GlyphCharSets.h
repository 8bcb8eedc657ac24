// The character sets a text object can render ahead of time, in the order
// they are rendered. Characters go in the order listed (not code order),
// which fixes the shape of the table's trees.
#pragma once

#include <string_view>

namespace engine {

struct GlyphCharSet {
    int flag;
    std::u16string_view characters;
};

constexpr GlyphCharSet kGlyphCharSets[] = {
    {0x01, u"0953612478"},
    {0x10, u"ァンドサポカタビョウグズツノヘモレィエキゲシゼチテニバフペミヤラヮアイゥェォオガギクケコゴザジスセソゾダヂ"
           u"ッヅデトナヌネ"
           u"ハパヒピブプベホボマムメャュユヨリルロワヲ"},
    {0x02, u"azmgtdjpwrbcefhiklnoqsuvxy"},
    {0x08, u"ぁんどさぽかたびょうぐずつのへもれぃえきげしぜちてにばふぺみやらゎあいぅぇぉおがぎくけこござじすせそぞだぢ"
           u"っづでとなぬね"
           u"はぱひぴぶぷべほぼまむめゃゅゆよりるろわを"},
    {0x04, u"AZMGTDJPWRBCEFHIKLNOQSUVXY"},
};

} // namespace engine
