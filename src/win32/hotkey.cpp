#include "win32/hotkey.h"

#include "win32/utf16.h"

namespace win32 {

DWORD RegisteredHotkey::Register(HWND window, int id, UINT modifiers, UINT key)
{
    Release();
    if (!RegisterHotKey(window, id, modifiers | MOD_NOREPEAT, key))
        return GetLastError();
    window_ = window;
    id_ = id;
    return ERROR_SUCCESS;
}

void RegisteredHotkey::Release()
{
    if (window_)
        UnregisterHotKey(window_, id_);
    window_ = nullptr;
}

std::string KeyName(UINT key, bool extended)
{
    const LONG scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    wchar_t name[64] = {};
    const int length = GetKeyNameTextW((scan << 16) | (extended ? 1L << 24 : 0), name, 64);
    if (length > 0)
        return Utf8(std::wstring_view(name, static_cast<size_t>(length)));
    // A key without a name: its number, as a last resort.
    return "#" + std::to_string(key);
}

} // namespace win32
