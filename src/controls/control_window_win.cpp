#include "controls/control_window_win.h"

#include <commctrl.h>

namespace controls {

namespace {
constexpr UINT_PTR kSubclassId = 0x5444; // one subclass per control window
// Names the object bound to a window, for FromHandle.
constexpr const char* kObjectProperty = "TidewellControlObject";
}

ControlWindow::~ControlWindow()
{
    HWND window = hwnd_;
    const bool owned = owned_;
    Detach();
    if (window && owned)
        DestroyWindow(window);
}

bool ControlWindow::Attach(HWND window)
{
    if (!window || hwnd_ || !SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = window;
    SetPropA(window, kObjectProperty, this);
    OnAttached();
    return true;
}

ControlWindow* ControlWindow::FromHandle(HWND window)
{
    return window ? static_cast<ControlWindow*>(GetPropA(window, kObjectProperty)) : nullptr;
}

bool ControlWindow::CreateOwned(DWORD exStyle, const char* className, const char* text, DWORD style,
                                const RECT& rect, HWND parent, int id)
{
    if (hwnd_)
        return false;
    HWND window = CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                  nullptr);
    if (!window)
        return false;
    if (!Attach(window)) {
        DestroyWindow(window);
        return false;
    }
    owned_ = true;
    return true;
}

void ControlWindow::Detach()
{
    if (hwnd_) {
        RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        RemovePropA(hwnd_, kObjectProperty);
    }
    hwnd_ = nullptr;
    owned_ = false;
}

LRESULT ControlWindow::Default(UINT msg, WPARAM wp, LPARAM lp) const
{
    return DefSubclassProc(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK ControlWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref)
{
    auto* self = reinterpret_cast<ControlWindow*>(ref);
    if (msg == WM_NCDESTROY) {
        // The window goes first (its dialog closed): forget it, keep the object.
        const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
        self->Detach();
        return result;
    }
    LRESULT result = 0;
    try {
        if (self->OnMessage(msg, wp, lp, result))
            return result;
    } catch (...) {
        // Nothing may unwind through the system's window code.
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

const char* RegisterControlClass(const char* className)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc))
        return className;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
    return className;
}

RECT PlaceholderRect(HWND dialog, int placeholderId)
{
    RECT rect{};
    HWND placeholder = GetDlgItem(dialog, placeholderId);
    if (!placeholder)
        return rect;
    GetWindowRect(placeholder, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool BackBuffer::Create(HWND window, int width, int height)
{
    Release();
    if (width <= 0 || height <= 0)
        return false;
    win32::WindowDc screen(window);
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32::UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!dc || !bitmap)
        return false;
    replaced_ = SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
    return true;
}

void BackBuffer::Release()
{
    if (dc_ && replaced_)
        SelectObject(dc_.get(), replaced_);
    replaced_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    width_ = height_ = 0;
}

void BackBuffer::CopyTo(HDC target) const
{
    if (dc_)
        BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

void FillSolid(HDC dc, const RECT& rect, Colour colour)
{
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(ToColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

} // namespace controls
