#pragma once
// The service manager's access to the service control manager. The service functions are
// bound by name from Advapi32.DLL, so a system without them fails Load instead of the program's
// start. No operation shows a message: failures end or skip the operation silently.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "win32/handles.h"

struct ServiceInfo {
    std::string serviceName;
    std::string status;      // one of the five status words
    std::string startType;   // "Automatic", "HandWork", "Disabled" or empty
    std::string programPath;
    std::string description;
};

class CServiceControl {
public:
    // The start wait sleeps through `sleep` (Sleep when empty); its tick is TickCount().
    explicit CServiceControl(std::function<void(std::uint32_t)> sleep = {});
    ~CServiceControl();
    CServiceControl(const CServiceControl&) = delete;
    CServiceControl& operator=(const CServiceControl&) = delete;

    // True only when the library loaded and all twelve entry points were found.
    bool Load(const char* library = "Advapi32.DLL");
    void Unload();
    bool IsLoaded() const { return static_cast<bool>(library_); }
    // Opens the service control manager with full access, replacing the handle held.
    bool OpenManager();

    // 1 when the service is running, else 0 (also when it cannot be queried).
    int QueryServiceInfo(const std::string& serviceName, ServiceInfo& info);
    // Stops the service and sets it to start on demand. Does not wait for it to stop.
    bool StopServiceByName(const std::string& serviceName);
    // Sets the service to start automatically, starts it and waits while it is starting.
    void StartServiceByName(const std::string& serviceName);

private:
    std::function<void(std::uint32_t)> sleep_;

    struct Api;
    class ServiceHandle;
    ServiceHandle OpenServiceHandle(const std::string& serviceName, DWORD access) const;
    void SetStartType(const std::string& serviceName, DWORD startType) const;
    void CloseManager();

    win32::UniqueModule library_;
    std::unique_ptr<Api> api_;
    SC_HANDLE manager_ = nullptr;
};
