#pragma once
// The main window's arithmetic and texts, free of any window so they are tested natively.
#include <cstdint>
#include <functional>
#include <string>

#include "common/clock.h"
#include "memory/memory_status.h"

// The date line under the clock heading; the 12-hour form keeps 0 to 12 as "AM" hours.
std::string DateLine(const LocalTime& time, bool twelveHour, const std::string& weekday);
// " %s " around the clock heading.
std::string ClockHeading(const std::string& text);

// Free part of a total; 0 for a zero total (a machine without a page file).
double FreeRatio(uint64_t available, uint64_t total);
// "%3.0lf%% %s": a gauge's percentage line.
std::string PercentLine(double percent, const std::string& text);
// "- %s%d MB  %s%d MB": the physical memory line.
std::string PhysicalLine(const std::string& totalText, int32_t totalMB, const std::string& freeText,
                         int32_t availMB);
// Available physical memory in percent of the installed; 0 when nothing is installed.
double PhysicalFreePercent(const MemoryStatus& status);
// "%s:%ld%% \n%s:%ld%%": the tray tooltip with the load and the used memory.
std::string TrayTooltip(const std::string& cpuText, int32_t load, const std::string& ramText,
                        int32_t freePercent);
// " USE - %ld%% " of the used memory.
std::string MemoryGraphCaption(int32_t freePercent);
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

// The alert value box holds 1 to 75; a typed value outside is replaced by the nearest bound.
struct AlertValue {
    int value = 0;
    bool outOfRange = false;
};
AlertValue ClampAlertValue(const std::string& text);
constexpr int kAlertMin = 1;
constexpr int kAlertMax = 75;

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

// The tray picture: base icon by used memory in quarters, and the free percentage it shows.
int TrayBaseIcon(const MemoryStatus& status);
std::string TrayPictureText(const MemoryStatus& status);

// Automatic cleaning, once a second.
enum class AutoCleanAction {
    None,     // nothing to do
    ShowBusy, // a run is in progress
    Ask,      // ask (or clean at once when asking is switched off)
};
// A tick where no trigger is due arms asking again; a due trigger asks only while armed.
AutoCleanAction DecideAutoClean(bool busy, bool due, bool& askArmed);
// The free-memory trigger alone: due at or below the alert value.
AutoCleanAction DecideAutoClean(bool busy, int32_t freePercent, int32_t alertValue, bool& askArmed);
// A cancelled question disarms until free memory has been above the alert value again.
void AfterAutoCleanAnswer(bool accepted, bool& askArmed);
// The alert sounds at or below the alert value while no run is in progress.
bool AlertDue(bool soundAlert, bool busy, int32_t freePercent, int32_t alertValue);

// Window geometry.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
// The compact window is the left half of the full one.
Box CompactBox(const Box& full);
// Top-left corner that centres a box of this size on the screen.
Box CentredBox(const Box& box, int screenWidth, int screenHeight);
// Left edge of the white right-hand panel in the expanded form.
int RightPanelX(const Box& expandedClient, const Box& compactClient);

// The first command-line argument, upper-cased, asks for the hidden start with the launcher.
bool IsPowerOnArgument(const std::string& argument);
// The installer's "-Uninstall" (or "/Uninstall"), any case.
bool IsUninstallArgument(const std::string& argument);
