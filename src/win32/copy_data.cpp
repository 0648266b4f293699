#include "win32/copy_data.h"

#include <memory>

#include "win32/handles.h"

namespace win32 {
namespace {

struct PendingCopy {
    HWND to;
    HWND from;
    uint32_t tag;
    std::vector<uint8_t> bytes;
    UINT timeoutMs;
};

DWORD WINAPI SendCopy(LPVOID parameter)
{
    const std::unique_ptr<PendingCopy> copy(static_cast<PendingCopy*>(parameter));
    COPYDATASTRUCT data{copy->tag, static_cast<DWORD>(copy->bytes.size()), copy->bytes.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(copy->to, WM_COPYDATA, reinterpret_cast<WPARAM>(copy->from), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG | SMTO_NORMAL, copy->timeoutMs, &result);
    return 0;
}

} // namespace

bool AcceptCopyDataFromAnyCaller(HWND window)
{
    // Windows 7 filters per window, Vista per process; older systems have no filter at all.
    using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using PerProcess = BOOL(WINAPI*)(UINT, DWORD);
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW and MSGFLT_ADD
    const HMODULE user32 = GetModuleHandleA("user32");
    if (!user32)
        return true;
    if (auto perWindow = reinterpret_cast<PerWindow>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx"))))
        return perWindow(window, WM_COPYDATA, kAllow, nullptr) != FALSE;
    if (auto perProcess = reinterpret_cast<PerProcess>(
            reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter"))))
        return perProcess(WM_COPYDATA, kAllow) != FALSE;
    return true;
}

bool SendCopyDataLater(HWND to, HWND from, uint32_t tag, std::vector<uint8_t> bytes, UINT timeoutMs)
{
    auto copy = std::make_unique<PendingCopy>(PendingCopy{to, from, tag, std::move(bytes), timeoutMs});
    UniqueHandle thread(CreateThread(nullptr, 0, SendCopy, copy.get(), 0, nullptr));
    if (!thread)
        return false;
    copy.release(); // the thread owns it now
    return true;
}

} // namespace win32
