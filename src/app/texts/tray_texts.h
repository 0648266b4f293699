#pragma once
// The tray icon's tooltip and the figure its picture shows. Free of any window, so tested natively.
#include <cstdint>
#include <string>

#include "memory/memory_status.h"

// "%s:%ld%% \n%s:%ld%%": the tray tooltip with the load and the used memory, and on a third line
// what holds automatic cleaning, when anything does.
std::string TrayTooltip(const std::string& cpuText, int32_t load, const std::string& ramText,
                        int32_t freePercent, const std::string& holdLine = {});
// The tray picture: base icon by used memory in quarters, and the free percentage it shows.
int TrayBaseIcon(const MemoryStatus& status);
std::string TrayPictureText(const MemoryStatus& status);
