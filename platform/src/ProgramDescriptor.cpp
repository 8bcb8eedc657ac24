#include "ProgramDescriptor.h"

#include <cstdlib>
#include <sstream>

namespace {

bool ParseNumber(const std::string& token, float& value)
{
    if (token.empty())
        return false;
    char* end = nullptr;
    value = std::strtof(token.c_str(), &end);
    return end == token.c_str() + token.size();
}

bool ParseLine(const std::string& line, ProgramDescriptor& descriptor)
{
    std::istringstream words(line);
    std::string keyword;
    if (!(words >> keyword) || keyword[0] == '#')
        return true;
    std::string name;
    if (!(words >> name))
        return false;
    std::string extra;
    if (keyword == "program" || keyword == "technique") {
        std::string& slot = keyword == "program" ? descriptor.program : descriptor.technique;
        if (!slot.empty() || (words >> extra))
            return false;
        slot = name;
        return true;
    }
    if (keyword != "parameter")
        return false;
    for (const DeclaredParameter& existing : descriptor.parameters) {
        if (existing.name == name)
            return false;
    }
    DeclaredParameter parameter{name, {}};
    while (words >> extra) {
        float value = 0;
        if (parameter.values.size() == 4 || !ParseNumber(extra, value))
            return false;
        parameter.values.push_back(value);
    }
    descriptor.parameters.push_back(parameter);
    return true;
}

} // namespace

bool ParseProgramDescriptor(const void* data, std::size_t length, ProgramDescriptor& descriptor)
{
    descriptor = ProgramDescriptor{};
    if (data == nullptr || length == 0)
        return false;
    const std::string text(static_cast<const char*>(data), length);
    if (text.find('\0') != std::string::npos)
        return false;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!ParseLine(line, descriptor))
            return false;
    }
    return !descriptor.program.empty();
}
