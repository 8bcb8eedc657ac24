#include "SourceTree.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

namespace layouttest {

namespace {

const std::string kStandins = "standins/";

std::vector<std::string> ReadLines(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool IsHeader(const std::string& path)
{
    return path.size() > 2 && path.compare(path.size() - 2, 2, ".h") == 0;
}

} // namespace

std::vector<SourceFile> ReadSourceTree(const std::filesystem::path& root)
{
    std::vector<SourceFile> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        SourceFile file;
        file.written = entry.path().lexically_relative(root).generic_string();
        file.path = file.written.rfind(kStandins, 0) == 0 ? file.written.substr(kStandins.size()) : file.written;
        file.lines = ReadLines(entry.path());
        files.push_back(std::move(file));
    }
    std::set<std::string> known;
    for (const SourceFile& file : files)
        known.insert(file.path);
    const std::regex include(R"re(^\s*#\s*include\s+"([^"]+)")re");
    for (SourceFile& file : files) {
        for (const std::string& line : file.lines) {
            std::smatch match;
            if (std::regex_search(line, match, include) && known.count(match[1]) != 0)
                file.includes.push_back(match[1]);
        }
    }
    std::sort(files.begin(), files.end(),
              [](const SourceFile& a, const SourceFile& b) { return a.written < b.written; });
    return files;
}

std::string AreaOf(const std::string& path)
{
    return path.substr(0, path.find('/'));
}

std::vector<std::string> ExternNames(const SourceFile& file)
{
    // The declared name is the last identifier before an array bound, an
    // initialiser or the end of the declaration.
    const std::regex declaration(R"re(^\s*extern\s+(?!"C")[^;(]*?([A-Za-z_]\w*)\s*(\[[^\]]*\]\s*)*(=[^;]*)?;)re");
    std::vector<std::string> names;
    for (const std::string& line : file.lines) {
        std::smatch match;
        if (std::regex_search(line, match, declaration))
            names.push_back(match[1]);
    }
    return names;
}

std::string FindIncludeCircle(const std::vector<SourceFile>& files)
{
    std::map<std::string, const SourceFile*> headers;
    for (const SourceFile& file : files)
        if (IsHeader(file.path))
            headers[file.path] = &file;
    enum class Mark { None, Open, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> trail;
    std::string circle;
    std::function<bool(const std::string&)> visit = [&](const std::string& path) {
        marks[path] = Mark::Open;
        trail.push_back(path);
        for (const std::string& next : headers[path]->includes) {
            if (!IsHeader(next))
                continue;
            if (marks[next] == Mark::Open) {
                auto from = std::find(trail.begin(), trail.end(), next);
                for (auto it = from; it != trail.end(); ++it)
                    circle += *it + " -> ";
                circle += next;
                return true;
            }
            if (marks[next] == Mark::None && visit(next))
                return true;
        }
        trail.pop_back();
        marks[path] = Mark::Done;
        return false;
    };
    for (const auto& [path, file] : headers)
        if (marks[path] == Mark::None && visit(path))
            return circle;
    return "";
}

} // namespace layouttest
