#include "app/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry_backup_win.h"
#include "common/registry_key_win.h"

namespace {

using testing_support::RegistryValuesBackup;

const std::string kProgram = "C:\\Program Files\\Tidewell\\Tidewell.exe";

// Works on the program's real keys; whatever was there before comes back afterwards.
class SettingsTest : public testing::Test {
protected:
    void SetUp() override { RemoveSettings(); }
    void TearDown() override
    {
        settingsBackup_.Restore();
        runBackup_.Restore();
    }

    static void RemoveSettings()
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        HKEY run = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_ALL_ACCESS, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, kAutostartValue);
            RegCloseKey(run);
        }
    }

    static bool SettingsKeyExists()
    {
        CRegistryKey key;
        return key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) == ERROR_SUCCESS;
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
        ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
        ASSERT_EQ(key.SetDword(name, value), ERROR_SUCCESS);
    }

    static void Erase(const char* name)
    {
        CRegistryKey key;
        ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
        key.DeleteValue(name);
    }

    RegistryValuesBackup settingsBackup_{HKEY_LOCAL_MACHINE, kSettingsKey};
    RegistryValuesBackup runBackup_{HKEY_LOCAL_MACHINE, kRunKey};
};

TEST_F(SettingsTest, WithoutTheKeyEveryReaderHasItsOwnDefaults)
{
    const ConstructionSettings window = ReadConstructionSettings();
    EXPECT_TRUE(window.soundAlert);
    EXPECT_TRUE(window.autoDefrag);
    EXPECT_TRUE(window.cleanClipBoard);
    EXPECT_TRUE(window.buildReport);
    EXPECT_EQ(window.ramAlertValue, 15);
    EXPECT_EQ(window.noticeDialog, 0u) << "ask before an automatic clean";
    EXPECT_EQ(window.otherFunctionTips, 1u) << "warn before a tool";
    EXPECT_FALSE(window.runAfterBoot);

    TickSettings tick;
    tick.ramAlertValue = 12;
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 30);
    EXPECT_FALSE(tick.soundAlert);
    EXPECT_FALSE(tick.autoDefrag);
    EXPECT_FALSE(SettingsKeyExists()) << "readers create nothing";
}

TEST_F(SettingsTest, FirstStartCreatesTheKeyAndTheQuotedAutostartOnly)
{
    EXPECT_TRUE(PrepareFirstStart(kProgram));
    EXPECT_TRUE(SettingsKeyExists());
    EXPECT_TRUE(StoredNames().empty());
    std::string command;
    ASSERT_EQ(Autostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, "\"C:\\Program Files\\Tidewell\\Tidewell.exe\" -PowerOn");
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);

    // Once the key exists, the user's choice about the autostart value stands.
    SavedSettings saved;
    saved.runAfterBoot = false;
    SaveSettings(saved, kProgram);
    EXPECT_FALSE(PrepareFirstStart(kProgram));
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsTest, SetUpMeasuresTheClockOnceAndCreatesTheKeyForIt)
{
    int measured = 0;
    const auto measure = [&] {
        ++measured;
        return std::string("2400 MHZ");
    };
    SetUpSettings first = ReadSetUpSettings(measure);
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(first.cpuMhz, "2400 MHZ");
    EXPECT_EQ(first.sliderPos, 3);
    EXPECT_EQ(first.userType, 2);
    EXPECT_TRUE(first.showStatus);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{kCpuMhz});

    Store(kSliderPos, 6);
    Store(kUserType, 4);
    WriteShowStatus(false);
    const SetUpSettings second = ReadSetUpSettings(measure);
    EXPECT_EQ(measured, 1) << "the stored clock text is used";
    EXPECT_EQ(second.cpuMhz, "2400 MHZ");
    EXPECT_EQ(second.sliderPos, 6);
    EXPECT_EQ(second.userType, 4);
    EXPECT_FALSE(second.showStatus) << "hidden at the next start";
    WriteShowStatus(true);
    EXPECT_TRUE(ReadSetUpSettings(measure).showStatus);
}

TEST_F(SettingsTest, SaveStoresDwordsThatTheWindowAndTheTickReadBack)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    SavedSettings saved;
    saved.userType = 1;
    saved.soundAlert = true;
    saved.autoDefrag = false;
    saved.cleanClipBoard = false;
    saved.ramAlertValue = 40;
    saved.sliderPos = 2;
    saved.buildReport = false;
    saved.noticeDialog = true;
    saved.runAfterBoot = false;
    SaveSettings(saved, kProgram);

    const char* const names[] = {kUserType, kSoundAlert, kAutoDefrag, kCleanClipBoard,
                                 kRamAlertValue, kSliderPos, kBuildReport, kNoticeDialog};
    CRegistryKey key;
    ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ), ERROR_SUCCESS);
    for (const char* name : names) {
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExA(key.Handle(), name, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS) << name;
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
    }
    EXPECT_EQ(StoredNames().size(), std::size(names));

    const ConstructionSettings window = ReadConstructionSettings();
    EXPECT_TRUE(window.soundAlert);
    EXPECT_FALSE(window.autoDefrag);
    EXPECT_FALSE(window.cleanClipBoard);
    EXPECT_FALSE(window.buildReport);
    EXPECT_EQ(window.ramAlertValue, 40);
    EXPECT_EQ(window.noticeDialog, 1u);
    EXPECT_FALSE(window.runAfterBoot);
    const SetUpSettings setUp = ReadSetUpSettings([] { return std::string("1 MHZ"); });
    EXPECT_EQ(setUp.userType, 1);
    EXPECT_EQ(setUp.sliderPos, 2);

    // The tick alerts at 40 % without the window being open.
    TickSettings tick;
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 40);
    EXPECT_TRUE(tick.soundAlert);
    EXPECT_FALSE(tick.autoDefrag);

    saved.runAfterBoot = true;
    SaveSettings(saved, kProgram);
    std::string command;
    ASSERT_EQ(Autostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, "\"C:\\Program Files\\Tidewell\\Tidewell.exe\" -PowerOn");
}

TEST_F(SettingsTest, TickFallsBackToThirtyButKeepsItsLastSwitches)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    Store(kRamAlertValue, 40);
    Store(kSoundAlert, 5); // any non-zero value is on
    Store(kAutoDefrag, 1);
    TickSettings tick;
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 40);
    EXPECT_TRUE(tick.soundAlert);
    EXPECT_TRUE(tick.autoDefrag);

    Erase(kRamAlertValue);
    Erase(kSoundAlert);
    Store(kAutoDefrag, 0);
    ReadTickSettings(tick);
    EXPECT_EQ(tick.ramAlertValue, 30);
    EXPECT_TRUE(tick.soundAlert) << "the last good read stands";
    EXPECT_FALSE(tick.autoDefrag);
}

TEST_F(SettingsTest, ImmediateWritesOfTheTwoQuestions)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    WriteOtherFunctionTips(true);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 0u) << "tools open without warning";
    WriteOtherFunctionTips(false);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 1u);

    WriteNoticeDialog(true);
    EXPECT_EQ(ReadConstructionSettings().noticeDialog, 1u);
    WriteNoticeDialog(false);
    EXPECT_EQ(ReadConstructionSettings().noticeDialog, 0u);
}

TEST(Settings, ProgramPathIsThisExecutable)
{
    const std::string path = ProgramPath();
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
}

} // namespace
