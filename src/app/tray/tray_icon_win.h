#pragma once
// The program's icon in the notification area: tooltip, picture, the tray menu on a right click
// or the menu key, and the menu's first command on a double click or Enter and Space.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "app/tray/tooltip_pace.h"
#include "win32/handles.h"

// The main window's private message for tray notifications.
inline constexpr UINT WM_TRAY_NOTIFY = 0x1105;

class CTrayIcon {
public:
    CTrayIcon();
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Refused (0) on systems without a notification area and without a live owner window.
    BOOL Create(HWND owner, UINT callbackMessage, const std::string& tooltip, HICON icon, UINT id);
    // Shares the icon instead of copying it: the tray keeps it while it shows it (the shell is
    // handed it again after a restart). `picture` names what the icon shows, for ShowsPicture.
    BOOL SetIcon(std::shared_ptr<const win32::UniqueIcon> icon, const std::string& picture);
    // Hands the resource's icon to the shell unless it is the picture shown already.
    BOOL SetIconResource(UINT resourceId);
    // True when the shell has the picture of that name: it need not be made or handed again.
    bool ShowsPicture(const std::string& picture) const;
    // Cut to the 63 bytes the shell keeps, at a character boundary; handed to the shell when it
    // differs from the tooltip it has, and at the pace of TooltipPace: a change held back goes
    // with a later call or as soon as the shell tells of the user at the icon.
    BOOL SetTooltipText(const std::string& text);
    BOOL RemoveIcon();
    // A balloon at the icon (a notification on Windows 10 and later) with a warning sign; for what
    // the user should know but need not answer. Cut to the shell's fields.
    BOOL ShowNotice(const std::string& title, const std::string& text);
    // The last notice handed to the shell, for whoever checks what was said.
    const std::string& LastNotice() const { return notice_; }

    // As the shell sends it: with the newer protocol, which tells of the keyboard (Windows Vista and
    // later), lParam holds the event and the icon's id and wParam the icon's place; otherwise wParam
    // holds the id and lParam the mouse message. 1 when handled or ignored, 0 for another icon or
    // when the menu cannot be loaded.
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    // The message the shell broadcasts to top-level windows when it (re)starts.
    static UINT TaskbarCreatedMessage();
    // Adds the icon again after the shell restarted, with the picture and tooltip it had.
    BOOL OnTaskbarCreated();
    // For the owner's window procedure: handles the callback message and the shell restart.
    bool HandleOwnerMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    bool IsEnabled() const { return enabled_ != 0; }
    const NOTIFYICONDATAA& IconData() const { return data_; }

private:
    BOOL Notify(DWORD action, UINT flags);
    BOOL Add();
    LRESULT ShowMenu(bool atIcon, POINT place);
    // Hands `icon` to the shell; `kept` holds the same icon when it is ours.
    BOOL Hand(HICON icon, std::shared_ptr<const win32::UniqueIcon> kept, const std::string& picture);
    BOOL HandTooltip();
    HMENU LoadTrayMenu(win32::UniqueMenu& menu) const;

    BOOL enabled_ = 0;
    NOTIFYICONDATAA data_{};
    bool wanted_ = false;    // created and not removed: re-add after a shell restart
    bool version4_ = false;
    std::shared_ptr<const win32::UniqueIcon> icon_; // the picture handed last when it is ours
    std::string picture_;    // the name of the picture the shell has
    std::string tip_;        // the tooltip wanted; the shell's is in data_.szTip
    std::string notice_;
    TooltipPace tipPace_;
};
