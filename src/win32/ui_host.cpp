#include "win32/ui_host.h"

#include "win32/dialog.h"

namespace win32 {

namespace {
UiHost g_realHost;
UiHost* g_host = &g_realHost;
} // namespace

int UiHost::ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

INT_PTR UiHost::RunModal(Dialog& dialog, HWND parent)
{
    return dialog.RunModalLoop(parent);
}

UiHost& CurrentUiHost() { return *g_host; }

void SetUiHost(UiHost* host) { g_host = host ? host : &g_realHost; }

int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return CurrentUiHost().ShowMessage(owner, text, caption.empty() ? kProgramName : caption, type);
}

} // namespace win32
