#include "monitors/cpuid_exec.h"

// Intrinsics rather than inline assembly, so MinGW, clang and MSVC build the same file.
#if defined(_MSC_VER) && (defined(_M_IX86) || defined(_M_X64))
#include <intrin.h>
#define TIDEWELL_X86 1
#elif (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
#include <x86intrin.h>
#define TIDEWELL_X86 1
#endif

// Guards. MSVC offers __try/__except, so a faulting instruction turns into a failed read, as on
// the processors of old. GCC and clang offer no structured guard; there:
// - on x86-64 every processor has CPUID, so it cannot fault;
// - on 32-bit x86 the ID-bit test decides first, as only processors without CPUID fault;
// - RDTSC faults only when the system forbids it to user code, which Windows never does.

namespace {
constexpr unsigned kIdFlag = 0x200000;
}

bool IsCpuidSupported()
{
#if defined(TIDEWELL_X86)
    const auto before = __readeflags();
    __writeeflags(before ^ kIdFlag);
    const auto after = __readeflags();
    __writeeflags(before);
    return ((before ^ after) & kIdFlag) != 0;
#else
    return false;
#endif
}

bool ExecuteCpuid(uint32_t leaf, uint32_t subleaf, CpuidRegisters& out)
{
#if defined(TIDEWELL_X86) && defined(_MSC_VER)
    int regs[4] = {};
    __try {
        __cpuidex(regs, static_cast<int>(leaf), static_cast<int>(subleaf));
    } __except (1 /* EXCEPTION_EXECUTE_HANDLER */) {
        return false;
    }
    out = {static_cast<uint32_t>(regs[0]), static_cast<uint32_t>(regs[1]),
           static_cast<uint32_t>(regs[2]), static_cast<uint32_t>(regs[3])};
    return true;
#elif defined(TIDEWELL_X86)
#if defined(__i386__)
    if (!IsCpuidSupported())
        return false;
#endif
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(leaf, subleaf, a, b, c, d);
    out = {a, b, c, d};
    return true;
#else
    (void)leaf;
    (void)subleaf;
    (void)out;
    return false;
#endif
}

bool ReadCpuTimeStamp(uint64_t& out)
{
#if defined(TIDEWELL_X86) && defined(_MSC_VER)
    __try {
        out = __rdtsc();
    } __except (1 /* EXCEPTION_EXECUTE_HANDLER */) {
        return false;
    }
    return true;
#elif defined(TIDEWELL_X86)
    out = __rdtsc();
    return true;
#else
    (void)out;
    return false;
#endif
}

CpuidSource HardwareCpuid()
{
    return [](uint32_t leaf, uint32_t subleaf, CpuidRegisters& out) {
        return ExecuteCpuid(leaf, subleaf, out);
    };
}

TscSource HardwareTsc()
{
    return [](uint64_t& out) { return ReadCpuTimeStamp(out); };
}
