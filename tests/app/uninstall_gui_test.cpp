// The removal ends the program by the file it runs: neither a copy of the same name elsewhere nor
// another program's window titled "Tidewell" (an Explorer window on the program's folder) is hit.
#include "app/settings/uninstall_win.h"

#include <gtest/gtest.h>

#include "support/child_process_win.h"

namespace {

using testing_support::ChildFolder;
using testing_support::SleepingChild;

TEST(Uninstall, EndsOnlyTheProcessesRunningTheProgramFile)
{
    const ChildFolder installed("uninstall-installed"), elsewhere("uninstall-elsewhere");
    const SleepingChild program(installed.path(), "Tidewell.exe"), namesake(elsewhere.path(), "Tidewell.exe");
    const std::unique_ptr<HWND__, BOOL(WINAPI*)(HWND)> titled(
        CreateWindowExA(0, "STATIC", "Tidewell", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        DestroyWindow);
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(namesake.Started());
    ASSERT_TRUE(titled);

    EndRunningCopies(program.Path());
    EXPECT_TRUE(program.HasEnded(5000));
    EXPECT_FALSE(namesake.HasEnded());
    EXPECT_TRUE(IsWindow(titled.get()));
}

} // namespace
