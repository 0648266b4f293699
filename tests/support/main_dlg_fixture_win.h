#pragma once
// The real main window, modeless, on a pretended 256 MB machine with a fixed clock, message
// boxes and modal dialogs answered by the recording host, and the settings put back afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window/main_dlg_win.h"
#include "app/settings/settings.h"
#include "common/clock.h"
#include "common/registry_key_win.h"
#include "common/shell_state_win.h"
#include "memory/clean_state.h"
#include "memory/memory_lists_win.h"
#include "resources/resource.h"
#include "support/autostart_seams_win.h"
#include "support/pretend_machine.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "win32/ui_host.h"

namespace testing_support {

inline bool Enabled(const win32::Dialog& dialog, int id) { return IsWindowEnabled(dialog.Item(id)) != FALSE; }
// Toggles a check box as a click does.
inline void Click(const win32::Dialog& dialog, int id)
{
    dialog.SetChecked(id, !dialog.IsChecked(id));
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id)));
}

// Starts without the settings key and the autostart value; both are put back afterwards.
class SettingsFixture : public testing::Test {
protected:
    SettingsFixture()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        DeleteValue(HKEY_LOCAL_MACHINE, kRunKey, kAutostartValue);
    }
    ~SettingsFixture() override
    {
        backup_.Restore();
        run_.Restore();
    }

    static LONG ReadAutostart(std::string& command)
    {
        CRegistryKey run;
        const LONG rc = run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ);
        return rc == ERROR_SUCCESS ? run.QueryString(command, kAutostartValue) : rc;
    }
    static void Store(const char* name, DWORD value) { WriteDword(HKEY_LOCAL_MACHINE, kSettingsKey, name, value); }
    static std::optional<DWORD> Stored(const char* name) { return ReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, name); }

    RecordingTaskService tasks_; // the program's place counts as protected unless a test says not

private:
    RegistrySnapshot backup_{HKEY_LOCAL_MACHINE, kSettingsKey};
    RegistrySnapshot run_{HKEY_LOCAL_MACHINE, kRunKey};
};

class MainDlgTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        WriteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kCpuMhz, REG_SZ, "1234 MHZ", 9); // measuring takes a while
        host_.modal = [this](win32::Dialog& dialog) {
            modals_.push_back(dialog.TemplateId());
            return modalAnswer_;
        };
        SetLocalTimeSource([this] { return now_; });
        SetAlertSoundPlayer([this](const std::string&) { ++alerts_; });
        // Wine hides its emptied tray window and waits seconds for that: a neighbour keeps it up.
        neighbour_.Create(neighbourOwner_.get(), WM_APP, "", LoadIconA(nullptr, IDI_APPLICATION), IDR_TRAY_MENU + 1);
    }
    void TearDown() override
    {
        dialog_.reset();
        SetCleanBusy(false);
        CleanState.tick = 0;
        SetLocalTimeSource(nullptr);
        SetTickCountSource(nullptr);
        SetShellStateSource(nullptr);
        SetAlertSoundPlayer(nullptr);
        SetNtSystemCalls({});
    }

    CMainDlg& Open(std::optional<std::string> argument = std::nullopt)
    {
        dialog_.reset();
        dialog_ = std::make_unique<win32::Modeless<CMainDlg>>(std::move(argument));
        EXPECT_TRUE(dialog_->CreateModeless());
        return *dialog_;
    }
    HWND Window() const { return dialog_->hwnd(); }
    HWND Item(int id) const { return dialog_->Item(id); }
    std::string Text(int id) const { return dialog_->GetItemText(id); }
    bool Enabled(int id) const { return testing_support::Enabled(*dialog_, id); }
    void Tick(UINT_PTR timer) const { SendMessageA(Window(), WM_TIMER, timer, 0); }
    // The minute after the last clean passes in display ticks five seconds apart, automatic
    // cleaning off so that the rules they bring start nothing.
    void MinuteAfterLastClean() const
    {
        Store(kAutoDefrag, 0);
        static uint32_t now;
        now = TickCount();
        SetTickCountSource([] { return now; });
        for (int tick = 0; tick < 13; ++tick, now += 5000)
            Tick(CMainDlg::kDisplayTimer);
        SetTickCountSource(nullptr);
    }
    // The running display timer brings the rules once a second; a test that counts what they do
    // stops it and ticks them itself.
    void RulesOnlyWhenTicked() const { KillTimer(Window(), CMainDlg::kDisplayTimer); }
    void Command(int id, int code = BN_CLICKED) const
    {
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Click(int id) const { testing_support::Click(*dialog_, id); }
    // The tray's tooltip as the user reads it: the pointer over the icon first (told in both of the
    // shell's protocols; the one the icon does not speak is another icon's).
    std::string TrayTip() const
    {
        const NOTIFYICONDATAA& icon = dialog_->Tray().IconData();
        SendMessageA(Window(), icon.uCallbackMessage, icon.uID, WM_MOUSEMOVE);
        SendMessageA(Window(), icon.uCallbackMessage, 0, MAKELPARAM(WM_MOUSEMOVE, icon.uID));
        return icon.szTip;
    }
    int SliderPos() const { return static_cast<int>(SendMessageA(Item(IDC_AMOUNT_SLIDER), TBM_GETPOS, 0, 0)); }
    int GaugePos() const
    {
        auto* gauge = dynamic_cast<BusyProgressCtrl*>(controls::ControlWindow::FromHandle(Item(IDC_CLEAN_GAUGE)));
        return gauge ? gauge->state.position : -1;
    }
    int ModalCount(int templateId) const { return static_cast<int>(std::ranges::count(modals_, templateId)); }

    PretendMachine machine_{256 * kMB, 100 * kMB};
    RecordingHost host_;
    std::vector<int> modals_; // template ids of the dialogs asked to run
    INT_PTR modalAnswer_ = IDCANCEL;
    std::unique_ptr<win32::Modeless<CMainDlg>> dialog_;
    LocalTime now_{2026, 3, 9, 1, 13, 5, 7};
    std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)> neighbourOwner_{
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), DestroyWindow};
    CTrayIcon neighbour_;
    int alerts_ = 0;
};

} // namespace testing_support
