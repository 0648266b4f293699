#include "tools/startup/startup_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "common/spoken_text.h"

namespace {

// Where a delayed entry goes back to, by its origin; kNoKey for an origin that names no key.
int ActiveKeyOfOrigin(int origin)
{
    switch (origin) {
    case MachineRun: return MachineRun;
    case MachineRunServices: return MachineRunServices;
    case MachineRun32: return MachineRun32;
    case UserRun:
    case UserRunDisabled: return UserRun;
    default: return kNoKey;
    }
}

int PausedKeyOfOrigin(int origin)
{
    switch (origin) {
    case MachineRun: return MachineRunDisabled;
    case MachineRunServices: return MachineRunServicesDisabled;
    case MachineRun32: return MachineRun32Disabled;
    case UserRun:
    case UserRunDisabled: return UserRunDisabled;
    default: return kNoKey;
    }
}

StartModePlan Move(int from, int to)
{
    StartModePlan plan;
    plan.writeKey = to;
    plan.removeKey = from;
    return plan;
}

StartModePlan Delay(int from, int origin, int minutes)
{
    StartModePlan plan;
    plan.appendDelayed = true;
    plan.origin = origin;
    plan.delay = minutes;
    plan.removeKey = from;
    return plan;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool ContainsIgnoringCase(const std::vector<std::string>& upperNames, const std::string& name)
{
    return std::find(upperNames.begin(), upperNames.end(), Upper(name)) != upperNames.end();
}

std::vector<std::string> UpperAll(const std::vector<std::string>& names)
{
    std::vector<std::string> upper;
    upper.reserve(names.size());
    for (const std::string& n : names)
        upper.push_back(Upper(n));
    return upper;
}

std::string ValueTypeName(std::uint32_t type)
{
    switch (type) {
    case 0: return "REG_NONE";
    case kValueBinary: return "REG_BINARY";
    case kValueDword: return "REG_DWORD";
    case 5: return "REG_DWORD_BIG_ENDIAN";
    case 6: return "REG_LINK";
    case kValueMultiString: return "REG_MULTI_SZ";
    case kValueQword: return "REG_QWORD";
    default: return "REG_" + std::to_string(type);
    }
}

// Enough of the contents to recognise the value in a list row.
constexpr size_t kShownBytes = 64;
constexpr size_t kShownChars = 200;

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < bytes.size() && i < kShownBytes; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (i)
            text += ' ';
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    if (bytes.size() > kShownBytes)
        text += " ...";
    return text;
}

std::string ValueContents(std::uint32_t type, const std::string& data)
{
    if (type == kValueDword && data.size() == 4) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
        return std::to_string(value);
    }
    if (type == kValueMultiString) {
        // The strings one after another, each ended by a zero; a further zero ends the list.
        std::string text;
        for (size_t start = 0; start < data.size() && data[start] != '\0';) {
            size_t end = data.find('\0', start);
            if (end == std::string::npos)
                end = data.size();
            if (!text.empty())
                text += " | ";
            text.append(data, start, end - start);
            start = end + 1;
        }
        return text.size() > kShownChars ? text.substr(0, kShownChars) + " ..." : text;
    }
    return Hex(data);
}

} // namespace

bool IsOwnEntryName(const std::string& name)
{
    return name.find('\0') == std::string::npos && name.find(kOwnEntryName) != std::string::npos;
}

std::string ShownName(const std::string& name)
{
    static const char* const abbreviations[] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                                "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                                "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                                "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
    std::string shown;
    for (std::string::size_type i = 0, lone = LoneSurrogateAt(name); i < name.size(); ++i) {
        const auto code = static_cast<unsigned char>(name[i]);
        if (i == lone) {
            const unsigned unit = 0xD000u | (static_cast<unsigned char>(name[i + 1]) & 0x3Fu) << 6 |
                                  (static_cast<unsigned char>(name[i + 2]) & 0x3Fu);
            char sign[16];
            std::snprintf(sign, sizeof sign, "[U+%04X]", unit);
            shown += sign;
            i += 2;
            lone = LoneSurrogateAt(name, i + 1);
        } else if (code < 0x20) {
            shown.append("[").append(abbreviations[code]).append("]");
        } else if (code == 0x7F) {
            shown.append("[DEL]");
        } else {
            shown += name[i];
        }
    }
    return shown;
}

StartModePlan PlanStartMode(const StartupItem& item, int mode, int minutes)
{
    const int k = item.kind;
    if (k == Delayed) {
        if (mode != StartAtBoot && mode != StartPaused)
            return {}; // delaying again keeps the stored delay
        StartModePlan plan;
        plan.writeKey = mode == StartAtBoot ? ActiveKeyOfOrigin(item.origin) : PausedKeyOfOrigin(item.origin);
        if (plan.writeKey == kNoKey)
            return {};
        plan.removeProject = true;
        return plan;
    }
    switch (mode) {
    case StartAtBoot:
        if (k == MachineRunDisabled) return Move(k, MachineRun);
        if (k == MachineRunServicesDisabled) return Move(k, MachineRunServices);
        if (k == UserRunDisabled) return Move(k, UserRun);
        if (k == MachineRun32Disabled) return Move(k, MachineRun32);
        return {};
    case StartPaused:
        if (k == MachineRun) return Move(k, MachineRunDisabled);
        if (k == MachineRunServices) return Move(k, MachineRunServicesDisabled);
        if (k == UserRun) return Move(k, UserRunDisabled);
        if (k == MachineRun32) return Move(k, MachineRun32Disabled);
        return {};
    case StartDelayed:
        if (k == MachineRun || k == MachineRunDisabled) return Delay(k, MachineRun, minutes);
        if (k == MachineRunServices || k == MachineRunServicesDisabled) return Delay(k, MachineRunServices, minutes);
        if (k == UserRun || k == UserRunDisabled) return Delay(k, k, minutes);
        if (k == MachineRun32 || k == MachineRun32Disabled) return Delay(k, MachineRun32, minutes);
        return {};
    default:
        return {};
    }
}

ConflictPlan PlanStartupConflicts(const StartupKeyNames& keys, const std::vector<StartupItem>& delayed,
                                  const std::string& account)
{
    ConflictPlan plan;
    const std::pair<int, int> pairs[] = {{MachineRunDisabled, MachineRun},
                                         {MachineRunServicesDisabled, MachineRunServices},
                                         {UserRunDisabled, UserRun},
                                         {MachineRun32Disabled, MachineRun32}};
    for (const auto& [paused, active] : pairs) {
        const std::vector<std::string> upperActive = UpperAll(keys[active]);
        for (const std::string& name : keys[paused]) {
            if (ContainsIgnoringCase(upperActive, name)) {
                plan.deleteValues.emplace_back(paused, name);
                plan.report.push_back(name);
            }
        }
    }
    for (int active : {MachineRun, MachineRunServices, UserRun, MachineRun32}) {
        const std::vector<std::string> upperActive = UpperAll(keys[active]);
        for (const StartupItem& item : delayed) {
            if (ActiveKeyOfOrigin(item.origin) == active && BelongsTo(item, account) &&
                ContainsIgnoringCase(upperActive, item.name)) {
                plan.removeItems.push_back(item);
                plan.report.push_back(item.name);
            }
        }
    }
    return plan;
}

std::string ConflictMessage(const std::vector<std::string>& report, const std::string& title,
                            const std::string& removed, const std::string& protect)
{
    // The title is a button's text: its keyboard mark goes, and the blank it once ended with comes back.
    std::string text = WithoutMnemonic(title);
    if (!text.empty() && text.back() != ' ')
        text += ' ';
    text += removed + ":\n\n";
    for (const std::string& name : report)
        text += ShownName(name) + "\n";
    return text + "\n" + protect + "\n";
}

std::string IconPathOfCommand(const std::string& command)
{
    const auto blank = command.find(' ');
    if (blank != std::string::npos)
        return command.substr(0, blank);
    const auto dot = command.find('.');
    if (dot != std::string::npos)
        return command.substr(0, dot + 4); // the dot and a three-letter extension
    return command;
}

bool IsActiveKind(int kind)
{
    return kind == MachineRun || kind == MachineRunServices || kind == UserRun || kind == MachineRun32;
}

std::string CommandText(const StartupItem& item)
{
    if (HoldsCommand(item))
        return item.command;
    return ValueTypeName(item.valueType) + ": " + ValueContents(item.valueType, item.data);
}

std::string StatusText(const StartupItem& item, const std::string& active, const std::string& paused,
                       const std::string& delayed, const std::string& minutes)
{
    if (item.kind == Delayed)
        return delayed + " " + std::to_string(item.delay) + " " + minutes;
    return IsActiveKind(item.kind) ? active : paused;
}
