#pragma once
// The Task Scheduler (2.0, NT 6.0 and later) as the program uses it: tasks in the root folder,
// registered from XML. Replaceable, so tests see what the program hands to the service.
#include <string>

class TaskService {
public:
    virtual ~TaskService() = default;
    // Creates or replaces the task, which runs for the members of the group its principal names;
    // false when the service is missing or refuses.
    virtual bool Register(const std::string& name, const std::string& xml);
    virtual bool Exists(const std::string& name);
    // True when the task is gone afterwards, also when there was none.
    virtual bool Delete(const std::string& name);
};

TaskService& CurrentTaskService();
// Installs a service for the rest of the process (null puts the real one back).
void SetTaskService(TaskService* service);
