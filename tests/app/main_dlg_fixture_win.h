#pragma once
// The real main window, modeless, on a pretended 256 MB machine with a fixed clock, message
// boxes and modal dialogs answered by a recording host, and the settings put back afterwards.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_dlg_win.h"
#include "app/settings.h"
#include "common/clock.h"
#include "common/registry_key_win.h"
#include "memory/clean_state.h"
#include "memory/pretend_machine.h"
#include "resources/resource.h"
#include "support/settings_backup_win.h"
#include "win32/ui_host.h"

namespace testing_support {

class AnsweringHost : public win32::UiHost {
public:
    struct Box {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> boxes;
    std::deque<int> answers; // for the next message boxes; IDOK when empty
    std::vector<int> modals; // template ids of the dialogs asked to run
    INT_PTR modalAnswer = IDCANCEL;

    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type});
        if (answers.empty())
            return IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    INT_PTR RunModal(win32::Dialog& dialog, HWND) override
    {
        modals.push_back(dialog.TemplateId());
        return modalAnswer;
    }
    int ModalCount(int templateId) const
    {
        int count = 0;
        for (int id : modals)
            count += id == templateId;
        return count;
    }
};

// The autostart value in the machine's Run key, saved and put back.
class AutostartBackup {
public:
    AutostartBackup() { had_ = Read(value_) == ERROR_SUCCESS; }
    ~AutostartBackup()
    {
        CRegistryKey run;
        if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) != ERROR_SUCCESS)
            return;
        if (had_)
            run.SetString(kAutostartValue, value_);
        else
            run.DeleteValue(kAutostartValue);
    }
    static LONG Read(std::string& command)
    {
        CRegistryKey run;
        const LONG rc = run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_READ);
        return rc == ERROR_SUCCESS ? run.QueryString(command, kAutostartValue) : rc;
    }
    static void Remove()
    {
        CRegistryKey run;
        if (run.Open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            run.DeleteValue(kAutostartValue);
    }

private:
    bool had_ = false;
    std::string value_;
};

class MainDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        backup_.Save();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
        AutostartBackup::Remove();
        CreateSettingsKey();
        StoreText(kCpuMhz, "1234 MHZ"); // measuring the clock takes a while; one test does it
        win32::SetUiHost(&host_);
        savedTime_ = LocalTimeSource();
        LocalTimeSource() = [this] { return now_; };
        now_ = LocalTime{2026, 3, 9, 1, 13, 5, 7};
        AlertSoundPlayer() = [this](const std::string&) { ++alerts_; };
        AskArmed = true;
    }
    void TearDown() override
    {
        dialog_.reset();
        SetCleanBusy(false);
        CleanState.tick = 0;
        win32::SetUiHost(nullptr);
        LocalTimeSource() = savedTime_;
        AlertSoundPlayer() = savedSound_;
        backup_.Restore();
    }

    static void CreateSettingsKey()
    {
        CRegistryKey parent;
        if (parent.Open(HKEY_LOCAL_MACHINE, kSettingsParentKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            parent.CreateSubKey(kSettingsSubKey);
    }
    static void Store(const char* name, DWORD value)
    {
        CRegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            key.SetDword(name, value);
    }
    static void StoreText(const char* name, const std::string& value)
    {
        CRegistryKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            key.SetString(name, value);
    }
    static std::optional<DWORD> Stored(const char* name)
    {
        CRegistryKey key;
        DWORD value = 0;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) != ERROR_SUCCESS ||
            key.QueryDword(name, value) != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }

    CMainDlg& Open(std::optional<std::string> argument = std::nullopt)
    {
        dialog_.reset();
        dialog_ = std::make_unique<CMainDlg>(std::move(argument));
        EXPECT_TRUE(dialog_->CreateModeless());
        return *dialog_;
    }
    HWND Window() const { return dialog_->hwnd(); }
    HWND Item(int id) const { return dialog_->Item(id); }
    std::string Text(int id) const { return dialog_->GetItemText(id); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    void Tick(UINT_PTR timer) const { SendMessageA(Window(), WM_TIMER, timer, 0); }
    void Command(int id, int code = BN_CLICKED) const
    {
        SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }
    // A click on a check box: the box changes, then its owner hears of it.
    void Click(int id) const
    {
        dialog_->SetChecked(id, !dialog_->IsChecked(id));
        Command(id);
    }
    int SliderPos() const { return static_cast<int>(SendMessageA(Item(IDC_AMOUNT_SLIDER), TBM_GETPOS, 0, 0)); }
    int GaugePos() const
    {
        auto* gauge = dynamic_cast<BusyProgressCtrl*>(controls::ControlWindow::FromHandle(Item(IDC_CLEAN_GAUGE)));
        return gauge ? gauge->state.position : -1;
    }

    PretendMachine machine_{256 * kMB, 100 * kMB};
    AnsweringHost host_;
    std::unique_ptr<CMainDlg> dialog_;
    LocalTime now_;
    int alerts_ = 0;

private:
    SettingsBackup backup_;
    AutostartBackup autostart_;
    std::function<LocalTime()> savedTime_;
    std::function<void(const std::string&)> savedSound_ = AlertSoundPlayer();
};

} // namespace testing_support
