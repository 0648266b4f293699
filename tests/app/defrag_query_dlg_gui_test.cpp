#include "app/cleaning/defrag_query_dlg_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"

namespace {

using namespace testing_support;

using DefragQueryDlg = SettingsFixture; // a first start: no settings key yet

TEST_F(DefragQueryDlg, FollowsTheLoadLineStoresItsBoxAndIsAnsweredUnseenWhenAskingIsOff)
{
    std::string line = "Processor load: 37 %";
    win32::Modeless<CDefragQueryDlg> dialog([&] { return line; });
    EXPECT_TRUE(dialog.CreateModeless());
    EXPECT_TRUE(PumpUntil([&] { return dialog.GetItemText(IDC_CPUSTATUS_TEXT) == line; }, 3000)) << "its own timer";

    for (const bool ticked : {true, false}) {
        dialog.SetChecked(IDC_NOTNOTICE_CHECK, ticked);
        SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_NOTNOTICE_CHECK, BN_CLICKED), 0);
        EXPECT_EQ(Stored(kNoticeDialog), std::optional<DWORD>(ticked));
    }
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.Result(), IDCANCEL);

    win32::Modeless<CDefragQueryDlg> standby(nullptr, true); // asks: the stored value is 0
    EXPECT_TRUE(standby.CreateModeless());
    EXPECT_EQ(standby.GetItemText(IDC_STATICDEDLGQUERY0), UiText("StandbyQueryText"));
    SendMessageA(standby.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(standby.Result(), IDOK);

    Store(kNoticeDialog, 7);
    win32::Modeless<CDefragQueryDlg> unasked;
    unasked.CreateModeless();
    EXPECT_EQ(unasked.hwnd(), nullptr) << "asking is off: never shown";
    EXPECT_EQ(unasked.Result(), IDOK);
}

} // namespace
