#pragma once
// The application object: one copy at a time, the rights check, the splash, the first start and
// the main window for the life of the process.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class InstanceMark;

class CMainApp {
public:
    static constexpr unsigned long kRunningCopyWaitMs = 10000;

    // hasRights: whether this user may run the program; the system's own check (any 9x system, or
    // an administrator on NT) when empty. Tests hand one in: their machines always answer yes.
    explicit CMainApp(std::function<bool()> hasRights = {});
    ~CMainApp();
    CMainApp(const CMainApp&) = delete;
    CMainApp& operator=(const CMainApp&) = delete;

    // Always false: the process ends (with code 0) when it returns. "-Uninstall" runs the
    // installer's removal step (uninstall_win.h) instead of the program, for the account whose SID
    // the second argument gives.
    bool InitInstance(std::optional<std::string> firstArgument, std::vector<std::string> rest = {});

private:
    std::function<bool()> hasRights_;
    // Held for the life of the application: it marks this copy as the running one.
    std::unique_ptr<InstanceMark> instanceMark_;
};

// Brings the window of a running copy (a process running this program file) back, waiting up to
// waitMs for it to appear; true when one was found.
bool ShowRunningCopy(unsigned long waitMs);
