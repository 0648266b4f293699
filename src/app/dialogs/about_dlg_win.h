#pragma once
// The About box with its web-site and support mail links.
#include "controls/link_label_win.h"
#include "win32/handles.h"
#include "win32/tool_dialog.h"

class CAboutDlg : public win32::ToolDialog {
public:
    // Both links open their targets through `open` (OpenAddressAsUser when empty).
    explicit CAboutDlg(CLinkLabel::Opener open = {});

    CLinkLabel& WebsiteLink() { return website_; }
    CLinkLabel& MailLink() { return mail_; }

protected:
    BOOL OnInit() override;
    void OnDestroy() override;
    void OnLookChanged() override;

private:
    win32::UniqueGdi<HBITMAP> logo_; // the logo drawn for a DPI above 96
    CLinkLabel website_;
    CLinkLabel mail_;
};
