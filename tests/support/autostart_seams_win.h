#pragma once
// Stands in for the Task Scheduler and the protected-place check while installed: records what
// the program registers, can refuse, and says whether the program's place is protected.
#include <functional>
#include <map>
#include <string>

#include "common/protected_place_win.h"
#include "common/task_scheduler_win.h"

namespace testing_support {

// Every place reads as protected (or, set false, as not) while it lives.
class PretendPlaces {
public:
    PretendPlaces() { SetProtectedPlaceCheck([this](const std::string&) { return protectedPlace; }); }
    ~PretendPlaces() { SetProtectedPlaceCheck(nullptr); }
    PretendPlaces(const PretendPlaces&) = delete;
    PretendPlaces& operator=(const PretendPlaces&) = delete;

    bool protectedPlace = true;
};

class RecordingTaskService : public TaskService, public PretendPlaces {
public:
    RecordingTaskService() { SetTaskService(this); }
    ~RecordingTaskService() override { SetTaskService(nullptr); }
    RecordingTaskService(const RecordingTaskService&) = delete;
    RecordingTaskService& operator=(const RecordingTaskService&) = delete;

    bool Register(const std::string& name, const std::string& xml) override
    {
        if (refuse)
            return false;
        tasks[name] = xml;
        return true;
    }
    bool Exists(const std::string& name) override { return tasks.count(name) != 0; }
    bool Delete(const std::string& name) override
    {
        tasks.erase(name);
        return true;
    }

    std::map<std::string, std::string> tasks; // name to task XML
    bool refuse = false;
};

} // namespace testing_support
