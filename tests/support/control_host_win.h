#pragma once
#include <windows.h>

#include "controls/color_static_win.h"

class ControlHost {
public:
    ControlHost(int width, int height, DWORD style = WS_POPUP)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TidewellControlHost";
        RegisterClassA(&wc); // fails harmlessly when already registered
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "Controls", style, 0, 0, width, height, nullptr, nullptr,
                                wc.hInstance, nullptr);
    }
    ~ControlHost() { DestroyWindow(hwnd_); }
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_CTLCOLORSTATIC) {
            if (HBRUSH brush = CColorStatic::ReflectCtlColor(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
                return reinterpret_cast<LRESULT>(brush);
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};
