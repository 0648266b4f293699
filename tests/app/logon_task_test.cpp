#include "app/settings/logon_task.h"

#include <gtest/gtest.h>

namespace {

// Tidewell starts at anyone's logon with that person's highest rights: the trigger names no user,
// the principal is the group of every user, and the quoted path survives the XML's escaping.
TEST(LogonTask, StartsTheQuotedProgramAtAnyonesLogonWithTheirHighestRights)
{
    const std::string xml = LogonTaskXml("C:\\R&D\\Tide well.exe");
    for (const char* part : {"<Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>",
                             "<Principal id=\"Author\"><GroupId>S-1-5-32-545</GroupId>"
                             "<RunLevel>HighestAvailable</RunLevel></Principal>",
                             "<Actions Context=\"Author\"><Exec><Command>&quot;C:\\R&amp;D\\Tide well.exe&quot;"
                             "</Command><Arguments>-PowerOn</Arguments>"})
        EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
    EXPECT_EQ(xml.find("UserId"), std::string::npos) << "no user is named anywhere";
}

} // namespace
