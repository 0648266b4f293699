#include "app/texts/memory_texts.h"

#include <algorithm>
#include <cstdlib>

#include "app/texts/text_format.h"

std::string PercentLine(double percent, const std::string& text)
{
    return Format("%3.0lf%% %s", percent, text.c_str());
}

std::string PhysicalLine(const std::string& totalText, int32_t totalMB, const std::string& freeText,
                         int32_t availMB)
{
    return Format("- %s%d MB  %s%d MB", totalText.c_str(), static_cast<int>(totalMB), freeText.c_str(),
                  static_cast<int>(availMB));
}

std::string MemoryGraphCaption(const std::string& useText, int32_t freePercent)
{
    return Format(" %s - %ld%% ", useText.c_str(), static_cast<long>(100 - freePercent));
}

bool MemoryAtAlert(int32_t freePercent, const std::string& alertText)
{
    return freePercent <= std::atoi(alertText.c_str());
}

std::string MegabyteLabel(int32_t megabytes) { return Format("%dMB", static_cast<int>(megabytes)); }

std::string AxisLabel(double megabytes) { return Format("%dM", static_cast<int>(megabytes)); }

std::string AmountLabel(int sliderPos, int32_t totalPhysMB)
{
    return MegabyteLabel(sliderPos * (totalPhysMB / 8));
}

int SliderPositionForUserType(int userType) { return std::clamp(2 * userType, 1, 8); }
