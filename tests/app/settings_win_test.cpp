#include "app/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/autostart_win.h"
#include "app/logon_task.h"
#include "common/registry_key_win.h"
#include "support/autostart_seams_win.h"
#include "support/registry_snapshot_win.h"

namespace {

const std::string kProgram = "C:\\Program Files\\Tidewell\\Tidewell.exe";
const std::string kAutostart = "\"C:\\Program Files\\Tidewell\\Tidewell.exe\" -PowerOn";

class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        Remove();
    }
    void TearDown() override
    {
        backup_.Restore();
        run_.Restore();
    }

    static void Remove()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        CRegistryKey run;
        if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            run.DeleteValue(kAutostartValue);
    }
    static LONG Autostart(std::string& command)
    {
        CRegistryKey run;
        const LONG rc = run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ);
        return rc == ERROR_SUCCESS ? run.QueryString(command, kAutostartValue) : rc;
    }
    static std::vector<std::string> StoredNames()
    {
        CRegistryKey key;
        std::vector<std::string> names;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) == ERROR_SUCCESS)
            key.EnumValueNames(names);
        return names;
    }
    static void Store(const char* name, DWORD value)
    {
        CRegistryKey key;
        key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS);
        if (value == MAXDWORD)
            key.DeleteValue(name);
        else
            key.SetDword(name, value);
    }

    testing_support::RecordingTaskService tasks_;
    testing_support::RegistrySnapshot backup_{HKEY_LOCAL_MACHINE, kSettingsKey};
    testing_support::RegistrySnapshot run_{HKEY_LOCAL_MACHINE, kRunKey};
};

TEST_F(SettingsTest, OneMechanismStartsTidewellWithWindowsAndOnlyFromAProtectedPlace)
{
    EXPECT_FALSE(ReadConstructionSettings().runAfterBoot);
    EXPECT_TRUE(PrepareFirstStart(kProgram));
    EXPECT_TRUE(StoredNames().empty());
    ASSERT_EQ(tasks_.tasks.count(kLogonTaskName), 1u) << "the first start registers the logon task";
    const std::string& xml = tasks_.tasks[kLogonTaskName];
    EXPECT_NE(xml.find("<Command>&quot;" + kProgram + "&quot;</Command>"), std::string::npos) << xml;
    ASSERT_FALSE(CurrentUserSid().empty());
    EXPECT_NE(xml.find("<UserId>" + CurrentUserSid() + "</UserId>"), std::string::npos) << xml;
    std::string command;
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);

    // A refusing service leaves the Run value; a later registration takes its place.
    tasks_.tasks.clear();
    tasks_.refuse = true;
    SaveSettings(SavedSettings{}, kProgram);
    EXPECT_EQ(Autostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, kAutostart);
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);
    tasks_.refuse = false;
    SaveSettings(SavedSettings{}, kProgram);
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(tasks_.tasks.count(kLogonTaskName), 1u);

    // Off takes both away, and a later first start does not bring them back.
    SavedSettings off;
    off.runAfterBoot = false;
    CRegistryKey run;
    run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS);
    run.SetString(kAutostartValue, kAutostart);
    SaveSettings(off, kProgram);
    EXPECT_TRUE(tasks_.tasks.empty());
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(ReadConstructionSettings().runAfterBoot);
    EXPECT_FALSE(PrepareFirstStart(kProgram));
    EXPECT_TRUE(tasks_.tasks.empty());

    // A folder a plain user can change gets neither.
    tasks_.protectedPlace = false;
    SaveSettings(SavedSettings{}, kProgram);
    EXPECT_TRUE(tasks_.tasks.empty());
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsTest, SetUpMeasuresTheClockOnceCreatingTheKeyForIt)
{
    int measured = 0;
    const auto measure = [&] { return std::to_string(++measured) + "400 MHZ"; };
    EXPECT_EQ(ReadSetUpSettings(measure).cpuMhz, "1400 MHZ");
    EXPECT_EQ(StoredNames(), std::vector<std::string>{kCpuMhz});
    EXPECT_EQ(ReadSetUpSettings(measure).cpuMhz, "1400 MHZ") << "the stored clock text is used";
}

TEST_F(SettingsTest, SavedDwordsAreWhatTheWindowAndTheTickReadBack)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    SaveSettings({.userType = 1, .soundAlert = true, .autoDefrag = false, .cleanClipBoard = false,
                  .ramAlertValue = 40, .sliderPos = 2, .buildReport = false, .noticeDialog = true,
                  .runAfterBoot = false},
                 kProgram);
    CRegistryKey key;
    key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ);
    for (const std::string& name : StoredNames()) {
        DWORD type = 0;
        RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, nullptr, nullptr);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
    }
    EXPECT_EQ(StoredNames().size(), 8u);

    const ConstructionSettings window = ReadConstructionSettings();
    EXPECT_TRUE(window.soundAlert);
    EXPECT_FALSE(window.autoDefrag || window.cleanClipBoard || window.buildReport || window.runAfterBoot);
    EXPECT_EQ(window.ramAlertValue, 40);
    EXPECT_EQ(window.noticeDialog, 1u);
    const SetUpSettings setUp = ReadSetUpSettings([] { return std::string(); });
    EXPECT_EQ(setUp.userType, 1);
    EXPECT_EQ(setUp.sliderPos, 2);

    // The tick alerts at 40 % without the window; it falls back to 30 but keeps its switches.
    TickSettings tick;
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 40);
    EXPECT_TRUE(tick.soundAlert);
    EXPECT_FALSE(tick.autoDefrag);
    Store(kRamAlertValue, MAXDWORD);
    Store(kSoundAlert, MAXDWORD);
    Store(kAutoDefrag, 5); // any non-zero value is on
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 30);
    EXPECT_TRUE(tick.soundAlert && tick.autoDefrag);

    WriteOtherFunctionTips(true);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 0u) << "tools open without warning";
    WriteOtherFunctionTips(false);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 1u);
}

TEST_F(SettingsTest, CleaningMethodsRoundTripBesideTheSavedValues)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    const CleaningMethodSettings absent = ReadCleaningMethodSettings();
    EXPECT_EQ(absent.methods, kClassicMethodOnly);
    EXPECT_FALSE(absent.standbyAutoClean);

    WriteCleaningMethodSettings({kEmptyWorkingSets | kPurgeLowPriorityStandby | kCombinePages, true, 35});
    SaveSettings(SavedSettings{}, kProgram); // the save command leaves them alone
    const CleaningMethodSettings read = ReadCleaningMethodSettings();
    EXPECT_EQ(read.methods, MethodSet{kEmptyWorkingSets | kPurgeLowPriorityStandby | kCombinePages});
    EXPECT_TRUE(read.standbyAutoClean);
    EXPECT_EQ(read.standbyAlertValue, 35);
    TickSettings tick;
    ReadTickSettings(tick);
    EXPECT_TRUE(tick.standbyAutoClean);
    EXPECT_EQ(tick.standbyAlertValue, 35);
    EXPECT_EQ(StoredNames().size(), 8u + 3u);
}

} // namespace
