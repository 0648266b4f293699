#include "common/shell_state_win.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

namespace {
std::function<int()> stateSource;
} // namespace

void SetShellStateSource(std::function<int()> source) { stateSource = std::move(source); }

int ShellNotificationState()
{
    if (stateSource)
        return stateSource();
    // Bound by name: Vista brought it.
    using QueryFn = HRESULT(WINAPI*)(QUERY_USER_NOTIFICATION_STATE*);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("shell32"), "SHQueryUserNotificationState")));
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (!query || FAILED(query(&state)))
        return QUNS_ACCEPTS_NOTIFICATIONS;
    return state;
}
