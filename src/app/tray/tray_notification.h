#pragma once
// What a notification from the shell asks of the tray icon. With version 4 of the shell's protocol
// the event and the icon's id share lParam and wParam holds the icon's place on the screen, and the
// keyboard has events of its own: the menu key and Shift+F10 send WM_CONTEXTMENU, Enter and Space
// on the focused icon NIN_KEYSELECT. The older protocol tells of the mouse alone. Free of any
// window, so tested natively.
#include <cstdint>

enum class TrayAction { Ignore, Menu, Open };

struct TrayRequest {
    bool ours = false; // false: another icon's, not answered
    TrayAction action = TrayAction::Ignore;
    bool atIcon = false; // the menu opens at (x, y), the icon, instead of at the mouse pointer
    bool seen = false;   // the mouse or the keyboard is at the icon: its tooltip may be read now
    int x = 0, y = 0;
};

TrayRequest ReadTrayNotification(bool version4, unsigned iconId, std::uintptr_t wParam, std::intptr_t lParam);
