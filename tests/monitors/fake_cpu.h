#pragma once
#include "monitors/cpuid_source.h"

#include <algorithm>
#include <cstdint>
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

inline std::vector<LeafDump> BrandLeaves(const std::string& brand)
{
    std::string text = brand;
    text.resize(48, '\0');
    std::vector<LeafDump> leaves;
    for (uint32_t i = 0; i < 3; ++i) {
        const char* p = text.data() + 16 * i;
        leaves.push_back({0x80000002 + i, {Text4(p), Text4(p + 4), Text4(p + 8), Text4(p + 12)}});
    }
    return leaves;
}

class FakeCpu {
public:
    // echoHighestBasic: leaves beyond the maxima answer the highest basic leaf, as Intel does.
    FakeCpu(std::vector<LeafDump> leaves, bool echoHighestBasic)
        : echo_(echoHighestBasic)
    {
        for (const LeafDump& d : leaves)
            answers_[{d.leaf, d.subleaf}].push_back(d.regs);
    }

    void FaultOn(uint32_t leaf) { faulting_.insert(leaf); }
    int Calls(uint32_t leaf) const { return calls_.count(leaf) ? calls_.at(leaf) : 0; }

    CpuidSource Source()
    {
        return [this](uint32_t leaf, uint32_t subleaf, CpuidRegisters& out) { return Answer(leaf, subleaf, out); };
    }

private:
    bool Answer(uint32_t leaf, uint32_t subleaf, CpuidRegisters& out)
    {
        const int call = calls_[leaf]++;
        if (faulting_.count(leaf))
            return false;
        if (echo_ && Beyond(leaf)) {
            out = Listed(Listed(0).eax);
            return true;
        }
        const auto it = answers_.find({leaf, subleaf});
        if (it == answers_.end()) {
            out = {};
            return true;
        }
        const size_t index = std::min<size_t>(static_cast<size_t>(call), it->second.size() - 1);
        out = it->second[index];
        return true;
    }

    bool Beyond(uint32_t leaf) const
    {
        if (leaf < 0x80000000)
            return leaf > Listed(0).eax;
        if (leaf == 0x80000000)
            return answers_.count({leaf, 0}) == 0;
        const uint32_t maxExtended = Listed(0x80000000).eax;
        return maxExtended < 0x80000000 || leaf > maxExtended;
    }

    CpuidRegisters Listed(uint32_t leaf) const
    {
        const auto it = answers_.find({leaf, 0});
        return it == answers_.end() ? CpuidRegisters{} : it->second.front();
    }

    std::map<std::pair<uint32_t, uint32_t>, std::vector<CpuidRegisters>> answers_; // by leaf and subleaf
    std::map<uint32_t, int> calls_;
    std::set<uint32_t> faulting_;
    bool echo_;
};

struct FakeTimebase {
    int64_t frequency = 1'000'000;
    int64_t step = 10;
    uint64_t cyclesPerCount = 2400;
    bool hasCounter = true;
    bool tscFaults = false;
    int64_t counter = 0;

    CpuProbe Probe(CpuidSource cpuid)
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
            counter += step;
            out = counter;
            return hasCounter;
        };
        return probe;
    }
};
