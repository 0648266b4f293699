#include "common/setting_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/settings_keys.h"
#include "resources/resource.h"

namespace {

using enum SettingType;

constexpr int kMain = IDD_MAIN_DIALOG, kMethods = IDD_CLEANING_METHODS, kPrograms = IDD_PROGRAMS_PAUSES;

// A flag's default is its fallback; a stored flag a window shows is also read by the rules tick,
// which keeps its own start (settings.h).
constexpr SettingRow kRows[] = {
    {.name = kUserType, .type = Number, .high = 4, .fallback = 2, .window = kMain,
     .controls = {IDC_USERTYPE_COMBO}, .textKey = "IDC_STATICUSESM"},
    {.name = kSliderPos, .type = Number, .low = 1, .high = 8, .fallback = 3, .window = kMain,
     .controls = {IDC_AMOUNT_SLIDER}, .textKey = "IDC_STATICBT2"},
    {.name = kLanguage, .type = Text, .window = kMain, .controls = {IDC_LANGUAGE_COMBO},
     .textKey = "IDC_LANGUAGE_LABEL"},
    // The hotkey control's value: a virtual-key code, and the control's modifier flags above it.
    {.name = kCleanHotkey, .type = Number, .high = 0x0FFF, .window = kMain, .controls = {IDC_CLEAN_HOTKEY},
     .textKey = "IDC_CLEAN_HOTKEY_LABEL"},
    {.name = kRamAlertValue, .type = Number, .low = kAlertMin, .high = kAlertMax, .fallback = 15, .window = kMain,
     .controls = {IDC_ALERT_EDIT, IDC_ALERT_SPIN}, .textKey = "IDC_STATICZDSM1"},
    {.name = kSoundAlert, .type = Flag, .fallback = 1, .window = kMain, .controls = {IDC_CHECKSOUND},
     .textKey = "IDC_CHECKSOUND"},
    {.name = kAutoDefrag, .type = Flag, .fallback = 1, .window = kMain, .controls = {IDC_CHECKAUTODEFRAG},
     .textKey = "IDC_CHECKAUTODEFRAG"},
    // 1: clean without asking.
    {.name = kNoticeDialog, .type = Flag, .window = kMain, .controls = {IDC_CHECKAUTODEFRAGTIP},
     .textKey = "IDC_CHECKAUTODEFRAGTIP"},
    {.name = kCleanClipBoard, .type = Flag, .fallback = 1, .window = kMain, .controls = {IDC_CHECKCLIPBOARD},
     .textKey = "IDC_CHECKCLIPBOARD"},
    {.name = kBuildReport, .type = Flag, .fallback = 1, .window = kMain, .controls = {IDC_CHECKLOG},
     .textKey = "IDC_CHECKLOG"},
    {.name = kAutostart, .type = Flag, .home = SettingHome::Elsewhere, .window = kMain,
     .controls = {IDC_CHECKAUTORUN}, .textKey = "IDC_CHECKAUTORUN"},
    // 0: tools open without the warning.
    {.name = kOtherFunctionTips, .type = Flag, .fallback = 1, .window = kMain, .controls = {IDC_CHECKALERTNOTICE},
     .textKey = "IDC_CHECKALERTNOTICE"},
    {.name = kCleanMethods, .type = Number, .low = 1, .high = kEveryCleaningMethod, .fallback = kClassicCleaningMethod,
     .window = kMethods,
     .controls = {IDC_METHOD_FILL, IDC_METHOD_WORKINGSETS, IDC_METHOD_FILECACHE, IDC_METHOD_MODIFIED,
                  IDC_METHOD_STANDBY, IDC_METHOD_LOWPRIORITY, IDC_METHOD_COMBINE},
     .textKey = "IDD_CLEANING_METHODS"},
    {.name = kStandbyAutoClean, .type = Flag, .window = kMethods, .controls = {IDC_STANDBY_AUTOCLEAN},
     .textKey = "IDC_STANDBY_AUTOCLEAN"},
    {.name = kStandbyAlertValue, .type = Number, .low = kStandbyAlertMin, .high = kStandbyAlertMax, .fallback = 50,
     .window = kMethods, .controls = {IDC_STANDBY_EDIT, IDC_STANDBY_SPIN}, .textKey = "IDC_STANDBY_AUTOCLEAN"},
    {.name = kKeepWorkingSets, .type = List, .window = kPrograms,
     .controls = {IDC_PP_KEEP_LIST, IDC_PP_KEEP_ADD, IDC_PP_KEEP_REMOVE}, .textKey = "IDC_PP_KEEP_LABEL"},
    {.name = kPausePrograms, .type = List, .window = kPrograms,
     .controls = {IDC_PP_PAUSE_LIST, IDC_PP_PAUSE_ADD, IDC_PP_PAUSE_REMOVE}, .textKey = "IDC_PP_PAUSE_LABEL"},
    {.name = kAutoCleanInterval, .type = Number, .high = kMaxIntervalMinutes, .window = kPrograms,
     .controls = {IDC_PP_INTERVAL_EDIT, IDC_PP_INTERVAL_SPIN}, .textKey = "IDC_PP_INTERVAL_LABEL"},
    {.name = kAutoCleanBackOff, .type = Number, .high = kMaxBackOffPercent, .window = kPrograms,
     .controls = {IDC_PP_BACKOFF_EDIT, IDC_PP_BACKOFF_SPIN}, .textKey = "IDC_PP_BACKOFF_LABEL"},
    {.name = kAutoCleanPauseUnhelpful, .type = Flag, .window = kPrograms, .controls = {IDC_PP_UNHELPFUL},
     .textKey = "IDC_PP_UNHELPFUL"},
    // The window's own state, not a choice.
    {.name = kShowStatus, .type = Flag, .fallback = 1, .policy = false},
    {.name = kCpuMhz, .type = Text, .policy = false},
    // What only an organisation wants.
    {.name = kNoConsoleRequests, .type = Flag, .home = SettingHome::None},
    {.name = kNoStartupChanges, .type = Flag, .home = SettingHome::None, .window = IDD_AUTORUN_DIALOG,
     .controls = {IDC_DELRUN_BUTTON, IDC_APPLYRUN_BUTTON}},
    {.name = kNoEventLog, .type = Flag, .home = SettingHome::None},
};

bool IsWhole(const std::string& bytes) { return bytes.size() == 4; }

int32_t Dword(const std::string& bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof value); // little-endian, as the registry keeps it
    return static_cast<int32_t>(value);
}

} // namespace

std::span<const SettingRow> SettingTable() { return kRows; }

const SettingRow& SettingRowOf(std::string_view name)
{
    for (const SettingRow& row : kRows)
        if (name == row.name)
            return row;
    std::abort();
}

std::optional<SettingValue> DecodeSetting(const SettingRow& row, const RegistryBytes& value, ValueOrigin origin)
{
    const bool policy = origin == ValueOrigin::Policy;
    switch (row.type) {
    case Flag:
    case Number: {
        if (value.type != kRegDword || !IsWhole(value.bytes))
            return std::nullopt;
        // Stored flags were always read as "not zero"; a DWORD is unsigned to the registry.
        const int64_t number = static_cast<uint32_t>(Dword(value.bytes));
        if (row.type == Flag && !policy)
            return int32_t{number != 0};
        if (policy && (number < row.low || number > row.high))
            return std::nullopt;
        return static_cast<int32_t>(std::clamp<int64_t>(number, row.low, row.high));
    }
    case Text: {
        if (value.type != kRegSz)
            return std::nullopt;
        return std::string(value.bytes.c_str()); // up to the first terminator, if any
    }
    case List: {
        if (value.type != kRegMultiSz)
            return std::nullopt;
        ProgramList list = ProgramListFromBytes(value.bytes);
        // An empty list reads from bytes of terminators alone; anything else that reads empty broke a bound.
        if (policy && list.empty() && value.bytes.find_first_not_of('\0') != std::string::npos)
            return std::nullopt;
        return list;
    }
    }
    return std::nullopt;
}

RegistryBytes EncodeSetting(const SettingRow& row, const SettingValue& value)
{
    switch (row.type) {
    case Flag:
    case Number: {
        const uint32_t number = static_cast<uint32_t>(std::get<int32_t>(value));
        std::string bytes(sizeof number, '\0');
        std::memcpy(bytes.data(), &number, sizeof number);
        return {kRegDword, bytes};
    }
    case Text: return {kRegSz, std::get<std::string>(value) + '\0'};
    case List: return {kRegMultiSz, ProgramListBytes(std::get<ProgramList>(value))};
    }
    return {};
}

void SettingValues::Take(const SettingRow& row, ValueOrigin origin, const RegistryBytes& value)
{
    auto& into = origin == ValueOrigin::Policy ? policy_ : stored_;
    if (std::optional<SettingValue> decoded = DecodeSetting(row, value, origin))
        into.insert_or_assign(row.name, std::move(*decoded));
}

std::optional<SettingValue> SettingValues::Find(std::string_view name) const
{
    for (const auto* values : {&policy_, &stored_})
        if (const auto found = values->find(name); found != values->end())
            return found->second;
    return std::nullopt;
}

int32_t SettingValues::Number(std::string_view name) const
{
    const std::optional<SettingValue> value = Find(name);
    return value ? std::get<int32_t>(*value) : SettingRowOf(name).fallback;
}

std::optional<bool> SettingValues::FlagIfAny(std::string_view name) const
{
    const std::optional<SettingValue> value = Find(name);
    return value ? std::optional<bool>(std::get<int32_t>(*value) != 0) : std::nullopt;
}

std::string SettingValues::Text(std::string_view name) const
{
    const std::optional<SettingValue> value = Find(name);
    return value ? std::get<std::string>(*value) : std::string();
}

ProgramList SettingValues::List(std::string_view name) const
{
    const std::optional<SettingValue> value = Find(name);
    return value ? std::get<ProgramList>(*value) : ProgramList();
}

std::vector<int> SettingValues::FixedControls(int window) const
{
    std::vector<int> controls;
    for (const SettingRow& row : kRows)
        if (row.window == window && Fixed(row.name))
            for (int id : row.controls)
                if (id != 0)
                    controls.push_back(id);
    return controls;
}
