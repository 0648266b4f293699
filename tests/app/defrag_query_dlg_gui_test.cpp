#include "app/defrag_query_dlg_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "app/settings.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "support/registry_snapshot_win.h"

namespace {

using namespace testing_support;

// Stands in for the main window's load line.
class LoadLine {
public:
    void Set(const std::string& text) { text_ = text; }
    std::function<std::string()> Source() const
    {
        return [this] { return text_; };
    }

private:
    std::string text_;
};

// Answers the real modal loop's dialog once shown; cancels all at a deadline so nothing hangs.
class ModalAnswer {
public:
    explicit ModalAnswer(int button)
    {
        button_ = button;
        shown_ = 0;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, OnCall, nullptr, GetCurrentThreadId());
        deadline_ = SetTimer(nullptr, 0, 5000, OnDeadline);
    }
    ~ModalAnswer()
    {
        KillTimer(nullptr, deadline_);
        UnhookWindowsHookEx(hook_);
    }
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    int Shown() const { return shown_; }

private:
    static LRESULT CALLBACK OnCall(int code, WPARAM wp, LPARAM lp)
    {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lp);
        const bool topLevel = !(GetWindowLongA(call.hwnd, GWL_STYLE) & WS_CHILD);
        if (code == HC_ACTION && call.message == WM_SHOWWINDOW && call.wParam && topLevel) {
            ++shown_;
            PostMessageA(call.hwnd, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static void CALLBACK OnDeadline(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return TRUE;
        }, 0);
    }

    static inline int button_ = IDOK;
    static inline int shown_ = 0;
    HHOOK hook_;
    UINT_PTR deadline_;
};

class DefragQueryDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        StoreNotice(std::nullopt);
    }
    void TearDown() override
    {
        dialog_.reset();
        backup_.Restore();
    }

    static void StoreNotice(std::optional<DWORD> value)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
        if (value)
            WriteDword(HKEY_LOCAL_MACHINE, kSettingsKey, kNoticeDialog, *value);
        else
            DeleteValue(HKEY_LOCAL_MACHINE, kSettingsKey, kNoticeDialog);
    }
    static void RemoveSettings()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);
    }
    static std::optional<DWORD> StoredNotice() { return ReadDword(HKEY_LOCAL_MACHINE, kSettingsKey, kNoticeDialog); }

    void Open()
    {
        dialog_ = std::make_unique<win32::Modeless<CDefragQueryDlg>>();
        dialog_->SetLoadLine(line_.Source());
        ASSERT_TRUE(dialog_->CreateModeless());
    }
    std::string Text(int id) const { return dialog_->GetItemText(id); }
    void Send(UINT message, WPARAM wp) const { SendMessageA(dialog_->hwnd(), message, wp, 0); }

    RegistrySnapshot backup_{HKEY_LOCAL_MACHINE, kSettingsKey};
    LoadLine line_;
    std::unique_ptr<win32::Modeless<CDefragQueryDlg>> dialog_;
};

TEST_F(DefragQueryDlgTest, AskingFollowsTheStoredValue)
{
    const struct {
        std::optional<DWORD> stored;
        bool keyExists, noNotice;
    } cases[] = {{std::nullopt, false, false}, {0, true, false}, {7, true, true}};
    for (const auto& c : cases) {
        StoreNotice(c.stored);
        if (!c.keyExists)
            RemoveSettings();
        EXPECT_EQ(CDefragQueryDlg().NoNotice(), c.noNotice) << (c.stored ? int(*c.stored) : -1);
    }
}

TEST_F(DefragQueryDlgTest, ModalQuestionEndsWithTheButtonOrOkUnseenWhenAskingIsOff)
{
    for (const int button : {IDOK, IDCANCEL}) {
        CDefragQueryDlg dialog;
        dialog.SetLoadLine(line_.Source());
        ModalAnswer answer(button);
        EXPECT_EQ(dialog.DoModal(), button);
        EXPECT_EQ(answer.Shown(), 1);
    }
    StoreNotice(1);
    CDefragQueryDlg dialog;
    dialog.SetLoadLine(line_.Source());
    ModalAnswer answer(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(answer.Shown(), 0) << "the question was shown";
}

TEST_F(DefragQueryDlgTest, FollowsTheLoadLineAndItsHiddenCheckBoxStoresCreatingTheKey)
{
    Open();
    std::smatch load;
    const std::string opening = Text(IDC_CPUSTATUS_TEXT);
    ASSERT_TRUE(std::regex_match(opening, load, std::regex("(\\d+)%"))) << opening;
    EXPECT_LE(std::stoi(load[1]), 100);
    for (const int id : {IDC_NOTNOTICE_CHECK, IDC_STATICCPUSTATUSINNOTICE}) {
        EXPECT_FALSE(GetWindowLongA(dialog_->Item(id), GWL_STYLE) & WS_VISIBLE) << id;
        EXPECT_FALSE(IsWindowEnabled(dialog_->Item(id))) << id;
    }

    line_.Set("Processor load: 37 %");
    Send(WM_TIMER, kLoadCopyTimer + 1);
    EXPECT_EQ(Text(IDC_CPUSTATUS_TEXT), opening) << "another timer copies nothing";
    Send(WM_TIMER, kLoadCopyTimer);
    EXPECT_EQ(Text(IDC_CPUSTATUS_TEXT), "Processor load: 37 %");
    line_.Set("Processor load: 55 %");
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_CPUSTATUS_TEXT) == "Processor load: 55 %"; }, 3000))
        << "its own timer copies within about a second";

    RemoveSettings();
    for (const bool ticked : {true, false}) {
        dialog_->SetChecked(IDC_NOTNOTICE_CHECK, ticked);
        Send(WM_COMMAND, MAKEWPARAM(IDC_NOTNOTICE_CHECK, BN_CLICKED));
        EXPECT_EQ(StoredNotice(), std::optional<DWORD>(ticked ? 1 : 0));
        EXPECT_EQ(dialog_->NoNotice(), ticked);
    }
}

} // namespace
