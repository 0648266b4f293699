#pragma once
// A system-wide hotkey held for a window, let go when the holder goes; and the names of keys in
// the keyboard's own language, as the hotkey control shows them.
#include <windows.h>

#include <string>

namespace win32 {

class RegisteredHotkey {
public:
    RegisteredHotkey() = default;
    ~RegisteredHotkey() { Release(); }
    RegisteredHotkey(const RegisteredHotkey&) = delete;
    RegisteredHotkey& operator=(const RegisteredHotkey&) = delete;

    // Lets go of the one held first. ERROR_SUCCESS, or why not: ERROR_HOTKEY_ALREADY_REGISTERED
    // when another program holds the combination. Held down, it comes once.
    DWORD Register(HWND window, int id, UINT modifiers, UINT key);
    void Release();
    bool Held() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
    int id_ = 0;
};

// "Ctrl", "F12", "Num 5": a key's name; extended for the keys of the keyboard's extended set.
std::string KeyName(UINT key, bool extended);

} // namespace win32
