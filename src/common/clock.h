#pragma once
// Time as the program reads it. Tests replace the sources to pretend a date or a tick count.
#include <cstdint>
#include <functional>

struct LocalTime {
    int year = 0, month = 0, day = 0, dayOfWeek = 0; // dayOfWeek: 0 = Sunday
    int hour = 0, minute = 0, second = 0;
};

// Milliseconds since the system started; wraps after about 49.7 days like GetTickCount.
std::function<std::uint32_t()>& TickCountSource();
std::function<LocalTime()>& LocalTimeSource();

inline std::uint32_t TickCount() { return TickCountSource()(); }
inline LocalTime CurrentLocalTime() { return LocalTimeSource()(); }
