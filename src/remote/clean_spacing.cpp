#include "remote/clean_spacing.h"

namespace remote {

CleanGate JudgeCleanRequest(bool busy, std::optional<uint32_t> lastCleanEnd, uint32_t now)
{
    if (busy)
        return {CleanGate::Busy, 0};
    if (!lastCleanEnd)
        return {};
    const uint32_t elapsed = now - *lastCleanEnd; // unsigned: right across the wrap
    if (elapsed >= kCleanSpacingMs)
        return {};
    return {CleanGate::TooSoon, static_cast<uint16_t>((kCleanSpacingMs - elapsed + 999) / 1000)};
}

} // namespace remote
