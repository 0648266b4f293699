#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/main_dlg_fixture_win.h"
#include "common/resource_text.h"

using testing_support::ReadAutostart;
using testing_support::StoredNames;
using testing_support::MainDlgTest;

namespace {

TEST_F(MainDlgTest, SaveWritesTheSettingsAndTheAutostart)
{
    Open();
    {
        CRegistryKey key;
        key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS);
        key.DeleteValue(kCpuMhz);
    }
    Click(IDC_CHECKAUTORUN); // setting it says nothing
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_TRUE(Enabled(IDC_BUTTONSAVERAM));
    std::string command;
    EXPECT_NE(ReadAutostart(command), ERROR_SUCCESS) << "nothing written before saving";
    Click(IDC_CHECKAUTODEFRAGTIP); // written at once
    EXPECT_EQ(Stored(kNoticeDialog), 1u);
    Click(IDC_CHECKSOUND);

    Command(IDC_BUTTONSAVERAM);
    const std::vector<std::string> saved = {kAutoDefrag, kBuildReport, kCleanClipBoard, kNoticeDialog,
                                            kRamAlertValue, kSliderPos, kSoundAlert, kUserType};
    EXPECT_EQ(StoredNames(), saved);
    for (const auto& [name, value] : {std::pair{kUserType, 2u}, std::pair{kSoundAlert, 0u}, std::pair{kAutoDefrag, 1u},
                                      std::pair{kRamAlertValue, 15u}, std::pair{kSliderPos, 3u}})
        EXPECT_EQ(Stored(name), value) << name;
    EXPECT_EQ(tasks_.tasks.size(), 1u) << "a logon task";
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strSaveLogMessage"));
    EXPECT_FALSE(Enabled(IDC_BUTTONSAVERAM));

    Click(IDC_CHECKAUTORUN);
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes[1].text, UiText("strAutorunCloseMessage"));
    EXPECT_EQ(tasks_.tasks.size(), 1u);
    Command(IDC_BUTTONSAVERAM);
    EXPECT_TRUE(tasks_.tasks.empty());
    EXPECT_NE(ReadAutostart(command), ERROR_SUCCESS);
}

TEST_F(MainDlgTest, AutostartBoxIsDisabledAndExplainsItselfOutsideAProtectedPlace)
{
    tasks_.protectedPlace = false;
    Open();
    EXPECT_FALSE(Enabled(IDC_CHECKAUTORUN));
    EXPECT_EQ(Text(IDC_CHECKAUTORUN), UiText("strAutorunNotHere"));
    RECT box{};
    GetWindowRect(Item(IDC_CHECKAUTORUN), &box);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 2, box.top + 2));
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_EQ(host_.boxes[0].text, UiText("strAutorunRefused"));
    SendMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left - 2, box.top - 2));
    EXPECT_EQ(host_.boxes.size(), 1u) << "elsewhere says nothing";
}

TEST_F(MainDlgTest, UserTypesMoveTheSliderAndAlertValueStaysInRange)
{
    Open();
    struct Case {
        const char* typed;
        const char* kept;
        bool message;
    } cases[] = {{"80", "75", true}, {"30", "30", false}};
    for (const Case& c : cases) {
        host_.boxes.clear();
        dialog_->SetItemText(IDC_ALERT_EDIT, c.typed);
        EXPECT_EQ(Text(IDC_ALERT_EDIT), c.kept) << c.typed;
        ASSERT_EQ(host_.boxes.size(), c.message ? 1u : 0u) << c.typed;
        if (c.message) {
            EXPECT_EQ(host_.boxes[0].text, UiText("MessageInputError"));
        }
    }
    EXPECT_TRUE(Enabled(IDC_BUTTONSAVERAM));
    const int positions[] = {1, 2, 4, 6, 8};
    for (int type = 0; type < 5; ++type) {
        SendMessageA(Item(IDC_USERTYPE_COMBO), CB_SETCURSEL, static_cast<WPARAM>(type), 0);
        Command(IDC_USERTYPE_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(SliderPos(), positions[type]) << type;
        EXPECT_EQ(Enabled(IDC_AMOUNT_SLIDER), type == 4) << type;
    }
    SendMessageA(Item(IDC_AMOUNT_SLIDER), TBM_SETPOS, TRUE, 5);
    NMHDR released{Item(IDC_AMOUNT_SLIDER), IDC_AMOUNT_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(Window(), WM_NOTIFY, IDC_AMOUNT_SLIDER, reinterpret_cast<LPARAM>(&released));
    EXPECT_EQ(Text(IDC_AMOUNT_TEXT), "160MB");
}

TEST_F(MainDlgTest, HideRemembersAndTheNextPlainStartIsHidden)
{
    Open();
    ShowWindow(Window(), SW_SHOW);
    Command(IDC_HIDEBT2);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_FALSE(Stored(kShowStatus)) << "the plain hide forgets";
    Command(ID_TRAY_SHOW);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(Stored(kShowStatus), 1u);
    for (const auto& [message, wp] : {std::pair<UINT, WPARAM>{WM_COMMAND, IDCANCEL}, {WM_SYSCOMMAND, SC_CLOSE}}) {
        Command(ID_TRAY_SHOW);
        SendMessageA(Window(), message, wp, 0); // Escape; the close box and Alt+F4
        EXPECT_FALSE(IsWindowVisible(Window())) << message;
        EXPECT_EQ(Stored(kShowStatus), 0u) << message;
    }
    EXPECT_TRUE(IsWindow(Window()));

    struct Case {
        std::optional<std::string> argument;
        bool hidden;
    } cases[] = {{std::nullopt, true}, {std::string("-other"), false}, {std::string(" -PowerOn"), true}};
    for (const Case& c : cases) {
        Open(c.argument);
        RECT r{};
        GetWindowRect(Window(), &r);
        EXPECT_EQ(r.left == -1024 && r.top == -1024, c.hidden) << c.argument.value_or("(none)");
        if (!c.hidden)
            continue;
        ShowWindow(Window(), SW_SHOW);
        Tick(CMainDlg::kHiddenStartTimer);
        EXPECT_FALSE(IsWindowVisible(Window()));
        GetWindowRect(Window(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << "centred for the show";
    }
}

TEST_F(MainDlgTest, ToolsOpenAfterTheWarningUnlessSwitchedOff)
{
    Open();
    struct Tool {
        int command;
        int templateId;
    } tools[] = {{IDC_BUTTONOT1, IDD_CACHESETUP_DIALOG}, {IDC_MSCONFIG_BT, IDD_AUTORUN_DIALOG},
                 {ID_TRAY_STARTUP, IDD_AUTORUN_DIALOG},  {IDC_PROCESSMG_BT, IDD_PROCESS_DIALOG},
                 {ID_TRAY_PROCESS, IDD_PROCESS_DIALOG},  {IDC_SERVICEMG_BT, IDD_SERVICE_DIALOG},
                 {ID_TRAY_SERVICE, IDD_SERVICE_DIALOG}};
    for (const Tool& tool : tools) {
        host_.boxes.clear();
        modals_.clear();
        host_.answer = IDCANCEL;
        Command(tool.command);
        ASSERT_EQ(host_.boxes.size(), 1u) << tool.command;
        EXPECT_EQ(host_.boxes[0].text, UiText("strModifySystem"));
        EXPECT_EQ(host_.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
        EXPECT_TRUE(modals_.empty()) << "cancelled";
        host_.answer = IDOK;
        Command(tool.command);
        EXPECT_EQ(modals_, std::vector<int>{tool.templateId}) << tool.command;
    }

    host_.boxes.clear();
    modals_.clear();
    Command(IDC_ABOUT2);
    Command(ID_TRAY_ABOUT);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(modals_, (std::vector<int>{IDD_ABOUTBOX, IDD_ABOUTBOX}));

    // Switched off: the tray opens tools during a run as well.
    Click(IDC_CHECKALERTNOTICE);
    EXPECT_EQ(Stored(kOtherFunctionTips), 0u);
    SetCleanBusy(true);
    modals_.clear();
    Command(ID_TRAY_SERVICE);
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(modals_, std::vector<int>{IDD_SERVICE_DIALOG});
    Click(IDC_CHECKALERTNOTICE);
    EXPECT_EQ(Stored(kOtherFunctionTips), 1u);
}

} // namespace
