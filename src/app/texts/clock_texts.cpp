#include "app/texts/clock_texts.h"

#include "app/texts/text_format.h"

std::string DateLine(const LocalTime& t, bool twelveHour, const std::string& weekday)
{
    if (!twelveHour)
        return Format(" %02d-%02d-%04d  %2s | %02d:%02d:%02d ", t.month, t.day, t.year, weekday.c_str(),
                      t.hour, t.minute, t.second);
    // Hours 0 to 12 are "AM", noon included, and keep their number.
    const char* meridiem = t.hour > 12 ? "PM" : "AM";
    const int hour = t.hour > 12 ? t.hour - 12 : t.hour;
    return Format(" %02d-%02d-%04d  %2s | %2s  %02d:%02d:%02d ", t.month, t.day, t.year, weekday.c_str(),
                  meridiem, hour, t.minute, t.second);
}

std::string ClockHeading(const std::string& text) { return " " + text + " "; }
