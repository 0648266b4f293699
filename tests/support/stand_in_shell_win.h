#pragma once
// Wine's desktop sets no shell window, so a program Tidewell starts as the user would find no
// shell and start nothing. While this object lives a window of the test process stands in for the
// shell: GetShellWindow finds it, and its token (this process's) is the one programs start with.
// Its token is described as an ordinary one of the session's user in another process would be:
// under Wine every token is elevated, and this one is the test's own, both of which are refused.
#include <windows.h>

#include "common/account_win.h"
#include "common/user_launch_win.h"

extern "C" BOOL WINAPI SetShellWindow(HWND window); // user32; not declared by MinGW's headers

namespace testing_support {

struct StandInShell {
    StandInShell()
    {
        SetShellWindow(window);
        SetShellTokenFactsSource([](HANDLE, DWORD) {
            return ShellTokenFacts{InteractiveUserSid(), OwnProcessSession(), false, 0};
        });
    }
    ~StandInShell()
    {
        SetShellTokenFactsSource({});
        DestroyWindow(window); // which clears the shell window
    }
    StandInShell(const StandInShell&) = delete;
    StandInShell& operator=(const StandInShell&) = delete;
    const HWND window = CreateWindowExA(0, "STATIC", "shell", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
};

} // namespace testing_support
