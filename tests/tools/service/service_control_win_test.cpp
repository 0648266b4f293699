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

class ServiceControlDummy : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service_.Installed());
        ASSERT_TRUE(control_.Load());
        ASSERT_TRUE(control_.OpenManager());
        control_.sleep = [this](std::uint32_t ms) {
            sleeps_.push_back(ms);
            Sleep(ms);
        };
    }
    int Query() { return control_.QueryServiceInfo(service_.Name(), info_); }

    DummyService service_{"DummyProbeSvc"};
    CServiceControl control_;
    ServiceInfo info_;
    std::vector<std::uint32_t> sleeps_;
};

TEST_F(ServiceControlDummy, QueryReadsStateStartTypePathAndDescription)
{
    ASSERT_TRUE(service_.SetDescription("Answers the service tests."));
    EXPECT_EQ(Query(), 0);
    EXPECT_EQ(info_.serviceName, service_.Name());
    EXPECT_EQ(info_.status, UiText("strServiceStatus2"));
    EXPECT_EQ(info_.startType, "Automatic");
    EXPECT_EQ(info_.programPath, service_.BinaryPath());
    EXPECT_EQ(info_.description, "Answers the service tests.");
    ASSERT_TRUE(service_.SetDescription("Returns null when idle."));
    Query();
    EXPECT_EQ(info_.description, "");
    EXPECT_EQ(info_.startType, "Automatic") << "the rest of the query still works";
}

TEST_F(ServiceControlDummy, StopMakesOnlyARunningServiceStartOnDemand)
{
    EXPECT_FALSE(control_.StopServiceByName(service_.Name()));
    Query();
    EXPECT_EQ(info_.startType, "Automatic") << "a stopped service keeps its start type";

    ASSERT_TRUE(service_.Start());
    EXPECT_EQ(Query(), 1);
    EXPECT_EQ(info_.status, UiText("strServiceStatus1"));
    EXPECT_TRUE(control_.StopServiceByName(service_.Name()));
    Query();
    EXPECT_EQ(info_.startType, "HandWork");
    EXPECT_TRUE(info_.status == UiText("strServiceStatus3") || info_.status == UiText("strServiceStatus2"))
        << info_.status;
    EXPECT_TRUE(service_.WaitForState(SERVICE_STOPPED));
}

TEST_F(ServiceControlDummy, StartMakesItAutomaticAndWaitsUntilItRuns)
{
    ASSERT_TRUE(service_.SetStartType(SERVICE_DISABLED));
    Query();
    ASSERT_EQ(info_.startType, "Disabled");
    control_.StartServiceByName(service_.Name());
    EXPECT_EQ(Query(), 1) << "the start is waited for";
    EXPECT_EQ(info_.status, UiText("strServiceStatus1"));
    EXPECT_EQ(info_.startType, "Automatic");
    for (std::uint32_t ms : sleeps_) {
        EXPECT_GE(ms, 1000u);
        EXPECT_LE(ms, 10000u);
    }
}

TEST_F(ServiceControlDummy, FailedStartStillLeavesItAutomatic)
{
    ASSERT_TRUE(service_.Start());
    ASSERT_TRUE(service_.SetStartType(SERVICE_DEMAND_START));
    control_.StartServiceByName(service_.Name()); // already running: StartService fails
    EXPECT_EQ(Query(), 1);
    EXPECT_EQ(info_.startType, "Automatic");
    EXPECT_TRUE(sleeps_.empty()) << "no wait after a failed start";
}

} // namespace
