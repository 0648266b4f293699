#pragma once
// Reads where memory goes on this machine now: the memory status, the system's performance
// record, the memory lists, the file cache and every process that opens. Nothing is kept between
// reads; each costs a process snapshot and a few calls per process.
#include "memory/memory_map.h"

// Programs of the stored keep and pause lists count as left alone.
MemoryMap ReadMemoryMap();
