#include "common/clock.h"

#include <windows.h>

#include <utility>

namespace {
std::function<std::uint32_t()> tickSource;
std::function<LocalTime()> timeSource;
} // namespace

std::uint32_t TickCount() { return tickSource ? tickSource() : static_cast<std::uint32_t>(GetTickCount()); }

LocalTime CurrentLocalTime()
{
    if (timeSource)
        return timeSource();
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
}

LocalTime CurrentUtcTime()
{
    SYSTEMTIME st;
    GetSystemTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
}

void SetTickCountSource(std::function<std::uint32_t()> source) { tickSource = std::move(source); }

void SetLocalTimeSource(std::function<LocalTime()> source) { timeSource = std::move(source); }
