#include "win32/accessible_object.h"

#include <oleacc.h>

#include "win32/system_library.h"
#include "win32/utf16.h"

namespace win32 {

namespace {

// Only the client object itself is described; it has no children of its own.
bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT ToBstr(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    const std::wstring wide = Utf16(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND window, std::weak_ptr<const AccessibleDescription> description, IAccessible* standard)
        : window_(window), description_(std::move(description)), standard_(standard)
    {
    }
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients of IAccessible call it directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // What the control describes.
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        const auto description = Live();
        if (!description)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child))
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = description->role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        const auto description = Live();
        if (!description)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child) || !description->name)
            return standard_->get_accName(child, name);
        return ToBstr(description->name(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        const auto description = Live();
        if (!description)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child) || !description->value)
            return standard_->get_accValue(child, value);
        return ToBstr(description->value(), value);
    }

    // The rest is the window's: the standard object knows it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        return standard_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override { return standard_->get_accHelp(child, text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() { standard_->Release(); }

    // The description while the control and its window are there.
    std::shared_ptr<const AccessibleDescription> Live() const
    {
        return IsWindow(window_) ? description_.lock() : nullptr;
    }

    LONG references_ = 1;
    HWND window_;
    std::weak_ptr<const AccessibleDescription> description_;
    IAccessible* standard_;
};

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wp, LPARAM lp, const std::shared_ptr<const AccessibleDescription>& description)
{
    // The id is a DWORD: sign extension of the 64-bit lParam must not hide OBJID_CLIENT.
    if (!description || static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT)
        return 0;
    static const auto createStandard =
        SystemFunction<decltype(&CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    static const auto lresultFromObject = SystemFunction<decltype(&LresultFromObject)>("oleacc.dll", "LresultFromObject");
    IAccessible* standard = nullptr;
    if (!createStandard || !lresultFromObject ||
        FAILED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    auto* object = new AccessibleObject(window, description, standard);
    const LRESULT reference = lresultFromObject(__uuidof(IAccessible), wp, object);
    object->Release(); // the reference holds its own count
    return reference > 0 ? reference : 0; // failed: the standard object answers instead
}

void NotifyValueChange(HWND window)
{
    if (window && IsWindowVisible(window) && IsWinEventHookInstalled(EVENT_OBJECT_VALUECHANGE))
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

} // namespace win32
