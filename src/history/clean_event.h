#pragma once
// A history record as an event of the Windows Application log: an id for the record's kind, a
// level, and the record's figures as the event's strings, which the message table's sentences
// (resources/events.mc) take as %1 to %26 in the order of the history's columns.
#include <array>
#include <cstdint>
#include <string>

#include "history/clean_record.h"

// The ids administrators filter on (docs/administrators.md); never change one.
enum CleanEventId : uint32_t {
    kEventCleanDone = 100,
    kEventCleanRefused = 101,
    kEventCleanStopped = 102,
    kEventCleanSkipped = 103,
};
// The event log's types, as ReportEvent takes them.
enum class EventLevel : uint16_t { Warning = 0x0002, Information = 0x0004 };

struct CleanEvent {
    uint32_t id = kEventCleanDone;
    EventLevel level = EventLevel::Information;
    std::array<std::string, kRecordFigures> strings;
};

CleanEvent EventOfRecord(const CleanRecord& record);
