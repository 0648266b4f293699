#pragma once
// The cache settings dialog: CD-ROM and hard-disk cache sizes from two sliders, the page-file
// switch, a one-time backup of the system's values and a restore of them.
#include <functional>

#include "win32/tool_dialog.h"

class CCacheSetupDlg : public win32::ToolDialog {
public:
    // totalPhysEvenMB: installed memory in megabytes rounded up to even, for the suggested
    // hard-disk position. Reads the page-file switch and takes the backup at once.
    explicit CCacheSetupDlg(std::function<int()> totalPhysEvenMB);
    CCacheSetupDlg();

    void ReadControls();
    void WriteControls();

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    void SetUpSliders();
    void Save();
    void Restore();
    int SliderPosition(int id) const;
    void SetSlider(int id, int lowest, int highest, long position) const;

    std::function<int()> totalPhysEvenMB_;
    // The sliders are read where they are needed; only the check box is exchanged.
    bool clearPageFile_ = false;
};
