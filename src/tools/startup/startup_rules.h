#pragma once
// The startup manager's decisions, free of the registry: where a mode change moves an entry,
// which stale copies the conflicts check removes, and the texts the list shows.
#include <array>
#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

// A registry key is named by the kind of the entries it holds (every kind but Delayed).
inline constexpr int kNoKey = -1;

// One mode change, in the order it runs: the target is written first, the source removed last.
struct StartModePlan {
    int writeKey = kNoKey;      // write the entry into this key...
    bool appendDelayed = false; // ...or append it to the delayed list with these two:
    int origin = 0;
    int delay = 0;
    int removeKey = kNoKey;      // then remove it from this key...
    bool removeProject = false;  // ...or from the delayed list
    bool Changes() const { return writeKey != kNoKey || appendDelayed; }
};

StartModePlan PlanStartMode(const StartupItem& item, int mode, int minutes);

// Value names of the keys, indexed by kind (index Delayed stays empty).
using StartupKeyNames = std::array<std::vector<std::string>, kStartupKindCount>;

struct ConflictPlan {
    std::vector<std::pair<int, std::string>> deleteValues; // (key, name) stale paused copies
    std::vector<StartupItem> removeItems;                  // stale delayed copies
    std::vector<std::string> report;                       // names for the message, in order
};

// Paused or delayed copies of entries that are active again, compared ignoring case.
// A delayed item conflicts only with the active key of its own origin, and one of a user's keys only
// for its owner (`account`): another administrator's entry of the same name is none of its business.
ConflictPlan PlanStartupConflicts(const StartupKeyNames& keys, const std::vector<StartupItem>& delayed,
                                  const std::string& account);

// The message that lists what the conflicts check removed; title is the startup manager's button text.
std::string ConflictMessage(const std::vector<std::string>& report, const std::string& title,
                            const std::string& removed, const std::string& protect);

// The program's own autostart value in the machine Run keys, which the list leaves out.
inline constexpr const char* kOwnEntryName = "Orvanta";
// Whether the list leaves a machine Run value out as the program's own entry: any name that holds
// the own entry's, except one with a NUL, which the program never writes.
bool IsOwnEntryName(const std::string& name);

// A value name as the list and the messages show it: every control character, NUL first of all,
// as its ASCII abbreviation in brackets ("[NUL]"), so that no name shows empty or cut.
std::string ShownName(const std::string& name);

// The file whose icon stands for a command in the list.
std::string IconPathOfCommand(const std::string& command);

// Whether Windows starts the kind's entries.
bool IsActiveKind(int kind);

// The command column: the command line, or for a value that is no string its type and contents,
// which are never taken for a command.
std::string CommandText(const StartupItem& item);

// The status column: active, paused, or "<delayed> <n> <minutes>".
std::string StatusText(const StartupItem& item, const std::string& active, const std::string& paused,
                       const std::string& delayed, const std::string& minutes);
