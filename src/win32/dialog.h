#pragma once
// Dialog from a resource template with virtual handlers. One code path serves modal use (the
// program) and modeless use (tests drive it with messages).
#include <windows.h>

#include <string>
#include <vector>

#include "win32/handles.h"
#include "win32/system_look.h"

namespace win32 {

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs through the UI host, which tests may replace.
    INT_PTR DoModal(HWND parent = nullptr);
    // What the real host does: DialogBoxParam, or for a dialog that waits in its own loop and has
    // no parent, RunOwnLoop.
    INT_PTR RunModalLoop(HWND parent);
    // Tests own such a dialog through Modeless<> below; a UI host may create one for the length of
    // a modal run and destroy it itself.
    bool CreateModeless(HWND parent = nullptr);
    void EndDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    int TemplateId() const { return templateId_; }
    bool IsModal() const { return modal_; }
    INT_PTR Result() const { return result_; }
    // The look taken when the window opened, and again whenever the user changes it.
    Look WindowLook() const { return look_; }

    // Control helpers for ReadControls / WriteControls.
    std::string GetItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked) const;
    int GetItemInt(int id, bool* ok = nullptr) const;
    void SetItemInt(int id, int value) const;
    // A control kept disabled (one an organisation fixes) stays so whatever enables it later.
    void EnableItem(int id, bool enable) const;
    void KeepDisabled(int id);
    bool KeptDisabled(int id) const;
    std::string GetCaption() const;
    void SetCaption(const std::string& text) const;

protected:
    // Return FALSE from OnInit when it set the focus itself.
    virtual BOOL OnInit() { return TRUE; }
    // True when handled. IDOK and IDCANCEL fall through to OnOK / OnCancel.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // True when it painted; otherwise the default dialog painting runs.
    virtual bool OnPaint() { return false; }
    // A brush to colour a control, or null for the default (dark where the look is).
    virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/, UINT /*message*/) { return nullptr; }
    // The user changed the look; the title bar and the standard controls have taken it, and the
    // whole window is painted again after this.
    virtual void OnLookChanged() {}
    virtual void OnDestroy() {}
    // Every other message. True when handled, with the dialog procedure's result in `result`.
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, INT_PTR& /*result*/)
    {
        return false;
    }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // Destroys a modeless dialog's window; its handlers, OnDestroy among them, run on this object.
    void DestroyModeless();
    // For the resident window: its modal run waits in a message loop of its own instead of
    // DialogBox's, which looks into the queue before each wait and so costs two more calls into the
    // window server a message, twice a second for as long as the program runs.
    void WaitInOwnLoop() { ownLoop_ = true; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR RunOwnLoop();
    void TakeNewLook();
    HBRUSH DarkCtlColor(HDC dc, HWND control);

    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ownLoop_ = false;
    bool ended_ = false; // EndDialog was called during RunOwnLoop
    INT_PTR result_ = 0;
    Look look_ = Look::Light;
    UniqueGdi<HBRUSH> darkBrush_;
    std::vector<int> keptDisabled_;
};

// A dialog of class D created modeless and owned by its creator. The window goes before D's
// members do, so D's OnDestroy runs on a whole object (a base destructor cannot reach it).
template <typename D>
class Modeless final : public D {
public:
    using D::D;
    ~Modeless() override { this->DestroyModeless(); }
};

// The module whose resources hold the dialog templates, icons and menus.
HINSTANCE ResourceModule();

} // namespace win32
