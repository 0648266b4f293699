#pragma once
// The running Windows' family and version, as the portable decisions take it.
#include <cstdint>

struct WindowsVersion {
    bool nt = true;
    uint32_t major = 0;
    uint32_t minor = 0;
};
