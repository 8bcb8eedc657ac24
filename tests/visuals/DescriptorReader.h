// Reads a program descriptor (platform/BuiltInProgramDescriptors.h) far
// enough for the recording device: the program, the technique and the names
// of the declared parameters.
#pragma once

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

namespace visualtest {

struct DescriptorContents {
    std::string program;
    std::string technique;
    std::vector<std::string> parameters;

    const std::string* FindParameter(const std::string& name) const
    {
        for (const std::string& parameter : parameters)
            if (parameter == name)
                return &parameter;
        return nullptr;
    }
};

inline bool ReadDescriptor(const void* data, std::size_t length, DescriptorContents* out)
{
    std::istringstream lines(std::string(static_cast<const char*>(data), length));
    std::string line;
    DescriptorContents read;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string keyword, name;
        if (!(words >> keyword) || keyword[0] == '#')
            continue;
        if (!(words >> name))
            return false;
        if (keyword == "program")
            read.program = name;
        else if (keyword == "technique")
            read.technique = name;
        else if (keyword == "parameter")
            read.parameters.push_back(name);
        else
            return false;
    }
    if (read.program.empty())
        return false;
    *out = std::move(read);
    return true;
}

} // namespace visualtest
