#include "app/settings/logon_task.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string LogonTaskXml(const std::string& programPath)
{
    // The service takes the text as UTF-16, whatever this string is stored as.
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           "  <RegistrationInfo><Description>Starts Tidewell at logon</Description></RegistrationInfo>\n"
           // A logon trigger without a user fires for every member of the principal's group.
           "  <Triggers><LogonTrigger><Enabled>true</Enabled></LogonTrigger></Triggers>\n"
           "  <Principals><Principal id=\"Author\"><GroupId>" + std::string(kEveryUserGroup) + "</GroupId>"
           "<RunLevel>HighestAvailable</RunLevel></Principal></Principals>\n"
           "  <Settings>\n"
           "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
           "    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
           "    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
           "    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\n"
           // Tasks run below normal priority unless told otherwise; Tidewell is interactive.
           "    <Priority>4</Priority>\n"
           "  </Settings>\n"
           "  <Actions Context=\"Author\"><Exec><Command>" + Escaped("\"" + programPath + "\"") +
           "</Command><Arguments>-PowerOn</Arguments></Exec></Actions>\n"
           "</Task>\n";
}
