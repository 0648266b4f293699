#include "app/tray/tray_notification.h"

namespace {

// The messages and notifications the shell sends, as the system's headers number them.
constexpr unsigned kContextMenu = 0x007B;
constexpr unsigned kRightButtonUp = 0x0205;
constexpr unsigned kLeftDoubleClick = 0x0203;
constexpr unsigned kSelect = 0x0400;    // NIN_SELECT: a click
constexpr unsigned kKeySelect = 0x0401; // NIN_KEYSELECT: Enter or Space on the focused icon
constexpr unsigned kPopupOpen = 0x0406; // NIN_POPUPOPEN: the pointer rests on the icon
constexpr unsigned kFirstMouse = 0x0200, kLastMouse = 0x020E; // WM_MOUSEMOVE to WM_MOUSEHWHEEL

unsigned Low(std::uintptr_t value) { return static_cast<unsigned>(value & 0xFFFF); }
unsigned High(std::uintptr_t value) { return static_cast<unsigned>((value >> 16) & 0xFFFF); }
int SignedWord(unsigned word) { return static_cast<int>(static_cast<std::int16_t>(word)); }

} // namespace

TrayRequest ReadTrayNotification(bool version4, unsigned iconId, std::uintptr_t wParam, std::intptr_t lParam)
{
    const auto l = static_cast<std::uintptr_t>(lParam);
    TrayRequest request;
    request.ours = version4 ? High(l) == (iconId & 0xFFFF) : wParam == iconId;
    if (!request.ours)
        return request;
    const unsigned event = Low(l);
    // Balloon and pop-up-closed events are not the user at the icon.
    request.seen = (event >= kFirstMouse && event <= kLastMouse) || event == kContextMenu ||
                   (version4 && (event == kSelect || event == kKeySelect || event == kPopupOpen));
    if (event == kLeftDoubleClick || (version4 && event == kKeySelect)) {
        request.action = TrayAction::Open;
    } else if (version4 ? event == kContextMenu : event == kRightButtonUp) {
        request.action = TrayAction::Menu;
        request.atIcon = version4;
        if (version4) {
            request.x = SignedWord(Low(wParam));
            request.y = SignedWord(High(wParam));
        }
    }
    return request;
}
