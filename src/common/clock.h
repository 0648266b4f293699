#pragma once
// Time as the program reads it. Tests install sources to pretend a date or a tick count.
#include <cstdint>
#include <functional>

struct LocalTime {
    int year = 0, month = 0, day = 0, dayOfWeek = 0; // dayOfWeek: 0 = Sunday
    int hour = 0, minute = 0, second = 0;
    bool operator==(const LocalTime&) const = default;
};

// Milliseconds since the system started; wraps after about 49.7 days like GetTickCount.
std::uint32_t TickCount();
LocalTime CurrentLocalTime();
// Coordinated universal time, from the system alone (the local-time source does not reach it).
LocalTime CurrentUtcTime();

// An empty source puts the system's own back.
void SetTickCountSource(std::function<std::uint32_t()> source);
void SetLocalTimeSource(std::function<LocalTime()> source);
