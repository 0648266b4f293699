#include "app/tray/tray_icon_win.h"

#include <cstring>

#include "app/tray/tray_notification.h"
#include "common/clock.h"
#include "common/interface_language_win.h"
#include "common/resource_text.h"
#include "common/setting_store_win.h"
#include "common/settings_keys.h"
#include "controls/text_fit.h"
#include "resources/resource.h"
#include "win32/dialog.h"
#include "win32/dialog_texts.h"

namespace {
// The tooltip field of the original record, terminator included.
constexpr std::size_t kTipBytes = 64;
} // namespace

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() { RemoveIcon(); }

BOOL CTrayIcon::Notify(DWORD action, UINT flags)
{
    // The newer protocol shows the tooltip only when asked to.
    data_.uFlags = version4_ && (flags & NIF_TIP) ? flags | NIF_SHOWTIP : flags;
    return Shell_NotifyIconA(action, &data_);
}

BOOL CTrayIcon::Add()
{
    version4_ = false;
    enabled_ = Notify(NIM_ADD, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (enabled_) {
        data_.uVersion = NOTIFYICON_VERSION_4;
        version4_ = Notify(NIM_SETVERSION, 0) != FALSE;
        if (version4_)
            Notify(NIM_MODIFY, NIF_TIP); // with the flag that keeps it shown
    }
    return enabled_;
}

BOOL CTrayIcon::Create(HWND owner, UINT callbackMessage, const std::string& tooltip, HICON icon, UINT id)
{
    if (LOBYTE(LOWORD(GetVersion())) < 4 || !owner || !IsWindow(owner)) {
        enabled_ = 0;
        return 0;
    }
    data_ = NOTIFYICONDATAA{};
    // The whole record: the protocol version lies past the first one's fields. The tooltip is
    // still cut to the first one's field.
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = id;
    data_.uCallbackMessage = callbackMessage;
    icon_ = icon ? std::make_shared<const win32::UniqueIcon>(CopyIcon(icon)) : nullptr;
    data_.hIcon = icon_ ? icon_->get() : nullptr;
    picture_.clear();
    tip_ = controls::CutUtf8(tooltip, kTipBytes - 1);
    std::memcpy(data_.szTip, tip_.c_str(), tip_.size() + 1);
    tipPace_ = TooltipPace{};
    wanted_ = true;
    return Add();
}

BOOL CTrayIcon::RemoveIcon()
{
    wanted_ = false;
    if (!enabled_)
        return 0;
    const BOOL result = Notify(NIM_DELETE, 0);
    enabled_ = 0;
    return result;
}

BOOL CTrayIcon::ShowNotice(const std::string& title, const std::string& text)
{
    if (!enabled_)
        return 0;
    notice_ = text;
    const std::string shownTitle = controls::CutUtf8(title, sizeof(data_.szInfoTitle) - 1);
    const std::string shownText = controls::CutUtf8(text, sizeof(data_.szInfo) - 1);
    std::memcpy(data_.szInfoTitle, shownTitle.c_str(), shownTitle.size() + 1);
    std::memcpy(data_.szInfo, shownText.c_str(), shownText.size() + 1);
    data_.dwInfoFlags = NIIF_WARNING;
    return Notify(NIM_MODIFY, NIF_INFO);
}

BOOL CTrayIcon::SetIcon(std::shared_ptr<const win32::UniqueIcon> icon, const std::string& picture)
{
    const HICON handed = icon ? icon->get() : nullptr;
    return Hand(handed, std::move(icon), picture);
}

BOOL CTrayIcon::Hand(HICON icon, std::shared_ptr<const win32::UniqueIcon> kept, const std::string& picture)
{
    if (!enabled_)
        return 0;
    data_.hIcon = icon;
    const BOOL result = Notify(NIM_MODIFY, NIF_ICON);
    icon_ = std::move(kept); // the shell has its own copy of the previous one by now
    // A refused picture is handed again next time.
    picture_ = result ? picture : std::string();
    return result;
}

bool CTrayIcon::ShowsPicture(const std::string& picture) const
{
    return enabled_ && !picture.empty() && picture == picture_;
}

BOOL CTrayIcon::SetIconResource(UINT resourceId)
{
    const std::string picture = "#" + std::to_string(resourceId);
    if (ShowsPicture(picture))
        return TRUE;
    const WORD id = static_cast<WORD>(resourceId);
    HINSTANCE module = win32::ResourceModule();
    if (!FindResourceA(module, MAKEINTRESOURCEA(id), RT_GROUP_ICON))
        module = GetModuleHandleA(nullptr);
    // LoadIcon's icons are shared: handed as they are, never destroyed.
    return Hand(LoadIconA(module, MAKEINTRESOURCEA(id)), {}, picture);
}

BOOL CTrayIcon::SetTooltipText(const std::string& text)
{
    if (!enabled_)
        return 0;
    tip_ = controls::CutUtf8(text, kTipBytes - 1);
    return tipPace_.Due(TickCount()) ? HandTooltip() : TRUE;
}

BOOL CTrayIcon::HandTooltip()
{
    if (tip_ == data_.szTip)
        return TRUE;
    std::memcpy(data_.szTip, tip_.c_str(), tip_.size() + 1);
    const BOOL result = Notify(NIM_MODIFY, NIF_TIP);
    tipPace_.Handed(TickCount());
    return result;
}

UINT CTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

BOOL CTrayIcon::OnTaskbarCreated()
{
    if (!wanted_ || !IsWindow(data_.hWnd))
        return 0;
    return Add();
}

bool CTrayIcon::HandleOwnerMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (wanted_ && msg == data_.uCallbackMessage) {
        result = OnTrayNotification(wp, lp);
        return true;
    }
    if (msg == TaskbarCreatedMessage()) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    return false;
}

HMENU CTrayIcon::LoadTrayMenu(win32::UniqueMenu& menu) const
{
    menu.reset(LoadMenuA(win32::ResourceModule(), MAKEINTRESOURCEA(data_.uID)));
    return menu ? GetSubMenu(menu.get(), 0) : nullptr;
}

namespace {

// Each item's text by its command; the keys name the positions the items had before any was
// added, so that a Kelvane.ini keeps its meaning. Separators stay separators.
constexpr win32::TextItem kMenuTexts[] = {
    win32::TextItem{ID_TRAY_SHOW, "MenuItem0"},         win32::TextItem{ID_TRAY_STARTUP, "MenuItem2"},
    win32::TextItem{ID_TRAY_PROCESS, "MenuItem3"},      win32::TextItem{ID_TRAY_SERVICE, "MenuItem4"},
    win32::TextItem{ID_TRAY_ORGANIZE, "MenuItem6"},     win32::TextItem{ID_TRAY_CLEAN_QUARTER, "MenuItem7"},
    win32::TextItem{ID_TRAY_CLEAN_HALF, "MenuItem8"},   win32::TextItem{ID_TRAY_HISTORY, "MenuItemHistory"},
    win32::TextItem{ID_TRAY_ABOUT, "MenuItem10"},       win32::TextItem{ID_HELP, "MenuItem11"},
    win32::TextItem{ID_TRAY_EXIT, "MenuItem12"},        win32::TextItem{ID_TRAY_MEMORY_MAP, "MenuItemMemoryMap"},
};

void ApplyMenuTexts(HMENU popup)
{
    CResourceText texts;
    for (const win32::TextItem& item : kMenuTexts) {
        std::string text = texts.Text(item.key);
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = text.data();
        SetMenuItemInfoA(popup, static_cast<UINT>(item.id), FALSE, &info);
    }
}

// "Language" before About: every language by its own name, the one spoken ticked; greyed while an
// organisation sets it.
void AppendLanguageMenu(HMENU popup)
{
    HMENU languages = CreatePopupMenu();
    if (!languages)
        return;
    const std::string spoken = InterfaceLanguage();
    const std::vector<LanguageFile> available = AvailableLanguages();
    for (size_t i = 0; i < available.size() && ID_TRAY_LANGUAGE_FIRST + i <= ID_TRAY_LANGUAGE_LAST; ++i)
        AppendMenuA(languages, MF_STRING | (available[i].folder == spoken ? MF_CHECKED : 0u),
                    ID_TRAY_LANGUAGE_FIRST + i, available[i].name.c_str());
    const UINT fixed = ReadPolicies().Fixed(kLanguage) ? MF_GRAYED : 0u;
    if (!InsertMenuA(popup, ID_TRAY_ABOUT, MF_BYCOMMAND | MF_POPUP | MF_STRING | fixed, reinterpret_cast<UINT_PTR>(languages),
                     UiText("MenuItemLanguage").c_str()))
        DestroyMenu(languages);
}

} // namespace

LRESULT CTrayIcon::ShowMenu(bool atIcon, POINT place)
{
    win32::UniqueMenu menu;
    HMENU popup = LoadTrayMenu(menu);
    if (!popup)
        return 0;
    SetMenuDefaultItem(popup, 0, TRUE);
    ApplyMenuTexts(popup);
    AppendLanguageMenu(popup);
    if (!atIcon)
        GetCursorPos(&place);
    SetForegroundWindow(data_.hWnd);
    const UINT command = static_cast<UINT>(TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_RETURNCMD,
                                                          place.x, place.y, 0, data_.hWnd, nullptr));
    // Lets the menu close when the user clicks elsewhere next time.
    PostMessageA(data_.hWnd, WM_NULL, 0, 0);
    if (command != 0)
        PostMessageA(data_.hWnd, WM_COMMAND, command, 0);
    else if (version4_)
        Notify(NIM_SETFOCUS, 0); // closed with Escape: the keyboard goes back to the icons
    return 1;
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam)
{
    const TrayRequest request = ReadTrayNotification(version4_, data_.uID, wParam, lParam);
    if (!request.ours)
        return 0;
    if (request.seen) {
        // Before the shell shows the tooltip: it says what is true now.
        tipPace_.Looked(TickCount());
        HandTooltip();
    }
    switch (request.action) {
    case TrayAction::Menu:
        return ShowMenu(request.atIcon, POINT{request.x, request.y});
    case TrayAction::Open: {
        win32::UniqueMenu menu;
        HMENU popup = LoadTrayMenu(menu);
        if (!popup)
            return 0;
        SetForegroundWindow(data_.hWnd);
        const UINT command = GetMenuItemID(popup, 0);
        SendMessageA(data_.hWnd, WM_COMMAND, command, 0);
        return 1;
    }
    case TrayAction::Ignore:
        break;
    }
    return 1;
}
