#pragma once
// The clipboard as the cleaning tests watch it: text put on it, and whether a step emptied it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace testing_support {

inline bool ClipboardHoldsText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

inline void PutTextOnClipboard()
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "hello", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    ASSERT_TRUE(ClipboardHoldsText());
}

} // namespace testing_support
