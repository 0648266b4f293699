#pragma once
// The processor load from the kernel's idle-time and system-time counters (NT family).
#include <cstdint>
#include <functional>

// Counters in 100-nanosecond units: idle time summed over all processors, and wall-clock time.
struct CpuSample {
    uint64_t idleTime = 0;
    uint64_t systemTime = 0;
};

// The sample every NT load is measured against; the latest successful sample of any caller.
extern CpuSample PreviousCpuSample;

// The average load of all processors between two samples, rounded to whole percent. False when
// no value can be computed (no time has passed, no processor count).
bool LoadBetween(const CpuSample& previous, const CpuSample& now, uint32_t processors,
                 int32_t& load);

// Measures a new sample against PreviousCpuSample and keeps it as the next one. The load is
// written only when a value could be computed: never on the first sample.
void AdvanceCpuSample(const CpuSample& now, uint32_t processors, int32_t* load);

// The number of processors, asked until the system answers (0 while it has not) and then kept: the
// question also measures the installed memory, which the resident would pay for on every tick, and
// a first question that fails must not leave the load unmeasured for the rest of the run.
class ProcessorCount {
public:
    uint32_t Get(const std::function<uint32_t()>& ask)
    {
        if (known_ == 0)
            known_ = ask();
        return known_;
    }

private:
    uint32_t known_ = 0;
};
