#pragma once
// What an organisation set, shown in a dialog: the controls of the settings its policies fix are
// greyed, and the dialog's line (IDC_POLICY_NOTE) says who set them.
#include <vector>

#include "common/setting_table.h"
#include "win32/dialog.h"

// The controls greyed; a dialog that enables controls later leaves these alone.
std::vector<int> ShowPolicies(const win32::Dialog& dialog, const SettingValues& values);
