#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "common/resource_text.h"
#include "tools/service/dummy_service_win.h"
#include "tools/service/service_control_win.h"

using testing_support::DummyService;

namespace {

TEST(ServiceControlLoad, NeedsAllTwelveEntryPointsAndReadsAnAbsentServiceAsStopped)
{
    CServiceControl control;
    EXPECT_FALSE(control.OpenManager()) << "nothing works before Load";
    EXPECT_FALSE(control.Load("kernel32.dll")) << "a library without the service functions";
    EXPECT_FALSE(control.IsLoaded());
    EXPECT_FALSE(control.Load("no_such_library.dll"));
    ASSERT_TRUE(control.Load());
    ASSERT_TRUE(control.OpenManager());

    ServiceInfo info;
    info.description = "stale";
    info.startType = "stale";
    EXPECT_EQ(control.QueryServiceInfo("NtmsSvc", info), 0);
    EXPECT_EQ(info.status, UiText("strServiceStatus2"));
    EXPECT_EQ(info.description, "");
    EXPECT_EQ(info.startType, "");
    EXPECT_EQ(info.programPath, "");
    EXPECT_FALSE(control.StopServiceByName("NtmsSvc"));

    control.Unload();
    EXPECT_FALSE(control.IsLoaded());
    EXPECT_FALSE(control.OpenManager());
}

// One dummy service walked through what the dialog asks of the control: query, stop, start from
// disabled, and a start that fails because it already runs.
TEST(ServiceControlDummy, QueryStopAndStartSetTheStartType)
{
    DummyService service("DummyProbeSvc");
    ASSERT_TRUE(service.Installed());
    std::vector<std::uint32_t> sleeps;
    CServiceControl control([&](std::uint32_t ms) {
        sleeps.push_back(ms);
        Sleep(ms);
    });
    ASSERT_TRUE(control.Load());
    ASSERT_TRUE(control.OpenManager());
    ServiceInfo info;
    const auto query = [&] { return control.QueryServiceInfo(service.Name(), info); };

    ASSERT_TRUE(service.SetDescription("Answers the service tests."));
    EXPECT_EQ(query(), 0);
    EXPECT_EQ(info.serviceName, service.Name());
    EXPECT_EQ(info.status, UiText("strServiceStatus2"));
    EXPECT_EQ(info.programPath, service.BinaryPath());
    EXPECT_EQ(info.description, "Answers the service tests.");
    ASSERT_TRUE(service.SetDescription("Returns null when idle."));
    query();
    EXPECT_EQ(info.description, "");
    EXPECT_FALSE(control.StopServiceByName(service.Name()));
    query();
    EXPECT_EQ(info.startType, "Automatic") << "a stopped service keeps its start type";

    ASSERT_TRUE(service.Start());
    EXPECT_EQ(query(), 1);
    EXPECT_EQ(info.status, UiText("strServiceStatus1"));
    EXPECT_TRUE(control.StopServiceByName(service.Name()));
    query();
    EXPECT_EQ(info.startType, "HandWork");
    EXPECT_TRUE(info.status == UiText("strServiceStatus3") || info.status == UiText("strServiceStatus2"))
        << info.status;
    ASSERT_TRUE(service.WaitForState(SERVICE_STOPPED));

    ASSERT_TRUE(service.SetStartType(SERVICE_DISABLED));
    control.StartServiceByName(service.Name());
    EXPECT_EQ(query(), 1) << "the start is waited for";
    EXPECT_EQ(info.startType, "Automatic");

    ASSERT_TRUE(service.SetStartType(SERVICE_DEMAND_START));
    sleeps.clear();
    control.StartServiceByName(service.Name()); // already running: StartService fails
    query();
    EXPECT_EQ(info.startType, "Automatic") << "set even when the start fails";
    EXPECT_TRUE(sleeps.empty()) << "no wait after a failed start";
}

} // namespace
