#pragma once
// Services as the service tests see them through the plain API: any service by name, one kept as
// it was found, and dummy_service.exe (built beside the tests) installed under a name while it lives.
#include <windows.h>

#include <string>
#include <optional>

#include "support/child_process_win.h"
#include "support/message_pump_win.h"
#include "support/registry_snapshot_win.h"

namespace testing_support {

class ServiceByName {
public:
    explicit ServiceByName(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }

    // False when the service cannot be opened or `act` fails on it.
    template <typename Act>
    bool With(Act act) const
    {
        SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        SC_HANDLE service = OpenServiceA(manager, name_.c_str(), SERVICE_ALL_ACCESS);
        const bool ok = service && act(service);
        CloseServiceHandle(service);
        CloseServiceHandle(manager);
        return ok;
    }
    // 0 when it cannot be read.
    DWORD State() const
    {
        SERVICE_STATUS status{};
        return With([&](SC_HANDLE s) { return QueryServiceStatus(s, &status); }) ? status.dwCurrentState : 0;
    }
    bool WaitForState(DWORD state) const { return PumpUntil([&] { return State() == state; }, 10000); }
    bool SetStartType(DWORD type) const
    {
        return With([&](SC_HANDLE s) {
            return ChangeServiceConfigA(s, SERVICE_NO_CHANGE, type, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
        });
    }
    // Starts or stops it and waits until it has. The dummy service starts at once.
    bool Run(bool running) const
    {
        SERVICE_STATUS status{};
        const char* now[] = {"now"};
        return With([&](SC_HANDLE s) {
                   return running ? StartServiceA(s, 1, now) : ControlService(s, SERVICE_CONTROL_STOP, &status);
               }) &&
               WaitForState(running ? SERVICE_RUNNING : SERVICE_STOPPED);
    }
    bool Start() const { return Run(true); }

private:
    std::string name_;
};

// Puts back the start type and state the service had, if it existed.
class KeptService : public ServiceByName {
public:
    explicit KeptService(const std::string& name)
        : ServiceByName(name), state_(State()),
          startType_(ReadDword(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\" + name, "Start"))
    {
    }
    ~KeptService()
    {
        if (state_ != 0 && startType_) {
            SetStartType(*startType_);
            Run(state_ == SERVICE_RUNNING);
        }
    }

private:
    DWORD state_;
    std::optional<DWORD> startType_;
};

// Reports itself running at once and stops when asked.
class DummyService : public ServiceByName {
public:
    explicit DummyService(std::string name) : ServiceByName(std::move(name)), path_("\"")
    {
        path_ += (TestProgramFolder() / "dummy_service.exe").string() + "\"";
        Remove(); // left over by a run that crashed
        SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        CloseServiceHandle(CreateServiceA(manager, Name().c_str(), Name().c_str(), SERVICE_ALL_ACCESS,
                                          SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_IGNORE,
                                          path_.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
        CloseServiceHandle(manager);
    }
    ~DummyService() { Remove(); }

    const std::string& BinaryPath() const { return path_; }
    bool SetDescription(const char* text) const
    {
        SERVICE_DESCRIPTIONA description{const_cast<char*>(text)};
        return With([&](SC_HANDLE s) { return ChangeServiceConfig2A(s, SERVICE_CONFIG_DESCRIPTION, &description); });
    }

private:
    void Remove() const
    {
        Run(false);
        With([](SC_HANDLE s) { return DeleteService(s); });
    }

    std::string path_;
};

} // namespace testing_support
