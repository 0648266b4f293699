#include "common/program_list.h"

#include <algorithm>
#include <string_view>

namespace {

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasFolder(const std::string& name) { return name.find_first_of("\\/") != std::string::npos; }

} // namespace

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

ProgramNameCheck CheckProgramName(const std::string& name)
{
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty())
        return ProgramNameCheck::Empty;
    if (trimmed.size() > kMaxProgramNameBytes)
        return ProgramNameCheck::TooLong;
    const bool bad = std::ranges::any_of(trimmed, [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::string_view("<>\"|?*").find(c) != std::string_view::npos;
    });
    return bad ? ProgramNameCheck::BadCharacter : ProgramNameCheck::Fine;
}

ProgramAdd AddProgram(ProgramList& list, const std::string& typed)
{
    if (CheckProgramName(typed) != ProgramNameCheck::Fine)
        return ProgramAdd::BadName;
    const std::string name = TrimBlanks(typed);
    if (std::ranges::any_of(list, [&](const std::string& entry) { return SameProgramName(entry, name); }))
        return ProgramAdd::AlreadyListed;
    if (list.size() >= kMaxListedPrograms)
        return ProgramAdd::ListFull;
    list.push_back(name);
    return ProgramAdd::Added;
}

ProgramList ProgramListFromBytes(const std::string& bytes)
{
    ProgramList list;
    if (bytes.size() > kMaxListedPrograms * (kMaxProgramNameBytes + 1) + 1)
        return list;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size(); // the last name without its terminator
        if (end == start)
            break; // the empty string that closes the list
        const std::string name = bytes.substr(start, end - start);
        if (CheckProgramName(name) != ProgramNameCheck::Fine || name != TrimBlanks(name) ||
            list.size() == kMaxListedPrograms)
            return {};
        list.push_back(name);
        start = end + 1;
    }
    return list;
}

std::string ProgramListBytes(const ProgramList& list)
{
    std::string bytes;
    for (const std::string& name : list) {
        bytes += name;
        bytes += '\0';
    }
    bytes += '\0';
    return bytes;
}

bool SameProgramName(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ListedEntryFor(const ProgramList& list, const std::string& programPath)
{
    const std::string fileName = FileNamePart(programPath);
    for (const std::string& entry : list)
        if (SameProgramName(entry, HasFolder(entry) ? programPath : fileName))
            return entry;
    return {};
}
