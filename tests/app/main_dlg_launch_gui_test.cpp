// What the window starts outside itself: the help file, and the delayed launcher that a start with Windows runs from timer 4.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_dlg_fixture_win.h"
#include "common/module_path.h"
#include "support/registry_snapshot_win.h"
#include "support/message_pump_win.h"
#include "support/test_paths.h"
#include "tools/startup/delay_launcher_win.h"

namespace {

using testing_support::MainDlgTest;
using testing_support::PumpUntil;
using testing_support::ReadWholeFile;
using testing_support::RegistrySnapshot;
using testing_support::ScratchDir;
using testing_support::WriteValue;
using testing_support::WriteWholeFile;

constexpr const char* kHandlerKey = "TidewellTestHelp";

TEST_F(MainDlgTest, HelpOpensTheHelpFileBesideTheProgramAndIsQuietWithoutIt)
{
    RegistrySnapshot chm(HKEY_CLASSES_ROOT, ".chm");
    ScratchDir scratch("help");
    const std::string marker = scratch.File("opened.txt");
    const std::string command = "cmd.exe /c echo %1>\"" + marker + "\"";
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, ".chm", "", REG_SZ, kHandlerKey, 17));
    ASSERT_TRUE(WriteValue(HKEY_CLASSES_ROOT, std::string(kHandlerKey) + "\\shell\\open\\command", "", REG_SZ,
                           command.c_str(), static_cast<DWORD>(command.size() + 1)));
    const std::string helpFile = GetModulePath("Kelvane Help.chm");
    const bool shipped = GetFileAttributesA(helpFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!shipped)
        WriteWholeFile(helpFile, "ITSF");

    Open();
    Command(IDC_HELP_BT);
    const bool opened = PumpUntil([&] { return ReadWholeFile(marker).find('\n') != std::string::npos; }, 10000);

    if (!shipped)
        DeleteFileA(helpFile.c_str());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kHandlerKey);
    chm.Restore();
    ASSERT_TRUE(opened) << "the .chm handler never ran";
    EXPECT_NE(ReadWholeFile(marker).find("Kelvane Help.chm"), std::string::npos) << ReadWholeFile(marker);
    EXPECT_TRUE(host_.boxes.empty()) << "opening help says nothing";

    const std::string aside = helpFile + ".aside";
    const bool moved = MoveFileA(helpFile.c_str(), aside.c_str()) != FALSE;
    Command(ID_HELP);
    if (moved)
        MoveFileA(aside.c_str(), helpFile.c_str());
    EXPECT_TRUE(host_.boxes.empty()) << "a missing help file is not reported";
    EXPECT_TRUE(IsWindow(Window())) << "the window goes on";
}

// A start with " -PowerOn" starts the launcher: a delay-0 entry runs on the first tick of timer 4,
// a plain start runs nothing.
TEST_F(MainDlgTest, PowerOnStartLaunchesDelayedEntriesFromTimerFour)
{
    ScratchDir scratch("power-on");
    const std::string marker = scratch.File("launched.txt");
    const std::string delayList = GetModulePath("Delay.ini");
    WriteWholeFile(delayList, "[Item0]\r\nProject=Marker\r\nPath=cmd.exe /c echo launched>\"" + marker +
                                  "\"\r\nDelay=0\r\nOLDID=0\r\n\r\n");
    // Items are started inside the tick, so a fresh launcher's count tells at once.
    DelayedLauncher() = CDelayLauncher();
    Open();
    Tick(4);
    const bool plainStartLaunched = DelayedLauncher().Schedule().LaunchedCount() != 0;

    Open(" -PowerOn");
    Tick(4);
    const bool launched = PumpUntil([&] { return ReadWholeFile(marker).find("launched") != std::string::npos; }, 10000);
    DeleteFileA(delayList.c_str());
    EXPECT_FALSE(plainStartLaunched);
    EXPECT_TRUE(launched);
}

} // namespace
