#include "app/texts/processor_texts.h"

#include "app/texts/text_format.h"

std::string ProcessorNameLine(const std::string& title, const std::string& name,
                              const std::string& countText, int count)
{
    return Format("- %s%s %s%d", title.c_str(), name.c_str(), countText.c_str(), count);
}

std::string ProcessorClockLine(const std::string& title, const std::string& clock)
{
    return Format("- %s %s", title.c_str(), clock.c_str());
}

std::string ProcessorLoadLine(const std::string& title, int32_t load)
{
    return Format("- %s  %ld%% ", title.c_str(), static_cast<long>(load));
}

std::string TrimLeadingBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string ChooseProcessorName(const std::string& brand, const std::function<IdentifiedCpu()>& identify)
{
    if (brand.find("Celeron") != std::string::npos || !identify)
        return brand;
    const IdentifiedCpu cpu = identify();
    if (cpu.name.find("Pentium III") != std::string::npos && cpu.level2CacheKB < 256)
        return "Intel(R) Celeron(TM)(0.13) L2-128KB";
    return cpu.name;
}
