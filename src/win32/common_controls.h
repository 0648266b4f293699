#pragma once
// Thin helpers over the trackbar, combo box and up-down controls, named for what the dialogs do
// with them.
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
    void Select(int index) const;
    // The selected index, or -1 (CB_ERR) when none is.
    int Selection() const;

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
