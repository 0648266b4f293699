// What a screen reader is told of the window's drawn controls: each gauge and graph is named by
// what it measures and valued by the figure drawn beside or on it, in the interface's language.
// Texts are read when a reader asks; the tick only says that a figure it showed has changed.
#include "app/main_window/main_dlg_win.h"

#include "app/texts/memory_texts.h"
#include "common/spoken_text.h"
#include "resources/resource.h"

void CMainDlg::DescribeControls()
{
    const auto shown = [this](int id) { return [this, id] { return SpokenText(GetItemText(id)); }; };
    const auto text = [](const std::string& held) { return [&held] { return SpokenText(held); }; };
    gauges_[0].Describe(text(texts_.ramFree), shown(IDC_PHYS_PERCENT));
    gauges_[1].Describe(text(texts_.pageFree), shown(IDC_PAGE_PERCENT));
    gauges_[2].Describe(text(texts_.vramFree), shown(IDC_VIRT_PERCENT));
    gauges_[3].Describe(shown(IDC_TITLE4), shown(IDC_CLEAN_PERCENT));
    cpuGraph_.Describe(shown(IDC_TITLE2), shown(IDC_CPU_LOAD));
    // The caption the graph draws, in the interface's language.
    memoryGraph_.Describe(shown(IDC_TITLE1),
                          [this] { return SpokenText(MemoryGraphCaption(texts_.memoryUse, shownFreePercent_)); });
    NameGlyphs();
}

controls::ControlWindow* CMainDlg::ValueShownBy(int labelId)
{
    switch (labelId) {
    case IDC_PHYS_PERCENT: return &gauges_[0];
    case IDC_PAGE_PERCENT: return &gauges_[1];
    case IDC_VIRT_PERCENT: return &gauges_[2];
    case IDC_CLEAN_PERCENT: return &gauges_[3];
    case IDC_CPU_LOAD: return &cpuGraph_;
    default: return nullptr;
    }
}
