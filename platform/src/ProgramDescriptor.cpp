#include "platform/ProgramDescriptor.h"

#include <sstream>

namespace plat {

namespace {

struct TypeName {
    ProgramParameterType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {ProgramParameterType::Float, "float"},
    {ProgramParameterType::Float2, "float2"},
    {ProgramParameterType::Float4, "float4"},
    {ProgramParameterType::Texture, "texture"},
};

bool TypeFromName(std::string_view name, ProgramParameterType* type)
{
    for (const TypeName& entry : kTypeNames) {
        if (name == entry.name) {
            *type = entry.type;
            return true;
        }
    }
    return false;
}

const char* NameOfType(ProgramParameterType type)
{
    for (const TypeName& entry : kTypeNames)
        if (entry.type == type)
            return entry.name;
    return "float";
}

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
        if (at > start)
            words.push_back(line.substr(start, at - start));
    }
    return words;
}

bool Fail(std::string* error, std::size_t lineNumber, const std::string& reason)
{
    if (error != nullptr)
        *error = "line " + std::to_string(lineNumber) + ": " + reason;
    return false;
}

bool ParseStatement(const std::vector<std::string_view>& words, ProgramDescriptor* out, std::string* reason)
{
    const std::string_view keyword = words[0];
    if (keyword == "program") {
        if (words.size() != 2)
            return *reason = "program takes one name", false;
        if (!out->program.empty())
            return *reason = "a second program line", false;
        out->program = words[1];
        return true;
    }
    if (keyword == "technique") {
        if (words.size() != 2)
            return *reason = "technique takes one name", false;
        if (out->HasTechnique(words[1]))
            return *reason = "technique named twice", false;
        out->techniques.emplace_back(words[1]);
        return true;
    }
    if (keyword == "param") {
        ProgramParameterType type;
        if (words.size() != 3)
            return *reason = "param takes a name and a type", false;
        if (!TypeFromName(words[2], &type))
            return *reason = "unknown parameter type", false;
        if (out->FindParameter(words[1]) != nullptr)
            return *reason = "parameter named twice", false;
        out->parameters.push_back({std::string(words[1]), type});
        return true;
    }
    return *reason = "unknown statement", false;
}

} // namespace

const ProgramParameter* ProgramDescriptor::FindParameter(std::string_view name) const
{
    for (const ProgramParameter& parameter : parameters)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

bool ProgramDescriptor::HasTechnique(std::string_view name) const
{
    for (const std::string& technique : techniques)
        if (technique == name)
            return true;
    return false;
}

bool ParseProgramDescriptor(const void* data, std::size_t length, ProgramDescriptor* descriptor, std::string* error)
{
    if (data == nullptr || descriptor == nullptr)
        return Fail(error, 0, "no data");
    const std::string_view text(static_cast<const char*>(data), length);
    ProgramDescriptor parsed;
    std::size_t lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find('\0') != std::string_view::npos)
            return Fail(error, lineNumber, "a zero byte");
        const std::vector<std::string_view> words = SplitWords(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        std::string reason;
        if (!ParseStatement(words, &parsed, &reason))
            return Fail(error, lineNumber, reason);
    }
    if (parsed.program.empty())
        return Fail(error, lineNumber, "no program line");
    *descriptor = std::move(parsed);
    return true;
}

std::string FormatProgramDescriptor(const ProgramDescriptor& descriptor)
{
    std::ostringstream out;
    out << "program " << descriptor.program << '\n';
    for (const std::string& technique : descriptor.techniques)
        out << "technique " << technique << '\n';
    for (const ProgramParameter& parameter : descriptor.parameters)
        out << "param " << parameter.name << ' ' << NameOfType(parameter.type) << '\n';
    return out.str();
}

std::size_t ProgramParameterFloatCount(ProgramParameterType type)
{
    switch (type) {
    case ProgramParameterType::Float:
        return 1;
    case ProgramParameterType::Float2:
        return 2;
    case ProgramParameterType::Float4:
        return 4;
    case ProgramParameterType::Texture:
        return 0;
    }
    return 0;
}

const ProgramDescriptor* BuiltInProgramDescriptor(std::string_view program)
{
    using T = ProgramParameterType;
    static const ProgramDescriptor kDescriptors[] = {
        {kScreenCircleProgram,
         {"TechniqueMain"},
         {{"g_fChangeColorMagnification", T::Float},
          {"g_fMinDistance", T::Float},
          {"g_fMaxDistancePow2", T::Float},
          {"g_fMinDistancePow2", T::Float},
          {"g_f2TextureCenterPos", T::Float2}}},
        {kBannerCrossFadeProgram, {}, {}},
        {kBannerBlurProgram, {"TechniqueMain"}, {{"g_Texture", T::Texture}, {"g_f2TextureSize", T::Float2}}},
        {kBannerCutProgram,
         {"TechniqueMain"},
         {{"g_Texture", T::Texture},
          {"g_f2TextureSize", T::Float2},
          {"g_f2TextureCutSize", T::Float2},
          {"g_f2TextureCutDrawPoint", T::Float2}}},
        {kGameOverProgram, {}, {}},
    };
    for (const ProgramDescriptor& descriptor : kDescriptors)
        if (descriptor.program == program)
            return &descriptor;
    return nullptr;
}

} // namespace plat
