#pragma once
// The processor name, clock and load lines, and which name is shown. Free of any window, so tested natively.
#include <cstdint>
#include <functional>
#include <string>

// The processor lines.
std::string ProcessorNameLine(const std::string& title, const std::string& name,
                              const std::string& countText, int count);
std::string ProcessorClockLine(const std::string& title, const std::string& clock);
std::string ProcessorLoadLine(const std::string& title, int32_t load);
std::string TrimLeadingBlanks(const std::string& text);
// The name shown: the brand name unless it is a Celeron, then the identified name, with the
// small-cache Pentium III told apart. identify gives the name and the level-2 cache in KB.
struct IdentifiedCpu {
    std::string name;
    int32_t level2CacheKB = -1;
};
std::string ChooseProcessorName(const std::string& brand, const std::function<IdentifiedCpu()>& identify);
