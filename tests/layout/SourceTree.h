// The game's sources as the layout tests read them: each file under its
// logical path (a stand-in under the path of the part it stands in for),
// with its lines and the game headers it includes.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace layouttest {

struct SourceFile {
    std::string path;    // as written in an include line: "field/Map.h"
    std::string written; // where it is: "standins/party/Character.h"
    std::vector<std::string> lines;
    std::vector<std::string> includes; // the game headers it includes, by logical path
};

// Reads every .h and .cpp below `root`.
std::vector<SourceFile> ReadSourceTree(const std::filesystem::path& root);

// The area of a logical path: its first folder ("field" for field/event/Event.h).
std::string AreaOf(const std::string& path);

// The names that `extern` declares in a file, one per declaration, skipping
// extern "C" blocks and declarations.
std::vector<std::string> ExternNames(const SourceFile& file);

// A circle of header includes ("a.h -> b.h -> a.h"), or empty when there is none.
std::string FindIncludeCircle(const std::vector<SourceFile>& files);

} // namespace layouttest
