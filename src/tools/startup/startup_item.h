#pragma once
// One startup entry and where it lives. The kind numbers are stored in Delay.ini.
#include <cstdint>
#include <string>

enum StartupKind : int {
    MachineRun = 0,
    MachineRunServices = 1,
    Delayed = 2,
    MachineRunDisabled = 3,
    MachineRunServicesDisabled = 4,
    UserRun = 5,
    UserRunDisabled = 6,
    // The machine Run keys that Windows keeps apart for 32-bit programs on a 64-bit system.
    MachineRun32 = 7,
    MachineRun32Disabled = 8,
};
inline constexpr int kStartupKindCount = 9;

// The mode a user gives an entry in the start mode dialog.
enum StartMode : int { StartAtBoot = 0, StartPaused = 1, StartDelayed = 2 };

// Both the dialog's table and the launcher's table hold at most this many entries.
inline constexpr int kMaxStartupItems = 100;

// Registry value types, as the registry numbers them.
inline constexpr std::uint32_t kValueString = 1;       // REG_SZ
inline constexpr std::uint32_t kValueExpandString = 2; // REG_EXPAND_SZ
inline constexpr std::uint32_t kValueBinary = 3;       // REG_BINARY
inline constexpr std::uint32_t kValueDword = 4;        // REG_DWORD
inline constexpr std::uint32_t kValueMultiString = 7;  // REG_MULTI_SZ
inline constexpr std::uint32_t kValueQword = 11;       // REG_QWORD

struct StartupItem {
    std::string name;    // registry value name, or the Project of a delayed item
    std::string command; // the command line; empty for a value that is no string
    int kind = MachineRun;
    int delay = 0;  // minutes; delayed items only
    int origin = 0; // kind before it was delayed: 0, 1, 5, 6 or 7; delayed items only
    bool launched = false;
    std::uint32_t valueType = kValueString;
    std::string data{}; // a registry entry's value exactly as stored, moved as it is
    // A delayed entry of a user's own Run keys: that account's SID text, for every administrator's
    // Tidewell reads the one list. Empty in lists written before it was recorded.
    std::string owner{};
};

// The kinds of a user's own Run keys (HKEY_CURRENT_USER), as kinds or as a delayed entry's origin.
inline bool IsUserKind(int kind) { return kind == UserRun || kind == UserRunDisabled; }

// Whether a delayed entry is the account's to list, start and put back: the machine's entries are
// everyone's, a user's only its owner's. An entry of no recorded owner goes to the first account
// that reads the list (see CDelayList::AdoptUnowned).
inline bool BelongsTo(const StartupItem& item, const std::string& account)
{
    return !IsUserKind(item.origin) || item.owner.empty() || item.owner == account;
}

// Where in text read from the registry an unpaired UTF-16 surrogate lies, kept in UTF-8's form as
// the three bytes ED A0..BF 80..BF (see win32/utf16.h); npos when there is none. No text file can
// keep one, and nothing shows it but as a sign of its own.
inline std::string::size_type LoneSurrogateAt(const std::string& text, std::string::size_type from = 0)
{
    for (auto at = text.find('\xED', from); at != std::string::npos && at + 2 < text.size();
         at = text.find('\xED', at + 1)) {
        const auto second = static_cast<unsigned char>(text[at + 1]);
        const auto third = static_cast<unsigned char>(text[at + 2]);
        if (second >= 0xA0 && second <= 0xBF && (third & 0xC0) == 0x80)
            return at;
    }
    return std::string::npos;
}

// Only string values hold a command line that can be started or delayed.
inline bool HoldsCommand(const StartupItem& item)
{
    return item.valueType == kValueString || item.valueType == kValueExpandString;
}
