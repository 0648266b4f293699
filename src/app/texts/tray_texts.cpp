#include "app/texts/tray_texts.h"

#include "app/texts/text_format.h"
#include "memory/free_memory.h"

std::string TrayTooltip(const std::string& cpuText, int32_t load, const std::string& ramText,
                        int32_t freePercent, const std::string& holdLine)
{
    const std::string figures = Format("%s:%ld%% \n%s:%ld%%", cpuText.c_str(), static_cast<long>(load),
                                       ramText.c_str(), static_cast<long>(100 - freePercent));
    return holdLine.empty() ? figures : figures + "\n" + holdLine;
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
    return Format("%d", static_cast<int>(FreeMemoryPercent(status)));
}
