// The real call to the Application log, which Wine only traces: scripts/event-log-trace.sh runs
// this test with that trace on and finds in it the event's id and strings, and no event while an
// organisation turns the log off.
#include "history/event_log_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/settings_keys.h"
#include "support/policy_scope_win.h"
#include "win32/utf16.h"

namespace {

TEST(EventLog, ARecordGoesToTheApplicationLogUnlessAnOrganisationTurnsItOff)
{
    CleanRecord record = ParseRecord("2026-03-09 13:05:07,2026-03-09T12:05:07Z,automatic,growing,6,done,,"
                                     "working-sets=done;fill=done,4321,104857600,102760448,,,,,,,2,512,end")
                             .value();
    EXPECT_TRUE(WriteToApplicationLog(EventOfRecord(record)));
    std::printf("written: %s\n", FormatRecord(record).c_str());
    // Event Viewer's sentence, from the message table built into the program.
    const CleanEvent event = EventOfRecord(record);
    std::vector<std::wstring> strings;
    std::vector<DWORD_PTR> arguments;
    for (const std::string& text : event.strings)
        strings.push_back(win32::Utf16(text));
    for (const std::wstring& text : strings)
        arguments.push_back(reinterpret_cast<DWORD_PTR>(text.c_str()));
    wchar_t sentence[2048] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, GetModuleHandleW(nullptr), event.id, 0,
                   sentence, 2048, reinterpret_cast<va_list*>(arguments.data()));
    EXPECT_EQ(std::wstring(sentence).substr(0, 93),
              L"Tidewell cleaned memory.\r\nStarted at 2026-03-09 13:05:07 (2026-03-09T12:05:07Z) by: automatic");
    const testing_support::PolicyScope policies;
    policies.Set(kNoEventLog, 1);
    EXPECT_TRUE(WriteToApplicationLog(EventOfRecord(record)));
}

} // namespace
