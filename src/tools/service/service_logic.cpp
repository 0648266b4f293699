#include "tools/service/service_logic.h"

#include <algorithm>

const std::array<ServiceEntry, kServiceCount> kServiceTable = {{
    {"Computer Browser", "Browser"},
    {"Task scheduler", "Schedule"},
    {"Routing and Remote Access", "RemoteAccess"},
    {"Removable Storage", "NtmsSvc"},
    {"Remote Registry Service", "RemoteRegistry"},
    {"IPSEC Policy Agent", "PolicyAgent"},
    {"Distributed Link Tracking Client", "TrkWks"},
    {"Windows Time", "W32Time"},
    {"Telnet", "TlntSvr"},
    {"Remote Procedure Call (RPC) Locator", "RpcLocator"},
    {"Alerter", "Alerter"},
    {"ClipBook", "ClipSrv"},
    {"Distributed Transaction Coordinator", "MSDTC"},
}};

int StatusWordIndex(std::uint32_t state)
{
    using namespace service_state;
    switch (state) {
    case kRunning:
        return 0;
    case kStopPending:
        return 2;
    case kStartPending:
    case kContinuePending:
        return 3;
    case kPausePending:
    case kPaused:
        return 4;
    default:
        return 1;
    }
}

std::string StartTypeWord(std::uint32_t startType)
{
    switch (startType) {
    case 0: // boot
    case 1: // system
    case 2: // automatic
        return "Automatic";
    case 3:
        return "HandWork";
    case 4:
        return "Disabled";
    default:
        return {};
    }
}

std::string ShownDescription(const char* description)
{
    if (!description)
        return {};
    std::string text = description;
    return text.find("null") == std::string::npos ? text : std::string();
}

std::uint32_t StartWaitSleepMs(std::uint32_t waitHint)
{
    return std::clamp<std::uint32_t>(waitHint / 10, 1000, 10000);
}

void WaitForServiceStart(ServiceProgress& status, const StartWaitHooks& hooks)
{
    std::uint32_t startTick = hooks.tick();
    std::uint32_t oldCheckPoint = status.checkPoint;
    while (status.state == service_state::kStartPending) {
        hooks.sleep(StartWaitSleepMs(status.waitHint));
        if (!hooks.query(status))
            return;
        if (status.checkPoint > oldCheckPoint) {
            startTick = hooks.tick();
            oldCheckPoint = status.checkPoint;
        } else if (hooks.tick() - startTick > status.waitHint) {
            return;
        }
    }
}
