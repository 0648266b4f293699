#pragma once
// The dialogs around cleaning, in one place: the question before an automatic clean, the choice of
// methods and the report after a run. The window decides when they show; the cleaning engine
// shows nothing.
#include <windows.h>

#include <functional>
#include <string>

#include "memory/clean_measurement.h"
#include "memory/cleaning_methods.h"

// The question before an automatic clean, following the load line while it is open; true when the
// clean may start. Answers true without asking when asking is switched off. standby: the standby
// list, not free memory, called for it.
bool AskBeforeAutomaticClean(std::function<std::string()> loadLine, bool standby = false);
// The methods this Windows offers, over owner; OK stores the choice.
void OpenCleaningMethods(HWND owner);
// The report of a measured run with what its system operations did; lastLine, when not empty, comes
// next (the run's record that could not be kept); followUp, asked each second, ends it (what the
// minute after the run brought).
void ShowCleaningReport(const CleanMeasurement& measured, const RunOutcome& outcome = RunOutcome{},
                        const std::string& lastLine = {}, std::function<std::string()> followUp = {});
