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
    std::uint32_t now_ = 0;
    std::vector<std::string> started_;

    void SetUp() override { SetTickCountSource([this] { return now_; }); }
    void TearDown() override { SetTickCountSource(nullptr); }

    CDelayLauncher Launcher()
    {
        return CDelayLauncher(state_.DelayList(), [this](const std::string& c) { started_.push_back(c); });
    }
    void Delay(const std::string& name, int minutes)
    {
        ASSERT_TRUE(CDelayList(state_.DelayList()).Append({name, name + ".exe", Delayed, minutes, 0}));
    }
};

TEST_F(DelayLauncherTest, StartsEachItemInItsMinuteAcrossTheTickWrapThenFinishes)
{
    Delay("soon", 0);
    Delay("later", 1);
    Delay("also-soon", 0);
    ASSERT_TRUE(CDelayList(state_.DelayList()).Append({"expand", "%SystemRoot%\\e.exe", Delayed, 1, 0, false,
                                                       kValueExpandString}));
    char root[MAX_PATH];
    GetEnvironmentVariableA("SystemRoot", root, MAX_PATH);
    now_ = 0xFFFFFFFFu - 20000u; // the tick counter wraps within the first minute
    CDelayLauncher launcher = Launcher();
    launcher.Start();

    now_ += 250;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(started_, (std::vector<std::string>{"soon.exe", "also-soon.exe"})) << "file order";
    now_ += 59000;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(started_.size(), 2u) << "59.25 s is not yet a minute";
    now_ += 750;
    EXPECT_FALSE(launcher.OnTick()) << "every item started: the timer stays off";
    EXPECT_EQ(started_, (std::vector<std::string>{"soon.exe", "also-soon.exe", "later.exe",
                                                  std::string(root) + "\\e.exe"}));
}

TEST_F(DelayLauncherTest, StartsNothingFromADelayListAPlainUserCanChange)
{
    Delay("planted", 0);
    state_.places.protectedPlace = false;
    CDelayLauncher launcher = Launcher();
    launcher.Start();
    now_ += 60000;
    EXPECT_FALSE(launcher.OnTick());
    EXPECT_TRUE(started_.empty());
}

TEST_F(DelayLauncherTest, ConflictsCheckOnTheFirstTickOnlyAndRemovedItemsStillStart)
{
    Delay("Again", 0);
    Delay("Wait", 5);
    SetValue(UserRun, "AGAIN", "again.exe");
    now_ = 1000;
    CDelayLauncher launcher = Launcher();
    launcher.Start();
    now_ += 250;
    EXPECT_TRUE(launcher.OnTick());
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("\nAgain\n"), std::string::npos);
    EXPECT_EQ(CDelayList(state_.DelayList()).ReadItems().size(), 1u);
    EXPECT_EQ(started_, std::vector<std::string>{"Again.exe"}) << "the table was loaded before";

    SetValue(UserRun, "Wait", "wait.exe");
    now_ += 250;
    EXPECT_TRUE(launcher.OnTick());
    EXPECT_EQ(host_.boxes.size(), 1u) << "once per run";
}

TEST_F(DelayLauncherTest, MissingListFinishesOnTheFirstTick)
{
    CDelayLauncher empty = Launcher();
    empty.Start();
    EXPECT_FALSE(empty.OnTick());
    EXPECT_TRUE(started_.empty());
}

} // namespace
