#include "win32/list_view.h"

#include "win32/dpi.h"

#include <vector>

namespace win32 {

void ListView::SetExtendedStyle(DWORD style) const
{
    ListView_SetExtendedListViewStyle(hwnd_, style);
}

void ListView::AddColumn(int index, const std::string& title, int width, int format) const
{
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = ScaleForDpi(width, WindowDpi(hwnd_)); // widths are written for 96 DPI
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = index;
    SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListView::InsertRow(int row, const std::string& text, int image, int indent) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0) | (indent > 0 ? LVIF_INDENT : 0);
    item.iIndent = indent;
    item.iItem = row < 0 ? RowCount() : row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCell(int row, int column, const std::string& text) const
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::GetCell(int row, int column) const
{
    // LVM_GETITEMTEXT cannot report the length: grow until the text fits.
    for (size_t size = 260;; size *= 4) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto n = static_cast<size_t>(
            SendMessageA(hwnd_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < size || size > (1u << 20))
            return std::string(buffer.data(), n);
    }
}

void ListView::SetImageList(HIMAGELIST images) const
{
    ListView_SetImageList(hwnd_, images, LVSIL_SMALL);
}

int ListView::RowCount() const { return ListView_GetItemCount(hwnd_); }

bool ListView::DeleteRow(int row) const { return ListView_DeleteItem(hwnd_, row) != FALSE; }

void ListView::DeleteAll() const { ListView_DeleteAllItems(hwnd_); }

int ListView::FocusedRow() const { return ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED); }

int ListView::SelectedRow() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }

void ListView::FocusRow(int row) const
{
    ListView_SetItemState(hwnd_, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

} // namespace win32
