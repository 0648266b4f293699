#pragma once
// What `tidewellc memory` prints: aligned lines for people, or one JSON object with every figure
// in bytes, numbers as numbers and null for a figure the system does not give.
#include <string>

#include "memory/memory_map.h"

namespace console {

std::string MemoryText(const MemoryMap& map);
std::string MemoryJson(const MemoryMap& map);

} // namespace console
