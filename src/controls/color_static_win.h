#pragma once
// A static text with its own colours and font. Its parent hands WM_CTLCOLORSTATIC to
// CColorStatic::ReflectCtlColor, the way a framework reflects the message to the control.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "controls/control_window_win.h"

class CColorStatic : public controls::ControlWindow {
public:
    CColorStatic();
    ~CColorStatic() override;

    bool Create(const char* text, DWORD style, const RECT& rect, HWND parent, int id);

    void SetBkColor(controls::Colour colour);
    void SetTextColor(controls::Colour colour);
    void SetFontHeight(int size);
    void SetFontWeight(int weight);
    void SetFontName(const std::string& face);
    // Sets the text at once when the label can be seen, and then says so. A hidden label keeps it
    // until it is painted or its text is read, so that it costs no call to the window system
    // meanwhile.
    bool SetTextWhenSeen(const std::string& text);
    // Called before the text is read or painted: an owner that sets the text only when it is
    // needed sets it then.
    void WhenTextNeeded(std::function<void()> bringUpToDate) { textNeeded_ = std::move(bringUpToDate); }

    controls::Colour TextColour() const { return textColour_; }
    const LOGFONTA& FontDescription() const { return fontDescription_; }
    HFONT Font() const { return font_.get(); }

    // The brush for a static control's WM_CTLCOLORSTATIC, with the DC prepared; null when the
    // control is not a CColorStatic.
    static HBRUSH ReflectCtlColor(HWND control, HDC dc);

protected:
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override;
    void OnAttached() override;

private:
    HBRUSH OnCtlColor(HDC dc);
    void RecreateFont();
    void Redraw() const;
    void ApplyWaitingText();

    controls::Colour textColour_;
    win32::UniqueGdi<HBRUSH> background_;
    LOGFONTA fontDescription_{};
    win32::UniqueGdi<HFONT> font_;
    std::optional<std::string> waitingText_; // set while hidden, not yet handed to the window
    std::function<void()> textNeeded_;
};
