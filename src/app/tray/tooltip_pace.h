#pragma once
// When the tray's tooltip goes to the shell. Each change handed over is a synchronous message into
// the shell's process, and the load it shows changes on most ticks: while no one is at the icon, a
// changed tooltip waits until kRestMs have passed since the last one went; from the moment the
// shell tells of the mouse or the keyboard at the icon, and for kLookMs after, every change goes at
// once. Free of any window, so tested natively; times are tick counts and may wrap.
#include <cstdint>
#include <optional>

class TooltipPace {
public:
    static constexpr std::uint32_t kRestMs = 5000, kLookMs = 30000;

    // The shell told of the user at the icon.
    void Looked(std::uint32_t now) { looked_ = now; }
    // Whether a changed tooltip goes to the shell now. The first one always does.
    bool Due(std::uint32_t now) const;
    void Handed(std::uint32_t now) { handed_ = now; }

private:
    std::optional<std::uint32_t> handed_, looked_;
};
