#pragma once
// Saves what a window shows on screen as build/screenshots/<name>.bmp when the test run asks for
// pictures (TIDEWELL_SCREENSHOT_DIR set); scripts/screenshots.sh turns them into PNG files.
#include <windows.h>

#include <string>

namespace testing_support {

bool ScreenshotsWanted();
// Brings the window to the front, lets it paint, and copies its screen area. True when written.
bool SaveScreenshot(HWND window, const std::string& name);
// Shows a real message box, saves its picture while it is open, then closes it with `answer`.
bool SaveMessageBoxScreenshot(HWND owner, const std::string& text, const std::string& caption, UINT type,
                              int answer, const std::string& name);
// Pumps this thread's messages for the given time (windows paint, timers fire).
void PumpMessagesFor(DWORD milliseconds);
// Pumps messages until the condition holds or the deadline passes; returns the condition.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return condition();
        PumpMessagesFor(10);
    }
    return true;
}

} // namespace testing_support
