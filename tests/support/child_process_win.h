#pragma once
// Processes a test starts: any command line, or a copy of the sleeping child in a scratch folder, so
// that the path the process list reports is known. A child still running when its owner goes away
// is ended.
#include <windows.h>

#include <filesystem>
#include <string>

#include "support/test_paths.h"
#include "win32/handles.h"

namespace testing_support {

inline std::filesystem::path TestProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

class ChildProcess {
public:
    // `output`, an inheritable handle, receives what the child writes to its standard output and
    // error.
    explicit ChildProcess(std::string commandLine, DWORD flags = 0, const char* exe = nullptr,
                          HANDLE output = nullptr)
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        if (output) {
            si.dwFlags = STARTF_USESTDHANDLES;
            si.hStdOutput = si.hStdError = output;
        }
        PROCESS_INFORMATION pi{};
        if (CreateProcessA(exe, commandLine.data(), nullptr, nullptr, output != nullptr, flags, nullptr, nullptr, &si,
                           &pi)) {
            CloseHandle(pi.hThread);
            process_.reset(pi.hProcess);
            id_ = pi.dwProcessId;
        }
    }
    ~ChildProcess()
    {
        if (process_ && !HasEnded()) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return static_cast<bool>(process_); }
    DWORD Id() const { return id_; }
    bool HasEnded(DWORD waitMs = 0) const
    {
        return process_ && WaitForSingleObject(process_.get(), waitMs) == WAIT_OBJECT_0;
    }
    // Waits for the end; STILL_ACTIVE when it has not ended in time or never started.
    DWORD ExitCode(DWORD waitMs = 0) const
    {
        DWORD code = STILL_ACTIVE;
        if (HasEnded(waitMs))
            GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    win32::UniqueHandle process_;
    DWORD id_ = 0;
};

using ChildFolder = ScratchDir;

// A running copy of sleeper_child.exe under `exeName` in `folder`; given megabytes, it touches that
// much memory first.
class SleepingChild : public ChildProcess {
public:
    SleepingChild(const std::filesystem::path& folder, const std::string& exeName, int megabytes = 0)
        : ChildProcess("\"" + Copy(folder / exeName) + "\" " + std::to_string(megabytes), CREATE_NO_WINDOW),
          path_((folder / exeName).string())
    {
    }
    const std::string& Path() const { return path_; }

private:
    static std::string Copy(const std::filesystem::path& path)
    {
        std::filesystem::copy_file(TestProgramFolder() / "sleeper_child.exe", path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path.string();
    }
    std::string path_;
};

} // namespace testing_support
