// Finds the font file behind a face name through fontconfig. The game names
// Windows faces that are not installed here; the match must be a face that
// covers Japanese, so the name is tried first, then the fixed-pitch and
// sans-serif families the system gives Japanese text, and the first candidate
// whose character set holds every required character wins.
#pragma once

#include <string>
#include <string_view>

namespace engine {

struct FontFile {
    std::string path;
    int index = 0; // face index inside a collection
};

// Characters a face must cover to be taken for the game's texts: hiragana,
// katakana, a kanji and a full-width Latin letter.
constexpr std::u16string_view kRequiredCoverage = u"あア漢Ａ";

// False when no installed font covers `coverage`.
bool ResolveFontFile(const std::string& face, int weight, bool italic, std::u16string_view coverage, FontFile* file);

} // namespace engine
