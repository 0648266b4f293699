#include "app/settings/clean_hotkey.h"

namespace {

// The hotkey control's flags and RegisterHotKey's: the same three keys in another order.
constexpr uint32_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04, kControlExtended = 0x08;
constexpr uint32_t kModAlt = 0x0001, kModCtrl = 0x0002, kModShift = 0x0004;

} // namespace

CleanHotkey HotkeyFromStored(uint32_t stored)
{
    const uint32_t key = stored & 0xFF, flags = (stored >> 8) & 0xFF;
    if (stored > 0xFFFF || key == 0)
        return {};
    CleanHotkey hotkey{key, 0, (flags & kControlExtended) != 0};
    if (flags & kControlShift)
        hotkey.modifiers |= kModShift;
    if (flags & kControlCtrl)
        hotkey.modifiers |= kModCtrl;
    if (flags & kControlAlt)
        hotkey.modifiers |= kModAlt;
    return hotkey;
}

std::string HotkeyText(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " + ") + name;
    return text;
}
