#include "controls/control_window_win.h"

namespace controls {

ControlWindow::ControlWindow(long role) : accessible_(std::make_shared<win32::AccessibleDescription>())
{
    accessible_->role = role;
}

void ControlWindow::Describe(std::function<std::string()> name, std::function<std::string()> value)
{
    accessible_->name = std::move(name);
    accessible_->value = std::move(value);
}

ControlWindow::~ControlWindow()
{
    HWND window = hwnd_;
    const bool owned = owned_;
    Detach();
    if (window && owned)
        DestroyWindow(window);
}

// The object sits in the window's user data and its procedure replaces the window's own: both are
// read back without asking the window system, where a property or a common-controls subclass
// costs a round trip on every message. Unicode, as the controls themselves are.
bool ControlWindow::Attach(HWND window)
{
    if (!window || hwnd_ || GetWindowLongPtrW(window, GWLP_USERDATA) != 0)
        return false;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlWindow::WindowProc)));
    if (!previous_) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return false;
    }
    hwnd_ = window;
    OnAttached();
    return true;
}

ControlWindow* ControlWindow::FromHandle(HWND window)
{
    if (!window ||
        GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&ControlWindow::WindowProc))
        return nullptr;
    return reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
        // Only the procedure on top can be put back. Under another one it stays, and with no
        // object it hands every message to the window class's own procedure.
        if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ControlWindow::WindowProc))
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
    previous_ = nullptr;
    owned_ = false;
}

LRESULT ControlWindow::Default(UINT msg, WPARAM wp, LPARAM lp) const
{
    return CallWindowProcW(previous_, hwnd_, msg, wp, lp);
}

void ControlWindow::ShowChange() const
{
    // A hidden window is painted whole when it is shown.
    if (hwnd_ && IsWindowVisible(hwnd_))
        InvalidateRect(hwnd_, nullptr, FALSE);
}

bool ControlWindow::PaintMessage(UINT msg, WPARAM wp, LRESULT& result, const std::function<void(HDC)>& paint) const
{
    result = msg == WM_ERASEBKGND ? 1 : 0;
    if (msg == WM_PAINT) {
        win32::PaintDc dc(hwnd_);
        paint(dc.get());
    } else if (msg == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wp));
    }
    return msg == WM_ERASEBKGND || msg == WM_PAINT || msg == WM_PRINTCLIENT;
}

LRESULT CALLBACK ControlWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->hwnd_ != hwnd) {
        const auto classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
        return classProc ? CallWindowProcW(classProc, hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) {
        // The window goes first (its dialog closed): forget it, keep the object.
        const LRESULT result = self->Default(msg, wp, lp);
        self->Detach();
        return result;
    }
    LRESULT result = 0;
    try {
        if (msg == WM_GETOBJECT) {
            if (const LRESULT object = win32::AnswerGetObject(hwnd, wp, lp, self->accessible_))
                return object;
        }
        if (self->OnMessage(msg, wp, lp, result))
            return result;
    } catch (...) {
        // Nothing may unwind through the system's window code.
        return 0;
    }
    return self->Default(msg, wp, lp);
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

void BufferedControl::Redraw()
{
    buffer_.Release();
    ShowChange();
}

bool BufferedControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_SIZE) {
        result = Default(msg, wp, lp);
        buffer_.Release();
        return true;
    }
    return PaintMessage(msg, wp, result, [this](HDC target) {
        if (!buffer_) {
            RECT client{};
            GetClientRect(hwnd(), &client);
            if (!buffer_.Create(hwnd(), client.right, client.bottom))
                return;
            Draw(buffer_.dc(), client.right, client.bottom);
        }
        buffer_.CopyTo(target);
    });
}

void FillSolid(HDC dc, const RECT& rect, Colour colour)
{
    win32::UniqueGdi<HBRUSH> brush(CreateSolidBrush(ToColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

} // namespace controls
