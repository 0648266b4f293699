#include "tools/startup/delayed_restore_win.h"

#include <memory>
#include <type_traits>

#include "common/file_bytes.h"
#include "common/protected_place_win.h"
#include "common/registry_key_win.h"
#include "tools/startup/delay_file.h"
#include "tools/startup/delayed_restore.h"
#include "tools/startup/startup_keys_win.h"

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UserRoot = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// An account's registry, loaded while it is logged on; null for an account that is no person's
// or whose registry is not loaded.
UserRoot OpenUserRoot(const std::string& account)
{
    HKEY key = nullptr;
    if (!IsPersonalAccount(account) ||
        RegOpenKeyExA(HKEY_USERS, account.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return UserRoot();
    return UserRoot(key);
}

// The kind's Run key, made where it is missing; a user's under `userRoot`.
bool OpenRunKey(int kind, HKEY userRoot, CRegistryKey& key)
{
    StartupKeyPlace place{};
    if (!StartupKeyOf(kind, place))
        return false;
    if (IsUserKind(kind))
        place.root = userRoot;
    const std::string path = place.path;
    const auto slash = path.find_last_of('\\');
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE | place.view;
    return key.Open(place.root, path.substr(0, slash), KEY_CREATE_SUB_KEY | place.view) == ERROR_SUCCESS &&
           key.CreateSubKey(path.substr(slash + 1), nullptr, 0, access) == ERROR_SUCCESS;
}

bool Holds(const CRegistryKey& key, const std::string& name, const RestoreStep& step)
{
    DWORD type = 0;
    std::string bytes;
    return key.QueryValue(name, type, bytes) == ERROR_SUCCESS && type == step.type && bytes == step.bytes;
}

bool PutBack(const RestoreStep& step, const std::string& name, HKEY userRoot)
{
    CRegistryKey key;
    if (!OpenRunKey(step.key, userRoot, key))
        return false;
    DWORD type = 0;
    std::string bytes;
    if (key.QueryValue(name, type, bytes) == ERROR_SUCCESS)
        return Holds(key, name, step);
    return key.SetValue(name, step.type, step.bytes) == ERROR_SUCCESS && Holds(key, name, step);
}

} // namespace

RestoreOutcome RestoreDelayedEntries(const std::string& delayList, const std::string& remover)
{
    std::string text;
    const ProtectedRead read = ReadProtectedFile(delayList, text);
    if (read.read == FileRead::Missing)
        return RestoreOutcome::NoList;
    if (!read.Ok())
        return RestoreOutcome::LeftAlone;
    const DelayFile file = ParseDelayFile(text);
    const RestorePlan plan = PlanDelayedRestore(file.items, remover,
                                                [](const std::string& account) { return OpenUserRoot(account) != nullptr; });
    std::vector<bool> back(file.items.size(), false);
    for (const RestoreStep& step : plan.steps)
        back[step.item] = PutBack(step, file.items[step.item].name, OpenUserRoot(step.account).get());

    DelayFile left;
    left.others = file.others;
    for (size_t i = 0; i < file.items.size(); ++i)
        if (!back[i])
            left.items.push_back(file.items[i]);
    if (left.items.empty()) {
        DeleteFileA(delayList.c_str());
        return RestoreOutcome::AllBack;
    }
    // Entries both back and still listed would do no harm; rewriting spares the next removal.
    if (left.items.size() < file.items.size())
        ReplaceFileBytes(delayList, FormatDelayFile(left), FileAccess::AdministratorsOnly);
    return RestoreOutcome::SomeKept;
}
