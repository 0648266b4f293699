#pragma once
// Starts copies of the sleeping child from a folder of the test's choosing, so that the path
// the process list reports is known (and free of this program's name unless a test wants it).
#include <windows.h>

#include <filesystem>
#include <string>

#include "win32/handles.h"

namespace testing_support {

inline std::filesystem::path TestProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

// A fresh folder under the temporary folder whose path does not name the program.
class ChildFolder {
public:
    explicit ChildFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("pm-" + name + "-" + std::to_string(GetCurrentProcessId())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ChildFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ChildFolder(const ChildFolder&) = delete;
    ChildFolder& operator=(const ChildFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A running copy of sleeper_child.exe under `exeName` in `folder`; ended when it goes away.
class SleepingChild {
public:
    SleepingChild(const std::filesystem::path& folder, const std::string& exeName)
        : path_((folder / exeName).string())
    {
        std::filesystem::copy_file(TestProgramFolder() / "sleeper_child.exe", path_,
                                   std::filesystem::copy_options::overwrite_existing);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string commandLine = "\"" + path_ + "\"";
        if (CreateProcessA(path_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                           nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            process_.reset(pi.hProcess);
            id_ = pi.dwProcessId;
        }
    }
    ~SleepingChild()
    {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.get(), 0);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    SleepingChild(const SleepingChild&) = delete;
    SleepingChild& operator=(const SleepingChild&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    const std::string& Path() const { return path_; }
    bool HasEnded(DWORD waitMs = 0) const
    {
        return WaitForSingleObject(process_.get(), waitMs) == WAIT_OBJECT_0;
    }

private:
    std::string path_;
    win32::UniqueHandle process_;
    DWORD id_ = 0;
};

} // namespace testing_support
