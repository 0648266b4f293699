#pragma once
// One clean in the history: when it began, what started it, what ran and how each method came
// out, how long it took and the memory around it; or a clean that was due and skipped, and why.
// Stored as one CSV line of fixed columns that ends in a column of its own, so that a line cut
// short by a power loss never reads as a record. Lines written before the minute after a clean was
// measured lack its columns and read as records without it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "memory/clean_measurement.h"
#include "memory/cleaning_methods.h"

// What started a clean. The words are the stored ones.
enum class CleanTrigger : uint8_t {
    Button,    // the clean-up button: "button"
    Organise,  // the organise command: "organise"
    Tray,      // the tray menu: "tray"
    Automatic, // free memory at the alert value: "automatic"
    Standby,   // the standby list at its share: "standby"
    Console,   // the console program: "console"
    Hotkey,    // the hotkey that cleans: "hotkey"
};
// Why the measurement of the minute after a clean ended. The words are the stored ones.
enum class FollowUpEnd : uint8_t {
    Minute,    // the whole minute: "minute"
    NextClean, // another clean began: "next-clean"
    Exit,      // the program ended: "exit"
    Gap,       // the ticks stopped for a while (sleep, a stalled window): "gap"
};
enum class CleanResult : uint8_t {
    Done,    // "done"
    Refused, // every step was refused: "refused"
    Stopped, // the exit stopped it: "stopped"
    Skipped, // due, not run: "skipped", with its reason
};

struct CleanRecord {
    LocalTime startLocal, startUtc;
    CleanTrigger trigger = CleanTrigger::Button;
    CleanResult result = CleanResult::Done;
    std::string reason;   // a skipped clean's, one word: "cancelled", ...
    bool growing = false; // the growing run of `eighths` steps; else one step of `eighths`
    int32_t eighths = 0;  // none for a skipped clean
    // In the order they ran; the classic step as kFillAndRelease, done.
    std::vector<OperationResult> methods;
    uint32_t durationMs = 0;
    // Bytes; none where they were not read.
    std::optional<uint64_t> availBefore, availAfter, pageFileBefore, pageFileAfter;
    std::optional<uint64_t> standbyBefore, standbyAfter, modifiedBefore, modifiedAfter;
    // As the report shows them, with their sign: negative when memory fell during the clean.
    std::optional<int64_t> freedMB, freedPages;
    // The minute after the clean's end, as far as it was measured; none for a skipped clean and for
    // lines of older versions. Rates are counts per minute: pages read from disk for faults, and
    // faults resolved from the standby and modified lists; before: the minute before the start.
    std::optional<FollowUpEnd> followUpEnd;
    uint32_t followUpMs = 0;
    std::optional<uint64_t> availAfterFollowUp;
    std::optional<uint32_t> diskReadsBefore, diskReadsAfter, softFaultsBefore, softFaultsAfter;

    bool operator==(const CleanRecord&) const;
};

const char* TriggerName(CleanTrigger trigger);
const char* ResultName(CleanResult result);
const char* MethodName(CleaningMethod method);
const char* FollowUpEndName(FollowUpEnd end);
// "done", "refused" (no privilege), "not-supported" or "failed".
const char* OutcomeName(int32_t status);
// "working-sets=refused/C0000061;fill=done": the methods column.
std::string MethodsText(const std::vector<OperationResult>& methods);

// The record of a run from its measurement and its methods' outcome.
CleanRecord RecordOfRun(const CleanMeasurement& measured, const RunOutcome& outcome, CleanTrigger trigger,
                        bool growing, int32_t eighths, bool stopped);
// A due clean that did not run; `measured` needs only its start.
CleanRecord RecordOfSkip(const CleanMeasurement& measured, CleanTrigger trigger, std::string reason);

// The first line of every history file.
extern const char kRecordHeader[];
// The record's columns but the last, which only marks a whole line: what the history and the
// event log show of it.
constexpr size_t kRecordFigures = 26;
std::array<std::string, kRecordFigures> RecordColumns(const CleanRecord& record);
// One line without its line break.
std::string FormatRecord(const CleanRecord& record);
// A whole line (without its break, a CR tolerated), of this version's columns or of the earlier
// ones; nothing unless every column is well formed.
std::optional<CleanRecord> ParseRecord(std::string_view line);

// "2026-03-09 13:05:07" and "2026-03-09T12:05:07Z".
std::string LocalTimeText(const LocalTime& time);
std::string UtcTimeText(const LocalTime& time);
// The first form back, checked against the calendar.
std::optional<LocalTime> ParseLocalTimeText(std::string_view text);
// Seconds from 1970-01-01 00:00:00 of the same clock, for differences and order.
int64_t EpochSeconds(const LocalTime& time);
