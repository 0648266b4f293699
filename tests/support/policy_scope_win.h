#pragma once
// Policies as Group Policy writes them, for one test: none at first, as before afterwards.
#include <windows.h>

#include "common/settings_keys.h"
#include "support/registry_snapshot_win.h"

namespace testing_support {

class PolicyScope {
public:
    PolicyScope() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kPolicyKey); }
    ~PolicyScope() { backup_.Restore(); }
    PolicyScope(const PolicyScope&) = delete;
    PolicyScope& operator=(const PolicyScope&) = delete;

    void Set(const char* name, DWORD value) const { WriteDword(HKEY_LOCAL_MACHINE, kPolicyKey, name, value); }

private:
    RegistrySnapshot backup_{HKEY_LOCAL_MACHINE, "Software\\Policies\\Kelvane"};
};

} // namespace testing_support
