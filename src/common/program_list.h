#pragma once
// A list of programs the user names: by file name ("game.exe") or by full path. Stored as a
// REG_MULTI_SZ value; compared without regard to case (ASCII letters); never started. A value that
// is not such a list, or breaks a bound, reads as an empty list.
#include <cstddef>
#include <string>
#include <vector>

using ProgramList = std::vector<std::string>;

constexpr size_t kMaxListedPrograms = 64;
constexpr size_t kMaxProgramNameBytes = 260;

enum class ProgramNameCheck { Fine, Empty, TooLong, BadCharacter };
// Blanks around the name do not count; a name is a file name or a path, without wildcards,
// quotes or control characters.
ProgramNameCheck CheckProgramName(const std::string& name);
std::string TrimBlanks(const std::string& text);

// A name the user typed or picked, trimmed, goes to the end of the list unless the list has it.
enum class ProgramAdd { Added, AlreadyListed, ListFull, BadName };
ProgramAdd AddProgram(ProgramList& list, const std::string& typed);

// The list in a REG_MULTI_SZ value's bytes, and back. A value without its final terminators still
// reads; anything else out of bounds makes the whole list empty.
ProgramList ProgramListFromBytes(const std::string& bytes);
std::string ProgramListBytes(const ProgramList& list);

// The entry that names this program, by its path, or by its file name for an entry without a
// folder; empty when none does.
std::string ListedEntryFor(const ProgramList& list, const std::string& programPath);
bool SameProgramName(const std::string& a, const std::string& b);
// The part after the last backslash or slash.
std::string FileNamePart(const std::string& path);
