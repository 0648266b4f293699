#pragma once
// The cleaning methods dialog: which methods a clean uses, and the automatic clean on a full
// standby list. Methods this Windows does not offer stay visible but disabled. Its second page
// holds the programs left alone or pausing, and the waits between automatic cleans.
#include "app/settings/settings.h"
#include "win32/tool_dialog.h"

class CCleaningMethodsDlg : public win32::ToolDialog {
public:
    CCleaningMethodsDlg(const CleaningMethodSettings& settings, MethodSet offered);

    // The choice as it stands; after OK, what to store.
    const CleaningMethodSettings& Settings() const { return settings_; }

    // False (after saying so) when the standby share is out of range.
    bool ReadControls();
    void WriteControls() const;

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void EnableLowPriority() const;

    CleaningMethodSettings settings_;
    MethodSet offered_;
};
