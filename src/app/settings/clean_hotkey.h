#pragma once
// The hotkey that cleans, as stored (CleanHotkey) and as the hotkey control gives it: the key's
// virtual-key code in the low byte and the control's modifier flags (HOTKEYF_*) in the next; 0 for
// none. Free of any window, so tested natively.
#include <cstdint>
#include <string>
#include <vector>

struct CleanHotkey {
    uint32_t key = 0;       // a virtual-key code, 0 for none
    uint32_t modifiers = 0; // RegisterHotKey's MOD_* flags
    bool extended = false;  // the key is one of the keyboard's extended keys (its name differs)
    bool operator==(const CleanHotkey&) const = default;
};

// Anything beyond the two bytes, or no key, reads as none.
CleanHotkey HotkeyFromStored(uint32_t stored);
// "Ctrl + Alt + F12": the modifiers' names and the key's, in the order the hotkey control shows them.
std::string HotkeyText(const std::vector<std::string>& names);
