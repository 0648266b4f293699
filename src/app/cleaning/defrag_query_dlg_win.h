#pragma once
// The question before an automatic clean: OK starts the clean-up run, Cancel leaves memory alone.
// Shows the processor load and follows the main window's load line once a second.
#include <functional>
#include <string>

#include "win32/tool_dialog.h"

constexpr UINT_PTR kLoadCopyTimer = 3;
constexpr UINT kLoadCopyPeriodMs = 1000;

class CDefragQueryDlg : public win32::ToolDialog {
public:
    // Reads NoticeDialog: when set, the dialog answers OK without being shown. loadLine: the
    // main window's load line, followed once a second (none: the load read at the start stays).
    // standby: a full standby list rather than low free memory called for the clean.
    explicit CDefragQueryDlg(std::function<std::string()> loadLine = {}, bool standby = false);

    bool NoNotice() const { return noNotice_; }

    void ReadControls();
    void WriteControls();

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void StoreNoNotice();

    std::function<std::string()> loadLine_;
    bool noNotice_ = false;
    bool standbyReason_ = false;
};
