#include "app/settings/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/settings/autostart_win.h"
#include "app/settings/logon_task.h"
#include "support/main_dlg_fixture_win.h"
#include "support/test_paths.h"

namespace {

using SettingsTest = testing_support::SettingsFixture;

TEST_F(SettingsTest, OneMechanismStartsTidewellWithWindowsAndOnlyFromAProtectedPlace)
{
    const testing_support::ScratchDir folder("autostart");
    const std::string program = folder.File("Tidewell.exe"), autostart = "\"" + program + "\" -PowerOn";
    testing_support::WriteWholeFile(program, "MZ");
    EXPECT_FALSE(ReadConstructionSettings().runAfterBoot);
    std::string upper = program;
    CharUpperA(upper.data());
    EXPECT_TRUE(PrepareFirstStart(upper));
    EXPECT_EQ(tasks_.tasks[kLogonTaskName], LogonTaskXml(program)) << "the first start registers where it lies";
    std::string command;
    EXPECT_EQ(ReadAutostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);

    // A refusing service leaves the Run value; a later registration takes its place.
    tasks_.tasks.clear();
    tasks_.refuse = true;
    SaveSettings(SavedSettings{}, program);
    EXPECT_EQ(ReadAutostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, autostart);
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);
    tasks_.refuse = false;
    SaveSettings(SavedSettings{}, program);
    EXPECT_EQ(ReadAutostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(tasks_.tasks.count(kLogonTaskName), 1u);

    // Off takes both away, and a later first start does not bring them back.
    tasks_.refuse = true;
    SaveSettings(SavedSettings{}, program);
    SaveSettings(SavedSettings{.runAfterBoot = false}, program);
    EXPECT_EQ(ReadAutostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ReadConstructionSettings().runAfterBoot);
    EXPECT_FALSE(PrepareFirstStart(program));
    EXPECT_TRUE(tasks_.tasks.empty());

    // A folder a plain user can change gets neither.
    tasks_.refuse = false;
    tasks_.protectedPlace = false;
    SaveSettings(SavedSettings{}, program);
    EXPECT_TRUE(tasks_.tasks.empty());
    EXPECT_EQ(ReadAutostart(command), ERROR_FILE_NOT_FOUND);

    // An unattended installation told AUTOSTART=0 and ALERTVALUE=20: the first start takes them;
    // a value the installer would have refused is not taken.
    tasks_.protectedPlace = true;
    testing_support::RegistrySnapshot installer(HKEY_LOCAL_MACHINE, kInstallerKey);
    for (const auto& [alert, stored] : {std::pair{"20", 20}, {"76", 15}, {"2x", 15}}) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        testing_support::WriteValue(HKEY_LOCAL_MACHINE, kInstallerKey, kInstallerAutostart, REG_SZ, "0", 2);
        testing_support::WriteValue(HKEY_LOCAL_MACHINE, kInstallerKey, kInstallerAlertValue, REG_SZ, alert, 3);
        EXPECT_TRUE(PrepareFirstStart(program));
        EXPECT_TRUE(tasks_.tasks.empty()) << "no start with Windows";
        EXPECT_EQ(ReadConstructionSettings().ramAlertValue, stored) << alert;
    }
    installer.Restore();
}

// The readers' own fallbacks; what a value reads as is setting_table_test's, a save read back the
// window's scenario.
TEST_F(SettingsTest, TheClockIsMeasuredOnceAndTheTickKeepsItsSwitchesWithoutValues)
{
    int measured = 0;
    const auto measure = [&] { return std::to_string(++measured) + "400 MHZ"; };
    EXPECT_EQ(ReadSetUpSettings(measure).cpuMhz, "1400 MHZ") << "the set-up creates the key to store it";
    EXPECT_EQ(ReadSetUpSettings(measure).cpuMhz, "1400 MHZ") << "the stored clock text is used";
    Store(kAutoDefrag, 5);
    TickSettings tick{.ramAlertValue = 40, .soundAlert = true};
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 30);
    EXPECT_TRUE(tick.soundAlert && tick.autoDefrag && tick.askFirst);
}

} // namespace
