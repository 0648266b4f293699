#include "app/logon_task.h"

#include <gtest/gtest.h>

namespace {

TEST(LogonTask, StartsTheQuotedProgramHiddenAtTheUsersLogonWithHighestRights)
{
    const std::string xml = LogonTaskXml("C:\\R&D <x>\\Tidewell.exe", "S-1-5-21-1-2-3-1001");
    for (const char* part : {
             "<Command>&quot;C:\\R&amp;D &lt;x&gt;\\Tidewell.exe&quot;</Command><Arguments>-PowerOn</Arguments>",
             "<LogonTrigger><Enabled>true</Enabled><UserId>S-1-5-21-1-2-3-1001</UserId></LogonTrigger>",
             "<UserId>S-1-5-21-1-2-3-1001</UserId><LogonType>InteractiveToken</LogonType>"
             "<RunLevel>HighestAvailable</RunLevel>",
             "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>",
             "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>",
             "<StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
}

} // namespace
