#include "history/clean_record.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <type_traits>
#include <utility>

namespace {

template <typename E>
using Names = std::pair<E, const char*>;

constexpr Names<CleanTrigger> kTriggers[] = {
    {CleanTrigger::Button, "button"},       {CleanTrigger::Organise, "organise"},
    {CleanTrigger::Tray, "tray"},           {CleanTrigger::Automatic, "automatic"},
    {CleanTrigger::Standby, "standby"},     {CleanTrigger::Console, "console"},
    {CleanTrigger::Hotkey, "hotkey"},
};
constexpr Names<CleanResult> kResults[] = {
    {CleanResult::Done, "done"}, {CleanResult::Refused, "refused"},
    {CleanResult::Stopped, "stopped"}, {CleanResult::Skipped, "skipped"},
};
constexpr Names<FollowUpEnd> kFollowUpEnds[] = {
    {FollowUpEnd::Minute, "minute"}, {FollowUpEnd::NextClean, "next-clean"},
    {FollowUpEnd::Exit, "exit"},     {FollowUpEnd::Gap, "gap"},
};
constexpr Names<CleaningMethod> kMethods[] = {
    {kFillAndRelease, "fill"},
    {kEmptyWorkingSets, "working-sets"},
    {kShrinkFileCache, "file-cache"},
    {kFlushModifiedList, "modified-list"},
    {kPurgeStandbyList, "standby-list"},
    {kPurgeLowPriorityStandby, "low-priority-standby"},
    {kCombinePages, "combine-pages"},
};

template <typename E, size_t N>
const char* NameOf(const Names<E> (&table)[N], E value)
{
    for (const auto& [known, name] : table)
        if (known == value)
            return name;
    return table[0].second;
}

template <typename E, size_t N>
std::optional<E> ValueOf(const Names<E> (&table)[N], std::string_view name)
{
    for (const auto& [known, word] : table)
        if (name == word)
            return known;
    return std::nullopt;
}

// The last column: a line that lacks it was cut short.
constexpr std::string_view kEndMark = "end";
constexpr size_t kColumns = kRecordFigures + 1;
constexpr size_t kColumnsBeforeFollowUp = 20; // lines written before the minute after was measured
constexpr size_t kLongestReason = 32;

std::string Text(const std::optional<uint64_t>& value) { return value ? std::to_string(*value) : std::string(); }
std::string Text(const std::optional<int64_t>& value) { return value ? std::to_string(*value) : std::string(); }
std::string Text(const std::optional<uint32_t>& value) { return value ? std::to_string(*value) : std::string(); }

template <typename T>
bool ParseWhole(std::string_view text, T& value, int base = 10)
{
    if (text.empty() || (text[0] == '-' && std::is_unsigned_v<T>))
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// An empty column is a figure that was not read.
template <typename T>
bool ParseOptional(std::string_view text, std::optional<T>& value)
{
    if (text.empty())
        return true;
    T number{};
    if (!ParseWhole(text, number))
        return false;
    value = number;
    return true;
}

bool ParseMethods(std::string_view text, std::vector<OperationResult>& methods)
{
    while (!text.empty()) {
        const size_t end = text.find(';');
        const std::string_view item = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (end != std::string_view::npos && text.empty())
            return false; // a trailing separator
        const size_t equals = item.find('='), slash = item.find('/');
        if (equals == std::string_view::npos)
            return false;
        const auto method = ValueOf(kMethods, item.substr(0, equals));
        uint32_t status = 0;
        if (slash != std::string_view::npos &&
            (item.size() - slash != 9 || !ParseWhole(item.substr(slash + 1), status, 16) || status == 0))
            return false;
        const std::string_view word = item.substr(equals + 1, slash == std::string_view::npos ? slash : slash - equals - 1);
        if (!method || word != OutcomeName(static_cast<int32_t>(status)))
            return false;
        methods.push_back({*method, static_cast<int32_t>(status)});
    }
    return true;
}

// The minute after: all of it or none of it, and nothing of it for a skipped clean.
bool ParseFollowUp(const std::string_view* columns, CleanRecord& record)
{
    if (columns[0].empty())
        return std::all_of(columns + 1, columns + 7, [](std::string_view column) { return column.empty(); });
    record.followUpEnd = ValueOf(kFollowUpEnds, columns[0]);
    std::optional<uint32_t>* rates[] = {&record.diskReadsBefore, &record.diskReadsAfter, &record.softFaultsBefore,
                                        &record.softFaultsAfter};
    bool wellFormed = record.followUpEnd && record.result != CleanResult::Skipped &&
                      ParseWhole(columns[1], record.followUpMs) && ParseOptional(columns[2], record.availAfterFollowUp);
    for (size_t i = 0; i < std::size(rates) && wellFormed; ++i)
        wellFormed = ParseOptional(columns[3 + i], *rates[i]);
    return wellFormed;
}

int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// "YYYY-MM-DD?hh:mm:ss" with `between` at the ?, then `tail`.
std::optional<LocalTime> ParseTime(std::string_view text, char between, std::string_view tail)
{
    if (text.size() != 19 + tail.size() || text.substr(19) != tail)
        return std::nullopt;
    const auto part = [&](size_t at, size_t length, int& value, int low, int high) {
        return ParseWhole(text.substr(at, length), value) && value >= low && value <= high;
    };
    LocalTime time;
    if (text[4] != '-' || text[7] != '-' || text[10] != between || text[13] != ':' || text[16] != ':' ||
        !part(0, 4, time.year, 1601, 9999) || !part(5, 2, time.month, 1, 12) ||
        !part(8, 2, time.day, 1, DaysInMonth(time.year, time.month)) || !part(11, 2, time.hour, 0, 23) ||
        !part(14, 2, time.minute, 0, 59) || !part(17, 2, time.second, 0, 59))
        return std::nullopt;
    time.dayOfWeek = static_cast<int>((DaysFromCivil(time.year, time.month, time.day) % 7 + 11) % 7);
    return time;
}

std::string TimeText(const LocalTime& time, char between, const char* tail)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d:%02d%s", time.year, time.month, time.day, between,
                  time.hour, time.minute, time.second, tail);
    return text;
}

bool IsReasonWord(std::string_view word)
{
    if (word.size() > kLongestReason)
        return false;
    for (char c : word)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'))
            return false;
    return true;
}

} // namespace

const char kRecordHeader[] =
    "startLocal,startUtc,trigger,mode,eighths,result,reason,methods,durationMs,availBytesBefore,availBytesAfter,"
    "pageFileBytesBefore,pageFileBytesAfter,standbyBytesBefore,standbyBytesAfter,modifiedBytesBefore,"
    "modifiedBytesAfter,freedMB,freedPages,followUpEnd,followUpMs,availBytesAfter60s,diskReadsPerMinBefore,"
    "diskReadsPerMinAfter,softFaultsPerMinBefore,softFaultsPerMinAfter,end";

bool CleanRecord::operator==(const CleanRecord& other) const
{
    const auto sameMethods = [&] {
        if (methods.size() != other.methods.size())
            return false;
        for (size_t i = 0; i < methods.size(); ++i)
            if (methods[i].method != other.methods[i].method || methods[i].status != other.methods[i].status)
                return false;
        return true;
    };
    return startLocal == other.startLocal && startUtc == other.startUtc && trigger == other.trigger &&
           result == other.result && reason == other.reason && growing == other.growing &&
           eighths == other.eighths && sameMethods() && durationMs == other.durationMs &&
           availBefore == other.availBefore && availAfter == other.availAfter &&
           pageFileBefore == other.pageFileBefore && pageFileAfter == other.pageFileAfter &&
           standbyBefore == other.standbyBefore && standbyAfter == other.standbyAfter &&
           modifiedBefore == other.modifiedBefore && modifiedAfter == other.modifiedAfter &&
           freedMB == other.freedMB && freedPages == other.freedPages && followUpEnd == other.followUpEnd &&
           followUpMs == other.followUpMs && availAfterFollowUp == other.availAfterFollowUp &&
           diskReadsBefore == other.diskReadsBefore && diskReadsAfter == other.diskReadsAfter &&
           softFaultsBefore == other.softFaultsBefore && softFaultsAfter == other.softFaultsAfter;
}

std::string MethodsText(const std::vector<OperationResult>& methods)
{
    std::string text;
    for (const OperationResult& method : methods) {
        if (!text.empty())
            text += ';';
        text += std::string(MethodName(method.method)) + "=" + OutcomeName(method.status);
        if (method.status != 0) {
            char status[16];
            std::snprintf(status, sizeof status, "/%08X", static_cast<unsigned>(method.status));
            text += status;
        }
    }
    return text;
}

const char* TriggerName(CleanTrigger trigger) { return NameOf(kTriggers, trigger); }
const char* ResultName(CleanResult result) { return NameOf(kResults, result); }
const char* MethodName(CleaningMethod method) { return NameOf(kMethods, method); }
const char* FollowUpEndName(FollowUpEnd end) { return NameOf(kFollowUpEnds, end); }

const char* OutcomeName(int32_t status)
{
    const std::string_view key = OutcomeTextKey(status);
    if (key == "MethodDone")
        return "done";
    if (key == "MethodNoPrivilege")
        return "refused";
    return key == "MethodNotSupported" ? "not-supported" : "failed";
}

CleanRecord RecordOfRun(const CleanMeasurement& measured, const RunOutcome& outcome, CleanTrigger trigger,
                        bool growing, int32_t eighths, bool stopped)
{
    CleanRecord record = RecordOfSkip(measured, trigger, {});
    record.result = stopped ? CleanResult::Stopped : outcome.AnyStepDone() ? CleanResult::Done : CleanResult::Refused;
    record.growing = growing;
    record.eighths = eighths;
    record.methods = outcome.results;
    if (outcome.classicStep)
        record.methods.push_back({kFillAndRelease, kStatusSuccess}); // the steps come after the operations
    if (outcome.listsSampled) {
        record.standbyBefore = outcome.listsBefore.standbyBytes;
        record.standbyAfter = outcome.listsAfter.standbyBytes;
        record.modifiedBefore = outcome.listsBefore.modifiedBytes;
        record.modifiedAfter = outcome.listsAfter.modifiedBytes;
    }
    if (measured.ended) {
        record.durationMs = measured.durationMs;
        record.availAfter = measured.after.availPhys;
        record.pageFileAfter = measured.after.availPageFile;
        const int32_t gained = measured.GainedMB();
        const CleanGain gain = GainBetween(measured.StatusBeforeRun(), measured.StatusAfterRun(), measured.pageSize);
        record.freedMB = gained;
        record.freedPages = gained < 0 ? -static_cast<int64_t>(gain.pages) : static_cast<int64_t>(gain.pages);
    }
    return record;
}

CleanRecord RecordOfSkip(const CleanMeasurement& measured, CleanTrigger trigger, std::string reason)
{
    CleanRecord record;
    record.startLocal = measured.startLocal;
    record.startUtc = measured.startUtc;
    record.trigger = trigger;
    record.result = CleanResult::Skipped;
    record.reason = std::move(reason);
    record.availBefore = measured.before.availPhys;
    record.pageFileBefore = measured.before.availPageFile;
    return record;
}

std::array<std::string, kRecordFigures> RecordColumns(const CleanRecord& record)
{
    const bool ran = record.result != CleanResult::Skipped;
    const bool followed = ran && record.followUpEnd; // a line that reads back as it was
    return {
        LocalTimeText(record.startLocal),
        UtcTimeText(record.startUtc),
        TriggerName(record.trigger),
        ran ? (record.growing ? "growing" : "step") : "",
        ran ? std::to_string(record.eighths) : "",
        ResultName(record.result),
        IsReasonWord(record.reason) ? record.reason : "unknown",
        MethodsText(record.methods),
        std::to_string(record.durationMs),
        Text(record.availBefore),
        Text(record.availAfter),
        Text(record.pageFileBefore),
        Text(record.pageFileAfter),
        Text(record.standbyBefore),
        Text(record.standbyAfter),
        Text(record.modifiedBefore),
        Text(record.modifiedAfter),
        Text(record.freedMB),
        Text(record.freedPages),
        followed ? FollowUpEndName(*record.followUpEnd) : "",
        followed ? std::to_string(record.followUpMs) : "",
        followed ? Text(record.availAfterFollowUp) : "",
        followed ? Text(record.diskReadsBefore) : "",
        followed ? Text(record.diskReadsAfter) : "",
        followed ? Text(record.softFaultsBefore) : "",
        followed ? Text(record.softFaultsAfter) : "",
    };
}

std::string FormatRecord(const CleanRecord& record)
{
    std::string line;
    for (const std::string& column : RecordColumns(record))
        line += column + ",";
    return line + std::string(kEndMark);
}

std::optional<CleanRecord> ParseRecord(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string_view columns[kColumns];
    size_t count = 0;
    for (size_t start = 0;; ++count) {
        const size_t comma = line.find(',', start);
        if (count == kColumns)
            return std::nullopt;
        columns[count] = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    const size_t present = count + 1;
    if ((present != kColumns && present != kColumnsBeforeFollowUp) || columns[count] != kEndMark)
        return std::nullopt;

    CleanRecord record;
    const auto local = ParseTime(columns[0], ' ', "");
    const auto utc = ParseTime(columns[1], 'T', "Z");
    const auto trigger = ValueOf(kTriggers, columns[2]);
    const auto result = ValueOf(kResults, columns[5]);
    if (!local || !utc || !trigger || !result || !IsReasonWord(columns[6]))
        return std::nullopt;
    record.startLocal = *local;
    record.startUtc = *utc;
    record.trigger = *trigger;
    record.result = *result;
    record.reason = columns[6];
    const bool ran = *result != CleanResult::Skipped;
    if (ran) {
        record.growing = columns[3] == "growing";
        if ((!record.growing && columns[3] != "step") || !ParseWhole(columns[4], record.eighths) ||
            record.eighths < 0 || record.eighths > 8)
            return std::nullopt;
    } else if (!columns[3].empty() || !columns[4].empty()) {
        return std::nullopt;
    }
    std::optional<uint64_t>* figures[] = {&record.availBefore, &record.availAfter, &record.pageFileBefore,
                                          &record.pageFileAfter, &record.standbyBefore, &record.standbyAfter,
                                          &record.modifiedBefore, &record.modifiedAfter};
    bool wellFormed = ParseMethods(columns[7], record.methods) && ParseWhole(columns[8], record.durationMs) &&
                      ParseOptional(columns[17], record.freedMB) && ParseOptional(columns[18], record.freedPages);
    for (size_t i = 0; i < std::size(figures) && wellFormed; ++i)
        wellFormed = ParseOptional(columns[9 + i], *figures[i]);
    if (!wellFormed || (present == kColumns && !ParseFollowUp(columns + kColumnsBeforeFollowUp - 1, record)))
        return std::nullopt;
    return record;
}

std::string LocalTimeText(const LocalTime& time) { return TimeText(time, ' ', ""); }

std::string UtcTimeText(const LocalTime& time) { return TimeText(time, 'T', "Z"); }

std::optional<LocalTime> ParseLocalTimeText(std::string_view text) { return ParseTime(text, ' ', ""); }

int64_t EpochSeconds(const LocalTime& time)
{
    return DaysFromCivil(time.year, time.month, time.day) * 86400 + time.hour * 3600 + time.minute * 60 + time.second;
}
