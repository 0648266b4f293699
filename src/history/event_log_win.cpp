#include "history/event_log_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "common/setting_store_win.h"
#include "common/settings_keys.h"
#include "tidewell_events.h"
#include "win32/handles.h"
#include "win32/utf16.h"

// The message table and the code name the same events.
static_assert(TIDEWELL_CLEAN_DONE == kEventCleanDone && TIDEWELL_CLEAN_REFUSED == kEventCleanRefused &&
              TIDEWELL_CLEAN_STOPPED == kEventCleanStopped && TIDEWELL_CLEAN_SKIPPED == kEventCleanSkipped);

bool WriteToApplicationLog(const CleanEvent& event)
{
    if (ReadPolicies().Flag(kNoEventLog))
        return true;
    const win32::UniqueEventSource source(RegisterEventSourceW(nullptr, kEventSource));
    if (!source)
        return false;
    std::vector<std::wstring> strings;
    std::vector<LPCWSTR> pointers;
    for (const std::string& text : event.strings)
        strings.push_back(win32::Utf16(text));
    for (const std::wstring& text : strings)
        pointers.push_back(text.c_str());
    return ReportEventW(source.get(), static_cast<WORD>(event.level), 0, event.id, nullptr,
                        static_cast<WORD>(pointers.size()), 0, pointers.data(), nullptr) != FALSE;
}
