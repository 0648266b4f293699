#include "monitors/cpuid_exec.h"

#include "monitors/cpu_names.h"
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

TEST(CpuidExec, SubleafReachesTheProcessor)
{
    // Leaf 4 (Intel) and 0x8000001D (AMD) describe a different cache for each subleaf.
    CpuidRegisters max;
    ASSERT_TRUE(ExecuteCpuid(0, 0, max));
    char vendor[13] = {};
    VendorTextOf(max, vendor);
    uint32_t leaf = 0;
    if (VendorFromString(vendor) == kVendorIntel && max.eax >= 4)
        leaf = 4;
    CpuidRegisters ext;
    if (VendorFromString(vendor) == kVendorAmd && ExecuteCpuid(0x80000000, 0, ext) &&
        ext.eax >= 0x8000001D)
        leaf = 0x8000001D;
    if (leaf == 0)
        GTEST_SKIP() << "no cache-parameter leaf";
    CpuidRegisters first, second;
    ASSERT_TRUE(ExecuteCpuid(leaf, 0, first));
    ASSERT_TRUE(ExecuteCpuid(leaf, 1, second));
    if ((first.eax & 0x1F) == 0)
        GTEST_SKIP() << "cache-parameter leaf empty";
    EXPECT_FALSE(first.eax == second.eax && first.ebx == second.ebx && first.ecx == second.ecx)
        << "subleaf 0 and 1 answered alike";
}

#endif

} // namespace
