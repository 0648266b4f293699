#include "common/command_resolution.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/user_environment.h"

namespace {

constexpr size_t kMaxNameUnits = 255; // UTF-16 units in one file or folder name

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A character no Windows path holds there: the line around it is no path.
bool IsForbidden(std::string_view text, size_t at)
{
    const auto c = static_cast<unsigned char>(text[at]);
    return c < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' || c == '*' || c == '?' || (c == ':' && at != 1);
}

// What one byte of UTF-8 adds to the length in UTF-16 units.
size_t Utf16Units(char byte)
{
    const auto c = static_cast<unsigned char>(byte);
    return (c & 0xC0) == 0x80 ? 0 : c >= 0xF0 ? 2 : 1;
}

// "C:\…" or "\\server\share\…".
bool IsAbsolute(std::string_view path)
{
    const auto drive = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return (path.size() >= 3 && drive(path[0]) && path[1] == ':' && IsSeparator(path[2])) ||
           (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
}

std::string WithExtension(std::string_view name)
{
    const size_t lastSeparator = name.find_last_of("\\/");
    const std::string_view last = lastSeparator == std::string_view::npos ? name : name.substr(lastSeparator + 1);
    return std::string(name) + (last.find('.') == std::string_view::npos ? ".exe" : "");
}

// The program a path names: an absolute path as it is, a bare name in the search folders.
std::optional<std::string> Locate(std::string_view name, const FileExists& exists,
                                  const std::vector<std::string>& searchFolders)
{
    const std::string file = WithExtension(name);
    if (IsAbsolute(file))
        return exists(file) ? std::optional(file) : std::nullopt;
    if (file.find_first_of("\\/:") != std::string::npos)
        return std::nullopt;
    for (const std::string& folder : searchFolders) {
        const bool separated = !folder.empty() && IsSeparator(folder.back());
        const std::string path = folder + (separated ? "" : "\\") + file;
        if (exists(path))
            return path;
    }
    return std::nullopt;
}

} // namespace

ResolvedCommand ResolveCommand(const std::string& command, const FileExists& exists,
                               const std::vector<std::string>& searchFolders)
{
    ResolvedCommand result;
    const size_t begin = command.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return result;
    const std::string_view line = std::string_view(command).substr(begin);

    std::vector<std::pair<std::string, std::string_view>> found; // program, arguments
    const bool quoted = line.front() == '"';
    const size_t close = quoted ? line.find('"', 1) : std::string_view::npos;
    const std::string_view text = quoted ? line.substr(1, close == std::string_view::npos ? close : close - 1) : line;
    // Every end of the path is tried that a blank follows (a quoted path has one end). A character
    // no path holds, or a name too long for any file system, ends every longer try too.
    size_t nameUnits = 0;
    for (size_t at = 0;; ++at) {
        const bool atEnd = at == text.size();
        const bool blank = !atEnd && !quoted && IsBlank(text[at]);
        if ((atEnd || blank) && at > 0 && (quoted || !IsBlank(text[at - 1]))) {
            const std::string_view arguments =
                !quoted ? line.substr(at) : close == std::string_view::npos ? "" : line.substr(close + 1);
            if (auto program = Locate(text.substr(0, at), exists, searchFolders))
                found.emplace_back(std::move(*program), arguments);
        }
        if (atEnd || (!blank && IsForbidden(text, at)))
            break;
        nameUnits = IsSeparator(text[at]) ? 0 : nameUnits + Utf16Units(text[at]);
        if (nameUnits > kMaxNameUnits)
            break;
    }

    if (found.empty())
        return result;
    if (found.size() > 1) {
        result.verdict = CommandVerdict::Ambiguous;
        for (const auto& candidate : found)
            result.candidates.push_back(candidate.first);
        return result;
    }
    result.verdict = CommandVerdict::Resolved;
    result.application = found.front().first;
    result.commandLine = "\"" + result.application + "\"" + std::string(found.front().second);
    return result;
}

std::vector<std::string> ProgramSearchFolders(const std::string& systemFolder, const std::string& windowsFolder,
                                              const UserEnvironment& environment)
{
    std::vector<std::string> folders{systemFolder, windowsFolder};
    const std::string path = environment.Find("Path").value_or("");
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find(';', start), path.size());
        std::string folder = path.substr(start, end - start);
        folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
        if (IsAbsolute(folder))
            folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}
