#include "win32/system_library.h"

#include <string>

namespace win32 {

namespace {

constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

template <typename Fn>
Fn Kernel32Function(const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

} // namespace

HMODULE LoadSystemLibrary(const char* dll)
{
    if (const HMODULE module = LoadLibraryExA(dll, nullptr, kSearchSystem32))
        return module;
    // Windows 7 without its loader update knows no search flags: the full path names one file.
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryExA((std::string(system) + "\\" + dll).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void HardenProcess()
{
    if (const auto setDefault = Kernel32Function<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories"))
        setDefault(kSearchSystem32);
    // Windows 8 and later; the records are one DWORD of flags each.
    const auto mitigate = Kernel32Function<BOOL(WINAPI*)(int, PVOID, SIZE_T)>("SetProcessMitigationPolicy");
    if (!mitigate)
        return;
    constexpr int kStrictHandleCheckPolicy = 3, kImageLoadPolicy = 10;
    DWORD strictHandles = 0x3; // raise on a bad handle, for good
    DWORD imageLoad = 0x7;     // no remote images, no low-label images, System32 first
    mitigate(kStrictHandleCheckPolicy, &strictHandles, sizeof strictHandles);
    mitigate(kImageLoadPolicy, &imageLoad, sizeof imageLoad);
}

} // namespace win32
