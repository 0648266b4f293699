#include "win32/dpi.h"

namespace win32 {

int WindowDpi(HWND window)
{
    // Windows 10 1607 and later; looked up by name so that older systems still start.
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow = reinterpret_cast<ForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), "GetDpiForWindow")));
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int SmallIconSize()
{
    const int size = GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : 16;
}

int SmallIconSize(HWND window)
{
    using ForDpi = int(WINAPI*)(int, UINT);
    static const auto forDpi = reinterpret_cast<ForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32"), "GetSystemMetricsForDpi")));
    const int size = forDpi ? forDpi(SM_CXSMICON, static_cast<UINT>(WindowDpi(window))) : 0;
    return size > 0 ? size : SmallIconSize();
}

} // namespace win32
