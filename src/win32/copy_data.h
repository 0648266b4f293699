#pragma once
// WM_COPYDATA between processes of different rights.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace win32 {

// Lets WM_COPYDATA from processes with fewer rights reach this window (an elevated program
// otherwise never sees a non-elevated caller). A system without message filters lets it through
// anyway; false only when a filter exists and refused.
bool AcceptCopyDataFromAnyCaller(HWND window);

// Sends WM_COPYDATA to `to` from a short-lived thread of its own, so that a slow or hung
// receiver never holds the sender's window; gives up after timeoutMs. False when no thread
// could be started.
bool SendCopyDataLater(HWND to, HWND from, uint32_t tag, std::vector<uint8_t> bytes, UINT timeoutMs = 5000);

} // namespace win32
