#pragma once
// Stands in for the Task Scheduler and for file ownership in the place check while installed:
// records what the program registers, can refuse, and says whether places read as protected.
#include <functional>
#include <map>
#include <string>

#include "common/protected_place_win.h"
#include "common/task_scheduler_win.h"

namespace testing_support {

// Every file and folder reads as changeable by administrators alone (or, set false, as Wine
// reports it) while it lives; the rest of the place check runs for real.
class PretendPlaces {
public:
    PretendPlaces()
    {
        const ObjectAccess admins{"S-1-5-32-544", true, {{AccessEntry::Kind::Allow, "S-1-5-32-544", 0x1F01FF, false}}};
        SetObjectAccessSource(
            [this, admins](HANDLE object) { return protectedPlace ? admins : ReadObjectAccess(object); });
    }
    ~PretendPlaces() { SetObjectAccessSource(nullptr); }
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
