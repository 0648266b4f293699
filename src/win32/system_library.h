#pragma once
// DLLs that are not among the system's known DLLs (winmm, wtsapi32, userenv, oleacc, msi, ...):
// loaded at run time from the system folder alone. Imported directly, Windows would look for them
// in the program's own folder first, where a copy started from a download folder would load
// whatever had been planted beside it, with its rights.
#include <windows.h>

namespace win32 {

// Loaded for the rest of the process; null when the system has no such DLL.
HMODULE LoadSystemLibrary(const char* dll);

// A function of such a DLL; null when the DLL or the function is missing.
template <typename Fn>
Fn SystemFunction(const char* dll, const char* name)
{
    const HMODULE module = LoadSystemLibrary(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// First thing in each program: what the system loads on the program's behalf comes from the system
// folder too, no image loads from a remote place or with a low label, and a handle used after it
// was closed stops the program instead of reaching whatever took its number.
void HardenProcess();

} // namespace win32
