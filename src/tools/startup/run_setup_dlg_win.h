#pragma once
// Start mode dialog: one entry's choice of run at start-up, paused, or delayed by 1 to 60 minutes.
// The caller fills the members, runs it, and applies the choice on IDOK.
#include <string>

#include "tools/startup/startup_item.h"
#include "win32/tool_dialog.h"

class CRunSetupDlg : public win32::ToolDialog {
public:
    static constexpr int kMinMinutes = 1;
    static constexpr int kMaxMinutes = 60;

    CRunSetupDlg();

    int mode = StartAtBoot;
    int minutes = 1;
    std::string command;
    std::string name;

    // Controls into members; false, after the validation message, when the minutes do not lie
    // from 1 to 60.
    bool ReadControls();
    void WriteControls() const;

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void EnableMinutes(bool enable) const;
};
