#pragma once
// Every setting once: the value that stores it (and that a policy sets, by the same name), its
// type, bounds and default, the window and controls that show it and the text that names it
// there. Reading with the bounds, writing, the policy's precedence, the greyed controls and the
// policy templates' check all follow from these rows: a new setting is a new row and its texts.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/program_list.h"

enum class SettingType : uint8_t {
    Flag,   // REG_DWORD, 0 or 1
    Number, // REG_DWORD from low to high
    Text,   // REG_SZ
    List,   // REG_MULTI_SZ of program names, at most kMaxListedPrograms
};

enum class SettingHome : uint8_t {
    Key,       // the settings key
    Elsewhere, // kept by a mechanism of its own (the logon task), which reads and writes it
    None,      // nowhere: only an organisation sets it
};

struct SettingRow {
    const char* name;
    SettingType type;
    int32_t low = 0, high = 1, fallback = 0; // numbers and flags
    SettingHome home = SettingHome::Key;
    bool policy = true; // an organisation may set it
    int window = 0;     // the dialog template that shows it; 0 for none
    std::array<int, 7> controls{}; // greyed while a policy sets it
    const char* textKey = nullptr; // the words that name it in that window
};

constexpr int32_t kAlertMin = 1, kAlertMax = 75;
constexpr int32_t kStandbyAlertMin = 5, kStandbyAlertMax = 95;
constexpr int32_t kMaxIntervalMinutes = 60; // also the longest wait the back-off grows to
constexpr int32_t kMaxBackOffPercent = 50;
// The cleaning methods' mask: the classic step alone, and every method (memory/cleaning_methods.h).
constexpr int32_t kClassicCleaningMethod = 1, kEveryCleaningMethod = (1 << 7) - 1;

std::span<const SettingRow> SettingTable();
// Every name the program uses has a row; an unknown name is a mistake of the caller's and aborts.
const SettingRow& SettingRowOf(std::string_view name);

using SettingValue = std::variant<int32_t, std::string, ProgramList>;

// A registry value as it was read, or is to be written: its type and its bytes.
constexpr uint32_t kRegSz = 1, kRegDword = 4, kRegMultiSz = 7;
struct RegistryBytes {
    uint32_t type = 0;
    std::string bytes;
};

enum class ValueOrigin : uint8_t { Stored, Policy };
// What a row takes from a value; nothing when the value is of another type. A stored number is
// taken to its nearer bound and any stored flag but 0 is on, as the program always read them; a
// policy's number or flag out of bounds, or its list out of its bounds, is damaged and ignored.
std::optional<SettingValue> DecodeSetting(const SettingRow& row, const RegistryBytes& value, ValueOrigin origin);
RegistryBytes EncodeSetting(const SettingRow& row, const SettingValue& value);

// The settings as the program uses them: a policy's value before the stored one, then the row's
// default.
class SettingValues {
public:
    // A value that does not decode is left out, as if absent.
    void Take(const SettingRow& row, ValueOrigin origin, const RegistryBytes& value);

    bool Fixed(std::string_view name) const { return policy_.count(name) != 0; }
    // The policy's value, else the stored one; nothing when neither is there.
    std::optional<SettingValue> Find(std::string_view name) const;
    int32_t Number(std::string_view name) const;
    bool Flag(std::string_view name) const { return Number(name) != 0; }
    std::optional<bool> FlagIfAny(std::string_view name) const;
    std::string Text(std::string_view name) const;
    ProgramList List(std::string_view name) const;
    // The controls of a window that a policy fixes, in the table's order.
    std::vector<int> FixedControls(int window) const;

private:
    std::map<std::string, SettingValue, std::less<>> stored_, policy_;
};
