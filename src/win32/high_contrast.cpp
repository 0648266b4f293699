#include "win32/high_contrast.h"

#include <windows.h>

#include <utility>

namespace win32 {

namespace {
std::function<bool()> highContrastSource;
}

void SetHighContrastSource(std::function<bool()> source) { highContrastSource = std::move(source); }

bool HighContrastOn()
{
    if (highContrastSource)
        return highContrastSource();
    HIGHCONTRASTA setting{};
    setting.cbSize = sizeof(setting);
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

} // namespace win32
