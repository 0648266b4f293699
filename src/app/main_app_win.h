#pragma once
// The application object: one copy at a time, the rights check, the splash, the first start and
// the main window for the life of the process.
#include <optional>
#include <string>

class CMainApp {
public:
    static constexpr char kMutexName[] = "Kelvane III Mutex";
    static constexpr char kWindowTitle[] = "Tidewell";

    // Always false: the process ends (with code 0) when it returns.
    bool InitInstance(std::optional<std::string> firstArgument);
};

// Brings a running copy's window back; true when one was found.
bool ShowRunningCopy();
