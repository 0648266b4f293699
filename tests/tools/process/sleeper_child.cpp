// A child the process tests start, find and end. A window-subsystem program, so that no console
// host is started for it. It ends by itself after a minute so that a failed test leaves nothing
// running. Given a number, it first commits and touches that many megabytes, so that its working
// set is large enough to see emptied. Given "hold <path>", it holds that file open without sharing
// for a minute, as any reader of a file may. Given "hotkey <modifiers> <key>", it holds that
// combination for a minute, as another program may. Given a title, it shows a window of that title for
// five minutes instead: another program's window that a test expects to survive.
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    if (!commandLine || !*commandLine || std::isdigit(static_cast<unsigned char>(*commandLine))) {
        const SIZE_T megabytes = commandLine ? std::strtoul(commandLine, nullptr, 10) : 0;
        if (megabytes > 0 && megabytes <= 256) {
            const SIZE_T bytes = megabytes << 20;
            if (auto* block = static_cast<volatile char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE)))
                for (SIZE_T i = 0; i < bytes; i += 4096)
                    block[i] = 1;
        }
        Sleep(60000);
        return 0;
    }
    if (std::strncmp(commandLine, "hold ", 5) == 0) {
        const HANDLE held = CreateFileA(commandLine + 5, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Sleep(held != INVALID_HANDLE_VALUE ? 60000 : 0);
        return 0;
    }
    if (std::strncmp(commandLine, "hotkey ", 7) == 0) {
        char* key = nullptr;
        const UINT modifiers = std::strtoul(commandLine + 7, &key, 10);
        Sleep(RegisterHotKey(nullptr, 1, modifiers, std::strtoul(key, nullptr, 10)) ? 60000 : 0);
        return 0;
    }
    CreateWindowExA(0, "STATIC", commandLine, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 200, nullptr, nullptr,
                    nullptr, nullptr);
    SetTimer(nullptr, 0, 5 * 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER)
        DispatchMessageA(&msg);
    return 0;
}
