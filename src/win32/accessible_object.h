#pragma once
// What a control that draws itself tells a screen reader: the client object of its window, an MSAA
// IAccessible with the control's role, name and value. Where it says nothing (place, state,
// parent, navigation, a name it leaves to its window text) the system's standard object answers.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace win32 {

struct AccessibleDescription {
    long role = 0;                      // ROLE_SYSTEM_*
    std::function<std::string()> name;  // UTF-8; none: the standard object's name (the window text)
    std::function<std::string()> value; // UTF-8; none: the control has no value
};

// The answer to WM_GETOBJECT: an object for `description` when the client object is asked for,
// otherwise 0 (the system's own answer). The object outlives neither the description nor the
// window: once either has gone, it reports itself disconnected.
LRESULT AnswerGetObject(HWND window, WPARAM wp, LPARAM lp, const std::shared_ptr<const AccessibleDescription>& description);

// Tells a listening screen reader that the value `window` shows has changed; nothing when the window
// cannot be seen or nobody listens.
void NotifyValueChange(HWND window);

} // namespace win32
