#pragma once
// The one seam for message boxes and modal dialogs: GUI tests install a host that records a
// message box and answers it, or answers a modal dialog, without blocking.
#include <windows.h>

#include <string>

#include "win32/program_name.h"

namespace win32 {

class Dialog;

class UiHost {
public:
    virtual ~UiHost() = default;
    virtual int ShowMessage(HWND owner, const std::string& text, const std::string& caption,
                            UINT type);
    virtual INT_PTR RunModal(Dialog& dialog, HWND parent);
};

UiHost& CurrentUiHost();
// Installs a host for the rest of the process (null puts the real one back).
void SetUiHost(UiHost* host);

// MessageBoxA through the host. An empty caption becomes the program's name (MessageBoxA itself
// would show "Error").
int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT type);

} // namespace win32
