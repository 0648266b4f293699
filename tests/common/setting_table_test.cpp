// The settings' table: what a stored value and a policy's value read as, and which controls a
// policy greys. The registry itself is walked under Wine (settings_win_test, policy_gui_test).
#include "common/setting_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>

#include "common/settings_keys.h"
#include "resources/resource.h"

namespace {

using namespace std::string_literals;

RegistryBytes Dword(uint32_t value)
{
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return {kRegDword, bytes};
}
RegistryBytes Sz(const std::string& text) { return {kRegSz, text + '\0'}; }
RegistryBytes MultiSz(const std::string& bytes) { return {kRegMultiSz, bytes}; }

TEST(SettingTable, APolicyWinsUnlessDamagedAndAStoredValueReadsAsItAlwaysDid)
{
    std::string many;
    for (size_t i = 0; i <= kMaxListedPrograms; ++i)
        many += "p" + std::to_string(i) + ".exe" + '\0';
    const struct {
        const char* name;
        std::optional<RegistryBytes> stored, policy;
        SettingValue read;
        bool fixed;
    } cases[] = {
        {kRamAlertValue, std::nullopt, std::nullopt, 15, false},
        {kRamAlertValue, Dword(20), Dword(40), 40, true},
        {kRamAlertValue, Dword(20), Dword(76), 20, false},
        {kRamAlertValue, Dword(20), Dword(0xFFFFFFFF), 20, false},
        {kRamAlertValue, Dword(20), Sz("40"), 20, false},
        {kRamAlertValue, Dword(20), RegistryBytes{kRegDword, "\x28\0"s}, 20, false},
        {kRamAlertValue, Dword(200), std::nullopt, kAlertMax, false},
        {kAutoCleanInterval, Dword(1000), Dword(kMaxIntervalMinutes + 1), kMaxIntervalMinutes, false},
        {kSoundAlert, Dword(5), Dword(2), 1, false},
        {kSoundAlert, Dword(1), Dword(0), 0, true},
        {kLanguage, Sz("de"), Sz("fr"), "fr"s, true},
        {kLanguage, RegistryBytes{kRegSz, "de"s}, Dword(1), "de"s, false},
        {kKeepWorkingSets, MultiSz("a.exe\0b.exe"s), std::nullopt, ProgramList{"a.exe", "b.exe"}, false},
        {kKeepWorkingSets, MultiSz("a.exe\0b\x01.exe\0\0"s), std::nullopt, ProgramList{}, false},
        {kKeepWorkingSets, MultiSz(std::string(kMaxProgramNameBytes + 1, 'x')), std::nullopt, ProgramList{}, false},
        {kKeepWorkingSets, MultiSz("a.exe\0\0"s), MultiSz(many), ProgramList{"a.exe"}, false},
        {kKeepWorkingSets, MultiSz("a.exe\0\0"s), MultiSz("\0"s), ProgramList{}, true},
    };
    for (const auto& c : cases) {
        SettingValues values;
        const SettingRow& row = SettingRowOf(c.name);
        if (c.stored)
            values.Take(row, ValueOrigin::Stored, *c.stored);
        if (c.policy)
            values.Take(row, ValueOrigin::Policy, *c.policy);
        const SettingValue read = row.type == SettingType::List   ? SettingValue(values.List(c.name))
                                  : row.type == SettingType::Text ? SettingValue(values.Text(c.name))
                                                                  : SettingValue(values.Number(c.name));
        EXPECT_EQ(read, c.read) << c.name << " " << &c - cases;
        EXPECT_EQ(values.Fixed(c.name), c.fixed) << c.name << " " << &c - cases;
        if (const std::optional<SettingValue> found = values.Find(c.name)) {
            EXPECT_EQ(DecodeSetting(row, EncodeSetting(row, *found), ValueOrigin::Policy), found) << c.name;
        }
    }
}

TEST(SettingTable, OnlyAPolicyGreysAndItGreysEveryControlOfItsSetting)
{
    std::set<std::string> names;
    for (const SettingRow& row : SettingTable())
        EXPECT_TRUE(names.insert(row.name).second && (row.window == 0 || row.controls[0] != 0)) << row.name;
    SettingValues values;
    values.Take(SettingRowOf(kSoundAlert), ValueOrigin::Stored, Dword(0));
    values.Take(SettingRowOf(kCleanMethods), ValueOrigin::Policy, Dword(3));
    values.Take(SettingRowOf(kAutoCleanBackOff), ValueOrigin::Policy, Dword(10));
    values.Take(SettingRowOf(kNoStartupChanges), ValueOrigin::Policy, Dword(1));
    EXPECT_TRUE(values.FixedControls(IDD_MAIN_DIALOG).empty());
    EXPECT_EQ(values.FixedControls(IDD_CLEANING_METHODS).size(), 7u);
    EXPECT_EQ(values.FixedControls(IDD_PROGRAMS_PAUSES), (std::vector{IDC_PP_BACKOFF_EDIT, IDC_PP_BACKOFF_SPIN}));
    EXPECT_EQ(values.FixedControls(IDD_AUTORUN_DIALOG), (std::vector{IDC_DELRUN_BUTTON, IDC_APPLYRUN_BUTTON}));
}

} // namespace
