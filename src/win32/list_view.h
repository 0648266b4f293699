#pragma once
// Thin helpers over a report-style list view control.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace win32 {

class ListView {
public:
    explicit ListView(HWND control = nullptr) : hwnd_(control) {}
    HWND hwnd() const { return hwnd_; }

    void SetExtendedStyle(DWORD style) const;
    // width: in pixels at 96 DPI; the column gets as many at the list's DPI.
    void AddColumn(int index, const std::string& title, int width, int format = LVCFMT_LEFT) const;
    // Inserts a row at `row` (or at the end when row is -1), its text indented by `indent` image
    // widths; returns its index or -1.
    int InsertRow(int row, const std::string& text, int image = -1, int indent = 0) const;
    void SetCell(int row, int column, const std::string& text) const;
    std::string GetCell(int row, int column) const;
    void SetImageList(HIMAGELIST images) const;
    int RowCount() const;
    bool DeleteRow(int row) const;
    void DeleteAll() const;
    // The row that has the focus, or -1.
    int FocusedRow() const;
    int SelectedRow() const;
    void FocusRow(int row) const;

private:
    HWND hwnd_;
};

} // namespace win32
