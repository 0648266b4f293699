#pragma once
// Cleans asked for through the request channel are spaced: each commits and zeroes all of memory
// and empties the clipboard, so a caller asking again and again would keep the machine busy.
// A request is refused while a run is in progress and within 30 seconds of the end of the last
// clean, whoever asked for that one.
#include <cstdint>
#include <optional>

namespace remote {

constexpr uint32_t kCleanSpacingMs = 30000;

struct CleanGate {
    enum Verdict { Open, Busy, TooSoon } verdict = Open;
    uint16_t waitSeconds = 0; // TooSoon: whole seconds until a request is taken again, 1 to 30
};

// `busy`: a run is in progress or about to end. Times are tick counts in milliseconds, which wrap.
CleanGate JudgeCleanRequest(bool busy, std::optional<uint32_t> lastCleanEnd, uint32_t now);

} // namespace remote
