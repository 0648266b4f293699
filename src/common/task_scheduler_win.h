#pragma once
// The Task Scheduler (2.0, NT 6.0 and later) as the program uses it: tasks in the root folder,
// registered from XML.
#include <functional>
#include <string>

// Creates or replaces the task, which runs for the members of the group its principal names;
// false when the service is missing or refuses.
bool RegisterTask(const std::string& name, const std::string& xml);
bool TaskExists(const std::string& name);
// True when the task is gone afterwards, also when there was none.
bool DeleteTask(const std::string& name);

// Tests install their own calls to see what the program hands to the service; an empty call
// reaches the real service.
struct TaskServiceCalls {
    std::function<bool(const std::string& name, const std::string& xml)> registerTask;
    std::function<bool(const std::string& name)> exists;
    std::function<bool(const std::string& name)> deleteTask;
};
void SetTaskService(TaskServiceCalls calls);
