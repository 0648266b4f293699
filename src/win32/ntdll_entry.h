#pragma once
// An export of ntdll looked up at run time: the native calls the import libraries do not name.
#include <windows.h>

namespace win32 {

template <typename Fn>
Fn NtdllEntry(const char* name)
{
    const HMODULE ntdll = GetModuleHandleA("ntdll");
    return ntdll ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name))) : nullptr;
}

} // namespace win32
