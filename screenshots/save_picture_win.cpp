#include "save_picture_win.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/message_pump_win.h"

bool SavePicture(HWND window, const std::string& name)
{
    const char* dir = std::getenv("TIDEWELL_SCREENSHOT_DIR");
    if (!dir || !*dir || !window)
        return false;
    ShowWindow(window, SW_SHOW);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing_support::PumpMessagesFor(400);

    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h; // bottom-up, as BMP files store it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();

    BITMAPFILEHEADER fh{};
    const DWORD imageBytes = static_cast<DWORD>(w) * h * 4;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + imageBytes;
    // A run at another DPI marks its pictures: main-wide-144.
    const char* suffix = std::getenv("TIDEWELL_SCREENSHOT_SUFFIX");
    std::ofstream out(std::string(dir) + "\\" + name + (suffix ? suffix : "") + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    const bool ok = out.good();

    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return ok;
}

namespace {

struct BoxSearch {
    HWND owner;
    HWND box = nullptr;
};

// The message box is the visible dialog window that `owner` owns.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM search)
{
    auto& s = *reinterpret_cast<BoxSearch*>(search);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != s.owner)
        return TRUE;
    s.box = window;
    return FALSE;
}

} // namespace

bool SaveMessageBoxPicture(HWND owner, const std::string& text, const std::string& caption, UINT type, int answer,
                           const std::string& name)
{
    std::atomic<bool> saved{false};
    const DWORD boxThread = GetCurrentThreadId();
    std::thread helper([&] {
        BoxSearch search{owner};
        const DWORD start = GetTickCount();
        while (!search.box && GetTickCount() - start < 10000) {
            Sleep(20);
            EnumThreadWindows(boxThread, FindMessageBox, reinterpret_cast<LPARAM>(&search));
        }
        if (!search.box)
            return;
        saved = SavePicture(search.box, name);
        PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
    MessageBoxA(owner, text.c_str(), caption.empty() ? nullptr : caption.c_str(), type);
    helper.join();
    return saved;
}
