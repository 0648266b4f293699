#pragma once
// The start-up picture: closes after 1.5 s, or at once on a click or a key.
#include "win32/dialog.h"

class CSplashDlg : public win32::Dialog {
public:
    CSplashDlg();
    static constexpr UINT_PTR kCloseTimer = 4;
    static constexpr UINT kShowMs = 1500;

protected:
    BOOL OnInit() override;
    void OnTimer(UINT_PTR id) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

private:
    void Close();
};
