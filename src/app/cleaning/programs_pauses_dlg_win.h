#pragma once
// The second page of the cleaning methods: the programs whose working sets are never emptied, the
// programs during which automatic cleaning pauses, and the waits between automatic cleans. Names
// are picked from the running programs or typed; they are only ever compared, never started.
#include "app/settings/settings.h"
#include "win32/tool_dialog.h"

class CProgramsPausesDlg : public win32::ToolDialog {
public:
    explicit CProgramsPausesDlg(const CleaningMethodSettings& settings);

    // The choice as it stands; after OK, what to store.
    const CleaningMethodSettings& Settings() const { return settings_; }

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;

private:
    void Add(ProgramList& list, int listBox);
    void Remove(ProgramList& list, int listBox);
    // False (after saying so, with the focus on the box) when the number is out of range.
    bool ReadNumber(int edit, int most, const char* messageKey, int32_t& value) const;

    CleaningMethodSettings settings_;
};
