#include "common/clock.h"

#include <windows.h>

std::function<std::uint32_t()>& TickCountSource()
{
    static std::function<std::uint32_t()> source = [] { return static_cast<std::uint32_t>(GetTickCount()); };
    return source;
}

std::function<LocalTime()>& LocalTimeSource()
{
    static std::function<LocalTime()> source = [] {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return LocalTime{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
    };
    return source;
}
