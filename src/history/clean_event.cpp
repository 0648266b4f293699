#include "history/clean_event.h"

CleanEvent EventOfRecord(const CleanRecord& record)
{
    CleanEvent event;
    event.strings = RecordColumns(record);
    switch (record.result) {
    case CleanResult::Done: event.id = kEventCleanDone; break;
    case CleanResult::Refused:
        event.id = kEventCleanRefused;
        event.level = EventLevel::Warning; // nothing was cleaned, and it will not be until the rights are there
        break;
    case CleanResult::Stopped: event.id = kEventCleanStopped; break;
    case CleanResult::Skipped: event.id = kEventCleanSkipped; break;
    }
    return event;
}
