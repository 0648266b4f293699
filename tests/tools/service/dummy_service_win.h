#pragma once
// Installs dummy_service.exe (built beside the tests) as a service of the test prefix under a
// given name, and removes it again.
#include <windows.h>

#include <string>

#include "support/child_process_win.h"

namespace testing_support {

class DummyService {
public:
    explicit DummyService(std::string name) : name_(std::move(name))
    {
        manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        Remove(); // left over by a run that crashed
        std::string path = "\"";
        path += (TestProgramFolder() / "dummy_service.exe").string();
        path += "\" ";
        path += name_;
        if (manager_) {
            SC_HANDLE service = CreateServiceA(manager_, name_.c_str(), name_.c_str(), SERVICE_ALL_ACCESS,
                                               SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_IGNORE,
                                               path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
            if (service) {
                installed_ = true;
                path_ = path;
                CloseServiceHandle(service);
            }
        }
    }
    ~DummyService()
    {
        Remove();
        if (manager_)
            CloseServiceHandle(manager_);
    }
    DummyService(const DummyService&) = delete;
    DummyService& operator=(const DummyService&) = delete;

    bool Installed() const { return installed_; }
    const std::string& Name() const { return name_; }
    const std::string& BinaryPath() const { return path_; }

    bool SetDescription(const char* text) const
    {
        SC_HANDLE service = OpenServiceA(manager_, name_.c_str(), SERVICE_CHANGE_CONFIG);
        SERVICE_DESCRIPTIONA description{const_cast<char*>(text)};
        const bool ok = service && ChangeServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, &description);
        if (service)
            CloseServiceHandle(service);
        return ok;
    }
    bool SetStartType(DWORD startType) const
    {
        SC_HANDLE service = OpenServiceA(manager_, name_.c_str(), SERVICE_CHANGE_CONFIG);
        const bool ok = service && ChangeServiceConfigA(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                        nullptr);
        if (service)
            CloseServiceHandle(service);
        return ok;
    }
    // The current state, or 0 when it cannot be read.
    DWORD State() const
    {
        SC_HANDLE service = OpenServiceA(manager_, name_.c_str(), SERVICE_QUERY_STATUS);
        SERVICE_STATUS status{};
        const bool ok = service && QueryServiceStatus(service, &status);
        if (service)
            CloseServiceHandle(service);
        return ok ? status.dwCurrentState : 0;
    }
    bool Start() const
    {
        SC_HANDLE service = OpenServiceA(manager_, name_.c_str(), SERVICE_START);
        const bool ok = service && StartServiceA(service, 0, nullptr);
        if (service)
            CloseServiceHandle(service);
        return ok && WaitForState(SERVICE_RUNNING);
    }
    bool WaitForState(DWORD state, DWORD timeoutMs = 10000) const
    {
        const DWORD start = GetTickCount();
        while (State() != state) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            Sleep(20);
        }
        return true;
    }

private:
    void Remove()
    {
        if (!manager_)
            return;
        SC_HANDLE service = OpenServiceA(manager_, name_.c_str(), SERVICE_ALL_ACCESS);
        if (!service)
            return;
        SERVICE_STATUS status{};
        if (ControlService(service, SERVICE_CONTROL_STOP, &status))
            WaitForState(SERVICE_STOPPED, 5000);
        DeleteService(service);
        CloseServiceHandle(service);
        installed_ = false;
    }

    std::string name_;
    std::string path_;
    SC_HANDLE manager_ = nullptr;
    bool installed_ = false;
};

} // namespace testing_support
