#pragma once
// Wine's desktop sets no shell window, so a program Tidewell starts as the user would find no
// shell and start nothing. While this object lives a window of the test process stands in for the
// shell: GetShellWindow finds it, and its token (this process's) is the one programs start with.
#include <windows.h>

extern "C" BOOL WINAPI SetShellWindow(HWND window); // user32; not declared by MinGW's headers

namespace testing_support {

struct StandInShell {
    StandInShell() { SetShellWindow(window); }
    ~StandInShell() { DestroyWindow(window); } // which clears the shell window
    const HWND window = CreateWindowExA(0, "STATIC", "shell", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
};

} // namespace testing_support
