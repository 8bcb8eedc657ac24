// The text a pixel shader or effect is made from: the name of a built-in
// program, for effects its technique and the parameters it declares.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct DeclaredParameter {
    std::string name;
    std::vector<float> values; // initial values given, at most four
};

struct ProgramDescriptor {
    std::string program;
    std::string technique; // empty when none is named
    std::vector<DeclaredParameter> parameters;
};

// False on anything but well-formed text: a missing or repeated "program"
// line, an unknown keyword, a value that is not a number, too many values.
bool ParseProgramDescriptor(const void* data, std::size_t length, ProgramDescriptor& descriptor);
