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

class RecordingTaskService : public PretendPlaces {
public:
    RecordingTaskService()
    {
        SetTaskService({[this](const std::string& name, const std::string& xml) {
                            if (refuse)
                                return false;
                            tasks[name] = xml;
                            return true;
                        },
                        [this](const std::string& name) { return tasks.count(name) != 0; },
                        [this](const std::string& name) {
                            tasks.erase(name);
                            return true;
                        }});
    }
    ~RecordingTaskService() { SetTaskService({}); }
    RecordingTaskService(const RecordingTaskService&) = delete;
    RecordingTaskService& operator=(const RecordingTaskService&) = delete;

    std::map<std::string, std::string> tasks; // name to task XML
    bool refuse = false;
};

} // namespace testing_support
