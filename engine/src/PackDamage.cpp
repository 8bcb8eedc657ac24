#include "PackDamage.h"

#include <cstdio>

#include "platform/Paths.h"

namespace engine {
namespace {

std::vector<std::string>& Notes()
{
    static std::vector<std::string> notes;
    return notes;
}

} // namespace

std::string DamageLogLine(const std::string& line)
{
    return "Damage : " + line + "\r\n";
}

void NoteDamage(const std::string& line)
{
    // Each damaged entry is named once, however often it is asked for.
    std::vector<std::string>& notes = Notes();
    for (const std::string& noted : notes)
        if (noted == line)
            return;
    notes.push_back(line);
    std::fprintf(stderr, "Zeph: damaged data: %s\n", line.c_str());
    if (std::FILE* log = std::fopen(plat::ResolvePath("Error.log").c_str(), "ab")) {
        std::fputs(DamageLogLine(line).c_str(), log);
        std::fclose(log);
    }
}

const std::vector<std::string>& DamageNotes()
{
    return Notes();
}

} // namespace engine
