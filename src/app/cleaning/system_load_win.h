#pragma once
#include <cstdint>

// The system load snapshot: the processor load and the free-memory percentage.
void GetSystemLoad(int32_t* load, int32_t* freePercent);
