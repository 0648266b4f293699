#pragma once
// A static control of a dialog that behaves as a hyperlink: underlined text in a link colour, a
// hand cursor and a tooltip with its target, a hover colour, and a click that opens the target as
// the user, through the shell's address handling or, failing that, the command registered for .htm
// files. Only web and mail addresses are opened. It takes the focus with Tab, shows it with a focus
// rectangle and opens on Enter or Space; a screen reader finds a link whose value is its target.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "common/user_launch_win.h"
#include "win32/accessible_object.h"
#include "win32/handles.h"

class CLinkLabel {
public:
    // Opens an address as the user; tests replace it so no browser opens.
    using Opener = std::function<LaunchOutcome(const std::string& target, int showCommand)>;

    // open: OpenAddressAsUser when empty.
    explicit CLinkLabel(Opener open = {});
    ~CLinkLabel();
    CLinkLabel(const CLinkLabel&) = delete;
    CLinkLabel& operator=(const CLinkLabel&) = delete;

    // Takes over the static control `id` of `dialog`. False when there is no such control.
    bool Attach(HWND dialog, int id);

    void SetTarget(const std::string& target);
    const std::string& Target() const { return target_; }
    // A hover colour of -1 means the system's highlight colour.
    void SetLinkColours(COLORREF unvisited, COLORREF visited, COLORREF hover);
    void MarkVisited(bool visited);
    bool Visited() const { return visited_; }
    // The colour the text is drawn in now.
    COLORREF TextColour() const;
    HWND hwnd() const { return control_; }
    HWND Tooltip() const { return tooltip_; }
    HCURSOR Cursor() const { return cursor_.get(); }

    // Opens a web or mail address: the opener, then the .htm handler when no program could start
    // there. Any other target is refused.
    LaunchOutcome OpenTarget(const std::string& target, int showCommand) const;
    // Moves and sizes the control to its text.
    void FitToText();

private:
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void OnMouseMove(LPARAM position);
    void OnClicked();
    void Paint();
    void MakeUnderlinedFont();
    void LoadHandCursor();
    void CreateTooltip();
    void RelayToTooltip(UINT msg, WPARAM wp, LPARAM lp) const;
    void Repaint() const;
    void Detach();

    COLORREF unvisitedColour_ = RGB(0, 0, 238);
    COLORREF visitedColour_ = RGB(85, 26, 139);
    COLORREF hoverColour_;
    bool over_ = false;
    bool visited_ = false;
    bool underline_ = true;
    bool fitToText_ = true;
    std::string target_;
    win32::UniqueGdi<HFONT> font_;
    HFONT originalFont_ = nullptr;
    win32::UniqueIcon cursor_; // a copy, so it is ours to destroy
    HWND tooltip_ = nullptr;
    HWND control_ = nullptr;
    HWND parent_ = nullptr;
    Opener open_;
    std::shared_ptr<win32::AccessibleDescription> accessible_;
};
