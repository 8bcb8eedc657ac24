// The 17 tunes: short generated melodies over a bass line, each tune in its
// own key, tempo and instruments, long enough to loop audibly.
#include <cstdio>
#include <string>

#include "Encoders.h"
#include "SampleData.h"

namespace sampledata {
namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

std::vector<Note> Melody(int tune, const int* scale, int root)
{
    std::vector<Note> notes;
    std::uint32_t state = 0x1234u + static_cast<std::uint32_t>(tune) * 7919u;
    int degree = 0;
    for (int i = 0; i < 40; ++i) {
        state = state * 214013u + 2531011u;
        const int step = static_cast<int>((state >> 16) % 5) - 2;
        degree = (degree + step + 14) % 14;
        const int key = root + 12 * (degree / 7) + scale[degree % 7];
        const int ticks = (i % 8 == 7) ? kTicksPerQuarter * 2 : kTicksPerQuarter / 2 * (1 + (state >> 20) % 2);
        notes.push_back({key, ticks});
    }
    return notes;
}

std::vector<Note> Bass(const std::vector<Note>& melody, int root)
{
    int total = 0;
    for (const Note& n : melody)
        total += n.ticks;
    std::vector<Note> notes;
    const int pattern[4] = {0, 7, 5, 7};
    for (int t = 0, i = 0; t < total; t += kTicksPerQuarter, ++i)
        notes.push_back({root - 24 + pattern[i % 4], kTicksPerQuarter});
    return notes;
}

} // namespace

std::string TuneFileName(int tune)
{
    char name[16];
    std::snprintf(name, sizeof name, "Tune%02d.mid", tune);
    return name;
}

Bytes TuneFile(int tune)
{
    const bool minor = tune == 4 || tune % 3 == 2; // the battle tune is in a minor key
    const int root = 60 + (tune * 5) % 12;
    std::vector<TunePart> parts;
    parts.push_back({0, (tune * 8) % 80, 100, Melody(tune, minor ? kMinor : kMajor, root)});
    parts.push_back({1, 32 + tune % 8, 90, Bass(parts[0].notes, root)});
    // Tune 4 loops at a fixed event number of its own; the others mark their loop point.
    return EncodeMidi(minor ? 150 : 100 + tune * 3, parts, tune != 4);
}

} // namespace sampledata
