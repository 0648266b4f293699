#pragma once
// The memory figures' texts: gauge percentages, the physical line, the graph caption, the
// slider's amount and labels. Free of any window, so tested natively.
#include <cstdint>
#include <string>

// "%3.0lf%% %s": a gauge's percentage line.
std::string PercentLine(double percent, const std::string& text);
// "- %s%d MB  %s%d MB": the physical memory line.
std::string PhysicalLine(const std::string& totalText, int32_t totalMB, const std::string& freeText,
                         int32_t availMB);
// " USE - %ld%% " of the used memory, "USE" being the text strMemoryUse.
std::string MemoryGraphCaption(const std::string& useText, int32_t freePercent);
// The memory graph's caption turns red at or below the alert value typed in the window.
bool MemoryAtAlert(int32_t freePercent, const std::string& alertText);

// "%dMB" and "%dM": the slider's and the graph axis's labels.
std::string MegabyteLabel(int32_t megabytes);
std::string AxisLabel(double megabytes);
// The amount label: position eighths of the installed memory.
std::string AmountLabel(int sliderPos, int32_t totalPhysMB);
// The slider follows the user type: 2 x index within the slider's range 1 to 8.
int SliderPositionForUserType(int userType);
constexpr int kCustomUserType = 4; // unlocks the slider
