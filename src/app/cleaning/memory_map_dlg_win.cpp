#include "app/cleaning/memory_map_dlg_win.h"

#include <commctrl.h>

#include "common/resource_text.h"
#include "common/spoken_text.h"
#include "memory/memory_map_win.h"
#include "resources/resource.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"

namespace {

using controls::Rgb;

// By MapPart.
const std::vector<controls::Colour> kPartColours = {Rgb(40, 90, 200),  Rgb(0, 150, 150),   Rgb(140, 70, 170),
                                                    Rgb(200, 120, 40), Rgb(220, 80, 60),   Rgb(120, 180, 240),
                                                    Rgb(130, 210, 120), Rgb(60, 160, 70)};

} // namespace

CMemoryMapDlg::CMemoryMapDlg() : win32::ToolDialog(IDD_MEMORY_MAP_DIALOG) {}

BOOL CMemoryMapDlg::OnInit()
{
    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), "MemoryMapCaption",
                      {win32::TextItem{IDC_MAP_BAR_TITLE, "MemoryMapBarTitle"},
                       win32::TextItem{IDC_MAP_NOTE, "MemoryMapNote"}, win32::TextItem{IDCANCEL, "MemoryMapClose"}});
    bar_.Attach(hwnd(), IDC_MAP_BAR);
    bar_.partColours = kPartColours;
    bar_.Describe([this] { return SpokenText(GetItemText(IDC_MAP_BAR_TITLE)); }, [this] { return barValue_; });

    list_ = win32::ListView(Item(IDC_MAP_LIST));
    list_.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    MakePartImages();
    list_.AddColumn(0, texts.Text("MemoryMapColumnPart"), 330, LVCFMT_LEFT);
    list_.AddColumn(1, texts.Text("MemoryMapColumnSize"), 115, LVCFMT_RIGHT);
    Refresh();
    SetTimer(hwnd(), kRefreshTimer, kRefreshMs, nullptr);
    return TRUE;
}

void CMemoryMapDlg::OnTimer(UINT_PTR id)
{
    if (id == kRefreshTimer)
        Refresh();
}

void CMemoryMapDlg::Refresh()
{
    const MemoryMap map = ReadMemoryMap();
    CResourceText texts;
    const TextLookup text = [&texts](const char* key) { return texts.Text(key); };
    const std::array<Bytes, kMapParts> parts = BarParts(map);
    barValue_ = BarDescription(map, text);
    if (bar_.SetParts({parts.begin(), parts.end()}, map.total))
        bar_.ValueShown();
    ShowRows(MemoryMapRows(map, text));
}

void CMemoryMapDlg::ShowRows(const std::vector<MemoryMapRow>& rows)
{
    const auto sameShape = [](const MemoryMapRow& a, const MemoryMapRow& b) {
        return a.indent == b.indent && a.part == b.part && a.label == b.label;
    };
    // Rows that keep their place change only their figures: the focus and the scroll stay.
    if (rows.size() == shown_.size() && std::equal(rows.begin(), rows.end(), shown_.begin(), sameShape)) {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].value != shown_[i].value)
                list_.SetCell(static_cast<int>(i), 1, rows[i].value);
    } else {
        const int focused = list_.FocusedRow();
        SendMessageA(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
        list_.DeleteAll();
        for (const MemoryMapRow& row : rows) {
            const int at = list_.InsertRow(-1, row.label, row.part + 1, row.indent);
            list_.SetCell(at, 1, row.value);
        }
        if (focused >= 0 && focused < static_cast<int>(rows.size()))
            list_.FocusRow(focused);
        SendMessageA(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
    }
    shown_ = rows;
}

// Squares of the bar's colours, so that a row shows which part of the bar it is.
void CMemoryMapDlg::MakePartImages()
{
    const int size = win32::SmallIconSize(list_.hwnd()), inset = std::max(2, size / 8);
    images_.reset(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kMapParts + 1, 0));
    win32::WindowDc screen(list_.hwnd());
    win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    for (size_t image = 0; image <= kMapParts; ++image) {
        win32::UniqueGdi<HBITMAP> picture(CreateCompatibleBitmap(screen.get(), size, size));
        win32::UniqueGdi<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
        const RECT all{0, 0, size, size}, square{inset, inset, size - inset, size - inset};
        {
            win32::SelectObjectScope selected(dc.get(), mask.get());
            controls::FillSolid(dc.get(), all, Rgb(255, 255, 255)); // white: transparent
            if (image > 0)
                controls::FillSolid(dc.get(), square, 0);
        }
        {
            win32::SelectObjectScope selected(dc.get(), picture.get());
            controls::FillSolid(dc.get(), all, 0);
            if (image > 0) {
                controls::FillSolid(dc.get(), square, bar_.frame);
                const RECT inside{square.left + 1, square.top + 1, square.right - 1, square.bottom - 1};
                controls::FillSolid(dc.get(), inside, kPartColours[image - 1]);
            }
        }
        ImageList_Add(images_.get(), picture.get(), mask.get());
    }
    list_.SetImageList(images_.get());
}
