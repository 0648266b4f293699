#include "win32/window_text.h"

#include "win32/handles.h"

namespace win32 {

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT PlaceInParent(HWND control)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

int WrappedTextHeight(HWND control, const std::string& text)
{
    const RECT place = PlaceInParent(control);
    RECT needed{0, 0, place.right - place.left, 0};
    WindowDc dc(control);
    SelectObjectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc.get(), text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return needed.bottom;
}

} // namespace win32
