#include "app/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/registry_key_win.h"
#include "support/settings_backup_win.h"

namespace {

const std::string kProgram = "C:\\Program Files\\Tidewell\\Tidewell.exe";
const std::string kAutostart = "\"C:\\Program Files\\Tidewell\\Tidewell.exe\" -PowerOn";

// Works on the program's real keys and puts back whatever was there before.
class SettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        backup_.Save();
        hadAutostart_ = Autostart(autostart_) == ERROR_SUCCESS;
        Remove();
    }
    void TearDown() override
    {
        Remove();
        backup_.Restore();
        CRegistryKey run;
        if (hadAutostart_ && run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            run.SetString(kAutostartValue, autostart_);
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

    testing_support::SettingsBackup backup_;
    bool hadAutostart_ = false;
    std::string autostart_;
};

TEST_F(SettingsTest, FirstStartCreatesTheKeyAndTheQuotedAutostartOnly)
{
    const ConstructionSettings absent = ReadConstructionSettings();
    EXPECT_TRUE(absent.soundAlert && absent.autoDefrag && absent.cleanClipBoard && absent.buildReport);
    EXPECT_EQ(absent.ramAlertValue, 15);
    EXPECT_EQ(absent.noticeDialog, 0u) << "ask before an automatic clean";
    EXPECT_EQ(absent.otherFunctionTips, 1u) << "warn before a tool";
    EXPECT_FALSE(absent.runAfterBoot);

    EXPECT_TRUE(PrepareFirstStart(kProgram));
    EXPECT_TRUE(StoredNames().empty());
    std::string command;
    EXPECT_EQ(Autostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, kAutostart);
    EXPECT_TRUE(ReadConstructionSettings().runAfterBoot);

    // Once the key exists the user's choice about the autostart value stands.
    SavedSettings saved;
    saved.runAfterBoot = false;
    SaveSettings(saved, kProgram);
    EXPECT_FALSE(PrepareFirstStart(kProgram));
    EXPECT_EQ(Autostart(command), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsTest, SetUpMeasuresTheClockOnceCreatingTheKeyForIt)
{
    int measured = 0;
    const auto measure = [&] { return std::to_string(++measured) + "400 MHZ"; };
    const SetUpSettings first = ReadSetUpSettings(measure);
    EXPECT_EQ(first.cpuMhz, "1400 MHZ");
    EXPECT_EQ(first.sliderPos, 3);
    EXPECT_EQ(first.userType, 2);
    EXPECT_TRUE(first.showStatus);
    EXPECT_EQ(StoredNames(), std::vector<std::string>{kCpuMhz});

    WriteShowStatus(false);
    const SetUpSettings second = ReadSetUpSettings(measure);
    EXPECT_EQ(second.cpuMhz, "1400 MHZ") << "the stored clock text is used";
    EXPECT_FALSE(second.showStatus) << "hidden at the next start";
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

    SaveSettings(SavedSettings{}, kProgram);
    std::string command;
    EXPECT_EQ(Autostart(command), ERROR_SUCCESS);
    EXPECT_EQ(command, kAutostart);
}

TEST_F(SettingsTest, ImmediateWritesOfTheTwoQuestions)
{
    ASSERT_TRUE(PrepareFirstStart(kProgram));
    WriteOtherFunctionTips(true);
    WriteNoticeDialog(true);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 0u) << "tools open without warning";
    EXPECT_EQ(ReadConstructionSettings().noticeDialog, 1u);
    WriteOtherFunctionTips(false);
    EXPECT_EQ(ReadConstructionSettings().otherFunctionTips, 1u);
}

} // namespace
