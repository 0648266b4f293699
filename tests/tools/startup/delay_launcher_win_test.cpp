#include "tools/startup/delay_launcher_win.h"

#include <gtest/gtest.h>

#include "common/clock.h"
#include "tools/startup/delay_list.h"
#include "tools/startup/startup_test_support_win.h"

using namespace startup_testing;

namespace {

class DelayLauncherTest : public testing::Test {
protected:
    StartupState state_{"delay-launcher"};
    RecordingHost host_;
    std::uint32_t now_ = 0xFFFFFFFFu - 20000u; // the tick counter wraps within the first minute
    std::vector<std::string> started_;

    void SetUp() override { SetTickCountSource([this] { return now_; }); }
    void TearDown() override { SetTickCountSource(nullptr); }

    CDelayLauncher Launcher()
    {
        return CDelayLauncher(state_.DelayList(), [this](const std::string& c) { started_.push_back(c); });
    }
    void Delay(const std::string& name, const std::string& command, int minutes, std::uint32_t type = kValueString)
    {
        ASSERT_TRUE(CDelayList(state_.DelayList()).Append({name, command, Delayed, minutes, 0, false, type}));
    }
};

// The conflicts check runs on the first tick only; what it removes from the list still starts in
// this run.
TEST_F(DelayLauncherTest, StartsEachItemInItsMinuteAcrossTheTickWrapThenFinishes)
{
    Delay("soon", "soon.exe", 0);
    Delay("later", "later.exe", 1);
    Delay("Again", "again.exe", 0);
    Delay("expand", "%SystemRoot%\\e.exe", 1, kValueExpandString);
    SetValue(UserRun, "AGAIN", "again.exe");
    char root[MAX_PATH];
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    CDelayLauncher launcher = Launcher();
    launcher.Start();

    now_ += 250;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(started_, (std::vector<std::string>{"soon.exe", "again.exe"})) << "file order";
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("\nAgain\n"), std::string::npos);
    EXPECT_EQ(CDelayList(state_.DelayList()).ReadItems().size(), 3u);

    SetValue(UserRun, "later", "later.exe");
    now_ += 59000;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(started_.size(), 2u) << "59.25 s is not yet a minute";
    EXPECT_EQ(host_.boxes.size(), 1u) << "once per run";
    now_ += 750;
    EXPECT_FALSE(launcher.OnTick()) << "every item started: the timer stays off";
    EXPECT_EQ(started_, (std::vector<std::string>{"soon.exe", "again.exe", "later.exe", std::string(root) + "\\e.exe"}));
}

TEST_F(DelayLauncherTest, StartsNothingFromADelayListAPlainUserCanChange)
{
    Delay("planted", "planted.exe", 0);
    state_.places.protectedPlace = false;
    CDelayLauncher launcher = Launcher();
    launcher.Start();
    now_ += 60000;
    EXPECT_FALSE(launcher.OnTick());
    EXPECT_TRUE(started_.empty());
}

} // namespace
