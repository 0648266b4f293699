#pragma once
// The clock heading and the date line under it. Free of any window, so tested natively.
#include <string>

#include "common/clock.h"

// The date line under the clock heading; the 12-hour form keeps 0 to 12 as "AM" hours.
std::string DateLine(const LocalTime& time, bool twelveHour, const std::string& weekday);
// " %s " around the clock heading.
std::string ClockHeading(const std::string& text);
