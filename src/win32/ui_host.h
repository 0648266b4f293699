#pragma once
// The one seam for message boxes and modal dialogs: GUI tests install a host that records a
// message box and answers it, or answers a modal dialog, without blocking.
#include <windows.h>

#include <functional>
#include <string>

#include "win32/program_name.h"

namespace win32 {

class Dialog;

struct UiHost {
    // MessageBoxA's part: the box's answer.
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> showMessage;
    // DoModal's part: the dialog's result.
    std::function<INT_PTR(Dialog& dialog, HWND parent)> runModal;
};
// Installs a host for the rest of the process; an empty function puts the real one back.
void SetUiHost(UiHost host);

// MessageBoxA through the host. An empty caption becomes the program's name (MessageBoxA itself
// would show "Error").
int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT type);
// The dialog's modal run through the host.
INT_PTR RunModal(Dialog& dialog, HWND parent);

} // namespace win32
