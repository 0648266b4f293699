#include "monitors/cpuid_exec.h"

#include "monitors/proc_cpuinfo.h"

#include <gtest/gtest.h>

namespace {

#if defined(__i386__) || defined(__x86_64__) || defined(_M_IX86) || defined(_M_X64)

TEST(CpuidExec, ThisProcessorAnswers)
{
    EXPECT_TRUE(IsCpuidSupported());
    CpuidRegisters r;
    ASSERT_TRUE(ExecuteCpuid(0, 0, r));
    EXPECT_GE(r.eax, 1u);
    char vendor[13] = {};
    VendorTextOf(r, vendor);
    const std::string expected = ProcCpuinfoField("vendor_id");
    if (expected.empty())
        GTEST_SKIP() << "no /proc/cpuinfo";
    EXPECT_EQ(vendor, expected);
}

TEST(CpuidExec, TimeStampCounterAdvances)
{
    uint64_t a = 0, b = 0;
    ASSERT_TRUE(ReadCpuTimeStamp(a));
    volatile int spin = 0;
    for (int i = 0; i < 100000; ++i)
        spin = spin + 1;
    ASSERT_TRUE(ReadCpuTimeStamp(b));
    EXPECT_GT(b, a);
}

#endif

} // namespace
