#include "app/dialogs/about_dlg_win.h"

#include "app/dialogs/art_for_dpi.h"
#include "common/resource_text.h"
#include "controls/link_label_text.h"
#include "resources/resource.h"
#include "version.h"
#include "win32/dialog_texts.h"
#include "win32/dpi.h"

CAboutDlg::CAboutDlg(CLinkLabel::Opener open)
    : win32::ToolDialog(IDD_ABOUTBOX), website_(open), mail_(open)
{
}

BOOL CAboutDlg::OnInit()
{
    const int dpi = win32::WindowDpi(hwnd());
    if (dpi != win32::kDesignDpi) {
        logo_.reset(static_cast<HBITMAP>(LoadImageA(win32::ResourceModule(),
                                                    MAKEINTRESOURCEA(ArtIdForDpi(IDB_ABOUT_LOGO, dpi)), IMAGE_BITMAP,
                                                    0, 0, 0)));
        if (logo_)
            SendDlgItemMessageA(hwnd(), IDC_ABOUT_LOGO, STM_SETIMAGE, IMAGE_BITMAP,
                                reinterpret_cast<LPARAM>(logo_.get()));
    }
    website_.Attach(hwnd(), IDC_LINK_WEBSITE);
    mail_.Attach(hwnd(), IDC_LINK_MAIL);

    SetItemText(IDC_STATIC_VERSION, "V" TIDEWELL_VERSION_TEXT);

    CResourceText texts;
    win32::ApplyTexts(*this, texts.Lookup(), nullptr,
                      {win32::TextItem{IDC_STATICCOPYRIGHT, "IDC_STATICCOPYRIGHT"},
                       win32::TextItem{IDC_STATICPROGRAM, "IDC_STATICPROGRAM"},
                       win32::TextItem{IDC_STATICABOUTKG, "IDC_STATICABOUTKG"},
                       win32::TextItem{IDC_STATICWEBSITE, "IDC_STATICWEBSITE"},
                       win32::TextItem{IDC_STATICEMAIL, "IDC_STATICEMAIL"}});
    SetItemText(IDOK, texts.TextOr("IDOKINABOUT", "OK"));

    // The text is set before the target so that the refit measures the new text.
    const std::string mail = texts.Text("ActiveMail");
    SetItemText(IDC_LINK_MAIL, MailLinkText(mail));
    mail_.SetTarget(mail);
    const std::string website = texts.Text("ActiveWebsite");
    SetItemText(IDC_LINK_WEBSITE, website);
    website_.SetTarget(website);

    OnLookChanged();
    return TRUE;
}

void CAboutDlg::OnLookChanged()
{
    const win32::ToolColours colours = Colours();
    for (CLinkLabel* link : {&website_, &mail_})
        link->SetLinkColours(colours.link, colours.linkVisited, colours.linkHover);
}

void CAboutDlg::OnDestroy()
{
    // The static lets go of the logo before this dialog deletes it.
    SendDlgItemMessageA(hwnd(), IDC_ABOUT_LOGO, STM_SETIMAGE, IMAGE_BITMAP, 0);
}

