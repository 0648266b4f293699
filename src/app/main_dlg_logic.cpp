#include "app/main_dlg_logic.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof(text), format, args...);
    return text;
}

} // namespace

std::string DateLine(const LocalTime& t, bool twelveHour, const std::string& weekday)
{
    if (!twelveHour)
        return Format(" %02d-%02d-%04d  %2s | %02d:%02d:%02d ", t.month, t.day, t.year, weekday.c_str(),
                      t.hour, t.minute, t.second);
    // Hours 0 to 12 are "AM", noon included, and keep their number.
    const char* meridiem = t.hour > 12 ? "PM" : "AM";
    const int hour = t.hour > 12 ? t.hour - 12 : t.hour;
    return Format(" %02d-%02d-%04d  %2s | %2s  %02d:%02d:%02d ", t.month, t.day, t.year, weekday.c_str(),
                  meridiem, hour, t.minute, t.second);
}

std::string ClockHeading(const std::string& text) { return " " + text + " "; }

double FreeRatio(uint64_t available, uint64_t total)
{
    return total == 0 ? 0.0 : static_cast<double>(available) / static_cast<double>(total);
}

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

double PhysicalFreePercent(const MemoryStatus& status)
{
    return status.totalPhysMB <= 0 ? 0.0
                                   : static_cast<double>(status.availPhysMB) / status.totalPhysMB * 100.0;
}

std::string TrayTooltip(const std::string& cpuText, int32_t load, const std::string& ramText,
                        int32_t freePercent)
{
    return Format("%s:%ld%% \n%s:%ld%%", cpuText.c_str(), static_cast<long>(load), ramText.c_str(),
                  static_cast<long>(100 - freePercent));
}

std::string MemoryGraphCaption(int32_t freePercent)
{
    return Format(" USE - %ld%% ", static_cast<long>(100 - freePercent));
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

AlertValue ClampAlertValue(const std::string& text)
{
    const int typed = std::atoi(text.c_str());
    AlertValue result{std::clamp(typed, kAlertMin, kAlertMax), false};
    result.outOfRange = result.value != typed;
    return result;
}

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

int TrayBaseIcon(const MemoryStatus& status)
{
    const int32_t used = status.totalPhysMB - status.availPhysMB;
    const int32_t quarter = status.totalPhysMB / 4;
    if (used <= 2 * quarter)
        return 156;
    return used <= 3 * quarter ? 157 : 158;
}

std::string TrayPictureText(const MemoryStatus& status)
{
    return Format("%d", static_cast<int>(PhysicalFreePercent(status)));
}

AutoCleanAction DecideAutoClean(bool busy, bool due, bool& askArmed)
{
    if (busy)
        return AutoCleanAction::ShowBusy;
    if (!due) {
        askArmed = true;
        return AutoCleanAction::None;
    }
    return askArmed ? AutoCleanAction::Ask : AutoCleanAction::None;
}

AutoCleanAction DecideAutoClean(bool busy, int32_t freePercent, int32_t alertValue, bool& askArmed)
{
    return DecideAutoClean(busy, freePercent <= alertValue, askArmed);
}

void AfterAutoCleanAnswer(bool accepted, bool& askArmed)
{
    if (!accepted)
        askArmed = false;
}

bool AlertDue(bool soundAlert, bool busy, int32_t freePercent, int32_t alertValue)
{
    return soundAlert && !busy && freePercent <= alertValue;
}

Box CompactBox(const Box& full)
{
    Box compact = full;
    compact.right = full.left + full.Width() / 2;
    return compact;
}

Box CentredBox(const Box& box, int screenWidth, int screenHeight)
{
    Box centred;
    centred.left = (screenWidth - box.Width()) / 2;
    centred.top = (screenHeight - box.Height()) / 2;
    centred.right = centred.left + box.Width();
    centred.bottom = centred.top + box.Height();
    return centred;
}

int RightPanelX(const Box& expandedClient, const Box& compactClient)
{
    return std::max(expandedClient.left + expandedClient.Width() / 2, compactClient.right);
}

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool IsPowerOnArgument(const std::string& argument) { return Upper(argument).find("POWER") != std::string::npos; }

bool IsUninstallArgument(const std::string& argument)
{
    const std::string upper = Upper(argument);
    return upper == "-UNINSTALL" || upper == "/UNINSTALL";
}
