#pragma once
// The service manager's platform-free rules: its table of services, the words it shows for
// states and start types, and the wait for a starting service.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

struct ServiceEntry {
    const char* displayName;
    const char* serviceName;
};

inline constexpr int kServiceCount = 13;
extern const std::array<ServiceEntry, kServiceCount> kServiceTable;

// Service states and start types as the service control manager numbers them.
namespace service_state {
inline constexpr std::uint32_t kStopped = 1, kStartPending = 2, kStopPending = 3, kRunning = 4,
                               kContinuePending = 5, kPausePending = 6, kPaused = 7;
}

// Which of the five status words (strServiceStatus1..5) a state is shown with, 0-based.
// Unknown states read as stopped.
int StatusWordIndex(std::uint32_t state);

// "Automatic" (boot, system, automatic), "HandWork" (demand), "Disabled", or empty.
std::string StartTypeWord(std::uint32_t startType);

// The description as shown: none for a missing one or one that contains "null".
std::string ShownDescription(const char* description);

// The sleep between two looks at a starting service: a tenth of its wait hint, 1 s to 10 s.
std::uint32_t StartWaitSleepMs(std::uint32_t waitHint);

struct ServiceProgress {
    std::uint32_t state = 0;
    std::uint32_t checkPoint = 0;
    std::uint32_t waitHint = 0;
};

struct StartWaitHooks {
    std::function<bool(ServiceProgress&)> query; // false when the status cannot be read
    std::function<void(std::uint32_t)> sleep;
    std::function<std::uint32_t()> tick;
};

// Waits while the service is start pending, as long as its check point keeps moving within its
// wait hint. `status` holds the last status read.
void WaitForServiceStart(ServiceProgress& status, const StartWaitHooks& hooks);
