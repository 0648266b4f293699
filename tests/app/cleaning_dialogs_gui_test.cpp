// The cleaning methods dialog: what it offers on each Windows, and what its OK hands back.
#include "app/cleaning_methods_dlg_win.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "support/main_dlg_fixture_win.h"

namespace {

using testing_support::Click;
using testing_support::Enabled;

TEST(CleaningMethodsDlg, MapsTheStandbyBoxesChecksTheShareAndOffersOlderWindowsTheClassicStepAlone)
{
    testing_support::RecordingHost host;
    win32::Modeless<CCleaningMethodsDlg> dialog({kFillAndRelease | kPurgeLowPriorityStandby, false, 50}, kAllMethods);
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_TRUE(dialog.IsChecked(IDC_METHOD_FILL));
    EXPECT_TRUE(dialog.IsChecked(IDC_METHOD_STANDBY) && dialog.IsChecked(IDC_METHOD_LOWPRIORITY));
    EXPECT_TRUE(Enabled(dialog, IDC_METHOD_COMBINE) && Enabled(dialog, IDC_STANDBY_AUTOCLEAN));
    EXPECT_EQ(dialog.GetItemText(IDC_METHODS_NOTE), "");
    Click(dialog, IDC_METHOD_STANDBY);
    EXPECT_FALSE(Enabled(dialog, IDC_METHOD_LOWPRIORITY)) << "only beside the standby purge";
    Click(dialog, IDC_METHOD_STANDBY);
    Click(dialog, IDC_METHOD_LOWPRIORITY); // the whole list
    Click(dialog, IDC_METHOD_FILL);
    Click(dialog, IDC_METHOD_WORKINGSETS);
    Click(dialog, IDC_STANDBY_AUTOCLEAN);
    dialog.SetItemText(IDC_STANDBY_EDIT, "96");
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    ASSERT_EQ(host.boxes.size(), 1u) << "out of range";
    dialog.SetItemText(IDC_STANDBY_EDIT, "30");
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.Settings().methods, MethodSet{kEmptyWorkingSets | kPurgeStandbyList});
    EXPECT_TRUE(dialog.Settings().standbyAutoClean);
    EXPECT_EQ(dialog.Settings().standbyAlertValue, 30);

    // Stored on a newer machine: the list operations stay stored but cannot be chosen here.
    win32::Modeless<CCleaningMethodsDlg> older({kPurgeStandbyList, true, 40}, kClassicMethodOnly);
    ASSERT_TRUE(older.CreateModeless());
    for (int id : {IDC_METHOD_WORKINGSETS, IDC_METHOD_FILECACHE, IDC_METHOD_MODIFIED, IDC_METHOD_STANDBY,
                   IDC_METHOD_LOWPRIORITY, IDC_METHOD_COMBINE, IDC_STANDBY_AUTOCLEAN, IDC_STANDBY_EDIT})
        EXPECT_FALSE(Enabled(older, id)) << id;
    EXPECT_TRUE(Enabled(older, IDC_METHOD_FILL));
    EXPECT_NE(older.GetItemText(IDC_METHODS_NOTE), "");
    SendMessageA(older.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(older.Settings().methods, MethodSet{kPurgeStandbyList | kFillAndRelease})
        << "nothing runnable chosen: stored with the classic step";
}

} // namespace
