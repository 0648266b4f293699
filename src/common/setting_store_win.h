#pragma once
// The settings' registry side: every row read from the settings key and from the policy key, and
// values written to the settings key unless a policy sets them. Failures are silent: a value not
// read is absent, one not written stays as it was.
#include <initializer_list>
#include <utility>

#include "common/setting_table.h"

SettingValues ReadSettingValues();
// The policy key alone, for what only an organisation sets.
SettingValues ReadPolicies();

// The settings key is created when missing.
void WriteSettings(std::initializer_list<std::pair<const char*, SettingValue>> values);
