#include "win32/ui_host.h"

#include <utility>

#include "win32/dialog.h"

namespace win32 {

namespace {
UiHost host;
} // namespace

void SetUiHost(UiHost installed) { host = std::move(installed); }

int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    const std::string& shown = caption.empty() ? kProgramName : caption;
    return host.showMessage ? host.showMessage(owner, text, shown, type)
                            : MessageBoxA(owner, text.c_str(), shown.c_str(), type);
}

INT_PTR RunModal(Dialog& dialog, HWND parent)
{
    return host.runModal ? host.runModal(dialog, parent) : dialog.RunModalLoop(parent);
}

} // namespace win32
