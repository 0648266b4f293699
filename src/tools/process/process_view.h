#pragma once
// How the process manager shows a process and which processes it refuses to end.
#include <cstdint>
#include <string>

inline constexpr const char* kSystemServiceText = "System Service";
inline constexpr const char* kMemoryManagerText = "Memory Manager";

// The path as shown: "\??\C:\x" reads "C:\x", "\SystemRoot\x" reads "<windowsDir>\x".
std::string ProcessDisplayPath(const std::string& rawPath, const std::string& windowsDir);

// "%8X": upper-case hexadecimal, right-aligned in eight characters.
std::string FormatProcessId(std::uint32_t id);

// The memory column on the NT family: "System Service" for a working set of exactly 0.0 (which
// is also what an unreadable one gives), else "%5.2lfMB".
std::string WorkingSetText(double megabytes);

// True when the path names this program itself, in any letter case.
bool IsOwnProgramPath(const std::string& modulePath);

enum class KillRefusal {
    None,          // the process may be ended
    SystemProcess, // strKillSysServiceMessage
    OwnProgram,    // strKillMeMessage
};

// Checked in this order: system names in the path, this program, a "System Service" row.
KillRefusal CheckKillRefusal(const std::string& modulePath, const std::string& memoryText);
