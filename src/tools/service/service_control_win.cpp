#include "tools/service/service_control_win.h"

#include <array>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/resource_text.h"
#include "tools/service/service_logic.h"

struct CServiceControl::Api {
    decltype(&OpenSCManagerA) openSCManager = nullptr;
    decltype(&OpenServiceA) openService = nullptr;
    decltype(&QueryServiceConfigA) queryServiceConfig = nullptr;
    decltype(&QueryServiceConfig2A) queryServiceConfig2 = nullptr;
    decltype(&QueryServiceStatus) queryServiceStatus = nullptr;
    decltype(&StartServiceA) startService = nullptr;
    decltype(&ControlService) controlService = nullptr;
    decltype(&ChangeServiceConfigA) changeServiceConfig = nullptr;
    decltype(&QueryServiceLockStatusA) queryServiceLockStatus = nullptr;
    decltype(&CloseServiceHandle) closeServiceHandle = nullptr;
    decltype(&LockServiceDatabase) lockServiceDatabase = nullptr;
    decltype(&UnlockServiceDatabase) unlockServiceDatabase = nullptr;
};

// A service handle closed through the bound CloseServiceHandle.
class CServiceControl::ServiceHandle {
public:
    ServiceHandle(SC_HANDLE handle, const Api& api) : handle_(handle), api_(api) {}
    ~ServiceHandle()
    {
        if (handle_)
            api_.closeServiceHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
    const Api& api_;
};

namespace {

constexpr DWORD kQueryBufferSize = 4096;

template <typename Fn>
bool Bind(HMODULE library, const char* name, Fn& target)
{
    target = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return target != nullptr;
}

ServiceProgress ProgressOf(const SERVICE_STATUS& status)
{
    return ServiceProgress{status.dwCurrentState, status.dwCheckPoint, status.dwWaitHint};
}

} // namespace

CServiceControl::CServiceControl(std::function<void(std::uint32_t)> sleep)
    : sleep_(sleep ? std::move(sleep) : [](std::uint32_t ms) { Sleep(ms); })
{
}

CServiceControl::~CServiceControl() { Unload(); }

bool CServiceControl::Load(const char* library)
{
    Unload();
    win32::UniqueModule module(LoadLibraryA(library));
    if (!module)
        return false;
    auto api = std::make_unique<Api>();
    const HMODULE m = module.get();
    const bool bound = Bind(m, "OpenSCManagerA", api->openSCManager) && Bind(m, "OpenServiceA", api->openService) &&
                       Bind(m, "QueryServiceConfigA", api->queryServiceConfig) &&
                       Bind(m, "QueryServiceConfig2A", api->queryServiceConfig2) &&
                       Bind(m, "QueryServiceStatus", api->queryServiceStatus) &&
                       Bind(m, "StartServiceA", api->startService) && Bind(m, "ControlService", api->controlService) &&
                       Bind(m, "ChangeServiceConfigA", api->changeServiceConfig) &&
                       Bind(m, "QueryServiceLockStatusA", api->queryServiceLockStatus) &&
                       Bind(m, "CloseServiceHandle", api->closeServiceHandle) &&
                       Bind(m, "LockServiceDatabase", api->lockServiceDatabase) &&
                       Bind(m, "UnlockServiceDatabase", api->unlockServiceDatabase);
    if (!bound)
        return false;
    library_ = std::move(module);
    api_ = std::move(api);
    return true;
}

void CServiceControl::CloseManager()
{
    if (manager_ && api_)
        api_->closeServiceHandle(manager_);
    manager_ = nullptr;
}

void CServiceControl::Unload()
{
    CloseManager();
    api_.reset();
    library_.reset();
}

bool CServiceControl::OpenManager()
{
    if (!api_)
        return false;
    CloseManager();
    manager_ = api_->openSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    return manager_ != nullptr;
}

CServiceControl::ServiceHandle CServiceControl::OpenServiceHandle(const std::string& serviceName, DWORD access) const
{
    return ServiceHandle(manager_ ? api_->openService(manager_, serviceName.c_str(), access) : nullptr, *api_);
}

int CServiceControl::QueryServiceInfo(const std::string& serviceName, ServiceInfo& info)
{
    CResourceText texts;
    const std::array<std::string, 5> words = {texts.Text("strServiceStatus1"), texts.Text("strServiceStatus2"),
                                              texts.Text("strServiceStatus3"), texts.Text("strServiceStatus4"),
                                              texts.Text("strServiceStatus5")};
    info = ServiceInfo{};
    info.status = words[1];
    if (!api_)
        return 0;
    ServiceHandle service = OpenServiceHandle(serviceName, SERVICE_ALL_ACCESS);
    if (!service)
        return 0;

    std::vector<BYTE> config(kQueryBufferSize), description(kQueryBufferSize);
    DWORD needed = 0;
    auto* configuration = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(config.data());
    if (!api_->queryServiceConfig(service.get(), configuration, kQueryBufferSize, &needed))
        return 0;
    SERVICE_STATUS status{};
    if (!api_->queryServiceStatus(service.get(), &status))
        return 0;

    info.serviceName = serviceName;
    info.status = words[static_cast<size_t>(StatusWordIndex(status.dwCurrentState))];
    info.startType = StartTypeWord(configuration->dwStartType);
    info.programPath = configuration->lpBinaryPathName ? configuration->lpBinaryPathName : "";
    if (api_->queryServiceConfig2(service.get(), SERVICE_CONFIG_DESCRIPTION, description.data(),
                                  kQueryBufferSize, &needed))
        info.description = ShownDescription(reinterpret_cast<SERVICE_DESCRIPTIONA*>(description.data())->lpDescription);
    return status.dwCurrentState == SERVICE_RUNNING ? 1 : 0;
}

void CServiceControl::SetStartType(const std::string& serviceName, DWORD startType) const
{
    // The lock is advisory: without it the change is still attempted.
    SC_LOCK lock = api_->lockServiceDatabase(manager_);
    {
        ServiceHandle service = OpenServiceHandle(serviceName, SERVICE_CHANGE_CONFIG);
        if (service)
            api_->changeServiceConfig(service.get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    if (lock)
        api_->unlockServiceDatabase(lock);
}

bool CServiceControl::StopServiceByName(const std::string& serviceName)
{
    if (!api_)
        return false;
    ServiceHandle service = OpenServiceHandle(serviceName, SERVICE_STOP);
    if (!service)
        return false;
    SERVICE_STATUS status{};
    // A service that is not running keeps its start type.
    if (!api_->controlService(service.get(), SERVICE_CONTROL_STOP, &status))
        return false;
    SetStartType(serviceName, SERVICE_DEMAND_START);
    return true;
}

void CServiceControl::StartServiceByName(const std::string& serviceName)
{
    if (!api_)
        return;
    // Automatic even when the start that follows fails.
    SetStartType(serviceName, SERVICE_AUTO_START);
    ServiceHandle service = OpenServiceHandle(serviceName, SERVICE_ALL_ACCESS);
    if (!service || !api_->startService(service.get(), 0, nullptr))
        return;
    SERVICE_STATUS status{};
    if (!api_->queryServiceStatus(service.get(), &status))
        return;
    ServiceProgress progress = ProgressOf(status);
    const StartWaitHooks hooks{
        [&](ServiceProgress& current) {
            SERVICE_STATUS now{};
            if (!api_->queryServiceStatus(service.get(), &now))
                return false;
            current = ProgressOf(now);
            return true;
        },
        sleep_, [] { return TickCount(); }};
    WaitForServiceStart(progress, hooks);
}
