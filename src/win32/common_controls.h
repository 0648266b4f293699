#pragma once
// Thin helpers over the trackbar, combo box, list box and up-down controls, named for what the
// dialogs do with them.
#include <windows.h>

#include <string>

namespace win32 {

class Trackbar {
public:
    explicit Trackbar(HWND control) : hwnd_(control) {}
    void SetRange(int lowest, int highest) const;
    void SetPosition(int position) const;
    int Position() const;

private:
    HWND hwnd_;
};

class ComboBox {
public:
    explicit ComboBox(HWND control) : hwnd_(control) {}
    void AddString(const std::string& text) const;
    void Clear() const { SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0); }
    void Select(int index) const;
    // The selected index, or -1 (CB_ERR) when none is.
    int Selection() const;

private:
    HWND hwnd_;
};

class ListBox {
public:
    explicit ListBox(HWND control) : hwnd_(control) {}
    // Empties the list and shows these lines in their order.
    template <typename Lines>
    void Show(const Lines& lines) const
    {
        SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
        for (const std::string& line : lines)
            SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    void Select(int index) const { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // The selected index, or -1 (LB_ERR) when none is.
    int Selection() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }

private:
    HWND hwnd_;
};

class UpDown {
public:
    explicit UpDown(HWND control) : hwnd_(control) {}
    void SetRange(int lowest, int highest) const;

private:
    HWND hwnd_;
};

} // namespace win32
