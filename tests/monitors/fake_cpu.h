#pragma once
// A processor made of recorded CPUID answers, and a high-resolution counter that ticks on every
// read while the time-stamp counter runs at a fixed rate against it.
#include "monitors/cpuid_source.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct LeafDump {
    uint32_t leaf;
    CpuidRegisters regs;
    uint32_t subleaf = 0;
};

// Four characters as a register holds them, first character in the low byte.
constexpr uint32_t Text4(const char* s)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(s[i]);
    return value;
}

inline LeafDump VendorLeaf(uint32_t maxLeaf, const char* vendor)
{
    return {0, {maxLeaf, Text4(vendor), Text4(vendor + 8), Text4(vendor + 4)}};
}

// The leaves with the brand-string leaves 0x80000002 to 0x80000004 added.
inline std::vector<LeafDump> WithBrand(std::vector<LeafDump> leaves, std::string text)
{
    text.resize(48, '\0');
    for (uint32_t i = 0; i < 3; ++i) {
        const char* p = text.data() + 16 * i;
        leaves.push_back({0x80000002 + i, {Text4(p), Text4(p + 4), Text4(p + 8), Text4(p + 12)}});
    }
    return leaves;
}

// Leaves not recorded answer zeros; a leaf recorded several times gives its answers in turn.
class FakeCpu {
public:
    explicit FakeCpu(const std::vector<LeafDump>& leaves)
    {
        for (const LeafDump& d : leaves)
            answers_[{d.leaf, d.subleaf}].push_back(d.regs);
    }

    void FaultOn(uint32_t leaf) { faulting_.insert(leaf); }
    int Calls(uint32_t leaf) const { return calls_.count(leaf) ? calls_.at(leaf) : 0; }

    CpuidSource Source()
    {
        return [this](uint32_t leaf, uint32_t subleaf, CpuidRegisters& out) {
            const size_t call = static_cast<size_t>(calls_[leaf]++);
            if (faulting_.count(leaf))
                return false;
            const auto it = answers_.find({leaf, subleaf});
            out = it == answers_.end() ? CpuidRegisters{} : it->second[std::min(call, it->second.size() - 1)];
            return true;
        };
    }

private:
    std::map<std::pair<uint32_t, uint32_t>, std::vector<CpuidRegisters>> answers_; // by leaf, subleaf
    std::map<uint32_t, int> calls_;
    std::set<uint32_t> faulting_;
};

struct FakeTimebase {
    int64_t frequency = 1'000'000;
    int64_t step = 10;
    uint64_t cyclesPerCount = 2400;
    bool hasCounter = true;
    bool tscFaults = false;
    int64_t counter = 0;

    CpuProbe Probe(CpuidSource cpuid = nullptr)
    {
        CpuProbe probe;
        probe.cpuid = std::move(cpuid);
        probe.readTsc = [this](uint64_t& out) {
            out = static_cast<uint64_t>(counter) * cyclesPerCount;
            return !tscFaults;
        };
        probe.counterFrequency = [this](int64_t& out) {
            out = frequency;
            return hasCounter;
        };
        probe.counterNow = [this](int64_t& out) {
            out = counter += step;
            return hasCounter;
        };
        return probe;
    }
};
