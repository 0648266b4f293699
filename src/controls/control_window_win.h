#pragma once
// Common ground of the drawing controls: a C++ object bound to a child window by taking over its
// window procedure, created standalone, over a placeholder, or attached to a dialog's control; and the
// back buffer they draw into. Each tells a screen reader its role, and the name and value its owner
// gives it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "controls/colour.h"
#include "win32/accessible_object.h"
#include "win32/handles.h"

namespace controls {

class ControlWindow {
public:
    virtual ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Binds to an existing window (a dialog's control); the dialog keeps owning the window.
    bool Attach(HWND window);
    bool Attach(HWND dialog, int id) { return Attach(GetDlgItem(dialog, id)); }
    // The object bound to a window, when the window is one of these controls.
    static ControlWindow* FromHandle(HWND window);

    // What a screen reader is told besides the role: texts in the interface's language, asked for
    // only when a reader asks. No name: the window text.
    void Describe(std::function<std::string()> name, std::function<std::string()> value = {});
    // The value this control shows has changed: a listening reader hears of it, if it can be seen.
    void ValueShown() const { win32::NotifyValueChange(hwnd_); }

protected:
    explicit ControlWindow(long role); // ROLE_SYSTEM_*
    // Creates a child window that this object owns and destroys.
    bool CreateOwned(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                     HWND parent, int id);
    // True when handled, with the result in `result`.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
    virtual void OnAttached() {}
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) const;
    // Asks for a paint when the control can be seen; a hidden one is painted when it is shown.
    void ShowChange() const;
    // The paint messages of a control that covers every pixel: no erase; WM_PAINT and
    // WM_PRINTCLIENT draw through `paint`. False for any other message.
    bool PaintMessage(UINT msg, WPARAM wp, LRESULT& result, const std::function<void(HDC)>& paint) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Detach();

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr; // the window's procedure before this object took it over
    bool owned_ = false;
    std::shared_ptr<win32::AccessibleDescription> accessible_;
};

// Registers (once per process) a plain window class for a control that paints itself.
const char* RegisterControlClass(const char* className);
// The rectangle of a dialog's control in the dialog's client coordinates.
RECT PlaceholderRect(HWND dialog, int placeholderId);

// A memory DC with a bitmap of a control's size; the bitmap it replaced is restored on release.
class BackBuffer {
public:
    bool Create(HWND window, int width, int height);
    void Release();
    explicit operator bool() const { return static_cast<bool>(dc_); }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    void CopyTo(HDC target) const;
    ~BackBuffer() { Release(); }

private:
    win32::UniqueMemoryDc dc_;
    win32::UniqueGdi<HBITMAP> bitmap_;
    HGDIOBJ replaced_ = nullptr;
    int width_ = 0, height_ = 0;
};

// A control that draws its whole picture into a back buffer when it changed or was resized, and
// copies the buffer on every paint.
class BufferedControl : public ControlWindow {
protected:
    using ControlWindow::ControlWindow;
    virtual void Draw(HDC dc, int width, int height) = 0;
    // The picture is drawn anew at the next paint, which is asked for when the control can be seen.
    void Redraw();
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    BackBuffer buffer_;
};

inline COLORREF ToColorRef(Colour c) { return static_cast<COLORREF>(c); }
void FillSolid(HDC dc, const RECT& rect, Colour colour);

} // namespace controls
