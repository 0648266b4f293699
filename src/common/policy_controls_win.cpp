#include "common/policy_controls_win.h"

#include "resources/resource.h"

void ShowPolicies(win32::Dialog& dialog, const SettingValues& values)
{
    const std::vector<int> fixed = values.FixedControls(dialog.TemplateId());
    for (int id : fixed)
        dialog.KeepDisabled(id);
    ShowWindow(dialog.Item(IDC_POLICY_NOTE), fixed.empty() ? SW_HIDE : SW_SHOWNA);
}
