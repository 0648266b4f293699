// Harness self-check: this program crashes, and the test run must count that as a failure.
#include <gtest/gtest.h>

TEST(Harness, CrashFailsTheRun)
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    SUCCEED();
}
