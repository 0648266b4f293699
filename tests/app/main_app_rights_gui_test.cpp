// Without the rights it needs the program says so and ends before it shows or writes anything;
// with them, the splash and the main window follow and the first start creates the settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/main_app_win.h"
#include "app/settings.h"
#include "common/resource_text.h"
#include "support/recording_host_win.h"
#include "support/registry_snapshot_win.h"
#include "win32/dialog.h"

namespace {

using testing_support::RecordingHost;
using testing_support::RegistrySnapshot;

bool SettingsKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(MainAppRights, MissingRightsShowTheMessageAndEndBeforeAnythingElse)
{
    RegistrySnapshot backup(HKEY_LOCAL_MACHINE, kSettingsKey);
    RegistrySnapshot run(HKEY_LOCAL_MACHINE, kRunKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSettingsKey);

    std::vector<int> modals;
    {
        RecordingHost host;
        host.modal = [&](win32::Dialog& dialog) {
            modals.push_back(dialog.TemplateId());
            return INT_PTR{IDOK};
        };
        {
            CMainApp app([] { return false; });
            EXPECT_FALSE(app.InitInstance(std::nullopt));
            ASSERT_EQ(host.boxes.size(), 1u);
            EXPECT_EQ(host.boxes[0].text, UiText("strErrorNeedAdmin"));
            EXPECT_EQ(host.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(host.boxes[0].caption, "Tidewell");
            EXPECT_TRUE(modals.empty()) << "no splash, no main window";
            EXPECT_FALSE(SettingsKeyExists()) << "nothing is written";
        } // its instance mutex goes with it

        CMainApp allowed([] { return true; });
        host.boxes.clear();
        EXPECT_FALSE(allowed.InitInstance(std::nullopt));
        EXPECT_TRUE(host.boxes.empty());
        EXPECT_EQ(modals.size(), 2u) << "the splash, then the main window";
        EXPECT_TRUE(SettingsKeyExists()) << "the first start creates the settings";
    }
    backup.Restore();
    run.Restore();
}

} // namespace
