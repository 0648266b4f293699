// The real call to the Application log, which Wine only traces: scripts/event-log-trace.sh runs
// this test with that trace on and finds in it the event's id and strings, and no event while an
// organisation turns the log off.
#include "history/event_log_win.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/settings_keys.h"
#include "support/policy_scope_win.h"

namespace {

TEST(EventLog, ARecordGoesToTheApplicationLogUnlessAnOrganisationTurnsItOff)
{
    CleanRecord record = ParseRecord("2026-03-09 13:05:07,2026-03-09T12:05:07Z,automatic,growing,6,done,,"
                                     "working-sets=done;fill=done,4321,104857600,102760448,,,,,,,2,512,end")
                             .value();
    EXPECT_TRUE(WriteToApplicationLog(EventOfRecord(record)));
    std::printf("written: %s\n", FormatRecord(record).c_str());
    const testing_support::PolicyScope policies;
    policies.Set(kNoEventLog, 1);
    EXPECT_TRUE(WriteToApplicationLog(EventOfRecord(record)));
}

} // namespace
