#pragma once
// Lets this thread's windows run while a test or the picture program waits: messages pumped for a
// while, or until a condition holds.
#include <windows.h>

namespace testing_support {

inline void PumpMessagesFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

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
