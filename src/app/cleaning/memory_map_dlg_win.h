#pragma once
// The window that shows where memory goes: physical memory as one stacked bar and every figure in a
// table, the programs by name, the memory lists and what each cleaning method could take. It reads
// the machine when it opens and every two seconds while it is open, never once it has closed.
#include <string>
#include <vector>

#include "app/cleaning/memory_map_texts.h"
#include "controls/stacked_bar_ctrl_win.h"
#include "win32/handles.h"
#include "win32/list_view.h"
#include "win32/tool_dialog.h"

class CMemoryMapDlg : public win32::ToolDialog {
public:
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;

    CMemoryMapDlg();

protected:
    BOOL OnInit() override;
    void OnTimer(UINT_PTR id) override;

private:
    void Refresh();
    void ShowRows(const std::vector<MemoryMapRow>& rows);
    void MakePartImages();

    CStackedBar bar_;
    win32::ListView list_;
    win32::UniqueImageList images_; // a blank square, then one of each part's colour
    std::vector<MemoryMapRow> shown_;
    std::string barValue_; // what a screen reader hears of the bar
};
