#include "common/task_scheduler_win.h"

#include <gtest/gtest.h>

#include "app/autostart_win.h"
#include "app/logon_task.h"

namespace {

// Wine's service stores the task (without its logon trigger and run level) and deletes it again.
TEST(TaskScheduler, RegistersTheLogonTaskAndDeletesIt)
{
    TaskService& service = CurrentTaskService();
    const std::string name = "Tidewell test task";
    service.Delete(name);
    ASSERT_FALSE(service.Exists(name));
    ASSERT_TRUE(service.Register(name, LogonTaskXml("C:\\Program Files\\R&D\\Tidewell.exe", CurrentUserSid())));
    EXPECT_TRUE(service.Exists(name));
    EXPECT_FALSE(service.Register(name, "<Task>")) << "a broken definition is refused";
    EXPECT_TRUE(service.Delete(name));
    EXPECT_FALSE(service.Exists(name));
    EXPECT_TRUE(service.Delete(name)) << "nothing left to delete is no failure";
}

} // namespace
