#pragma once
// The Windows Application log, source "Tidewell", whose sentences are the program's message table
// (resources/tidewell_events.mc) and which the MSI registers.
#include "history/clean_event.h"

constexpr wchar_t kEventSource[] = L"Tidewell";

// One event; true when it was written, or when an organisation turned the log off (NoEventLog).
// Blocks for as long as the event log takes: EventWriter calls it on its own thread.
bool WriteToApplicationLog(const CleanEvent& event);
