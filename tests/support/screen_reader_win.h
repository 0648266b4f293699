#pragma once
// What a screen reader reads of a window: the role, name and value of its client object. The
// window's thread is a COM apartment, as the program's is: the object comes marshalled.
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "win32/utf16.h"

namespace testing_support {

class ScreenReaderView {
public:
    explicit ScreenReaderView(HWND window) : apartment_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
        self_.vt = VT_I4; // CHILDID_SELF
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object));
    }
    ~ScreenReaderView()
    {
        if (object)
            object->Release();
        if (apartment_)
            CoUninitialize();
    }
    long Role() const
    {
        VARIANT role{};
        return object && object->get_accRole(self_, &role) == S_OK ? role.lVal : 0;
    }
    // Name: &IAccessible::get_accName, value: &IAccessible::get_accValue.
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) const
    {
        BSTR text = nullptr;
        const std::string read = object && SUCCEEDED((object->*property)(self_, &text)) && text ? win32::Utf8(text) : "";
        SysFreeString(text);
        return read;
    }

    IAccessible* object = nullptr;

private:
    bool apartment_;
    VARIANT self_{};
};

} // namespace testing_support
