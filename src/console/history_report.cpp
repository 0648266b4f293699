#include "console/history_report.h"

#include <cstdio>

#include "console/json_object.h"
#include "history/clean_follow_up.h"

namespace console {
namespace {

std::string Line(const std::string& time, const std::string& trigger, const std::string& result,
                 const std::string& freed, const std::string& took, const std::string& detail)
{
    char line[256];
    std::snprintf(line, sizeof line, "%-19s  %-9s  %-8s %9s %9s  ", time.c_str(), trigger.c_str(), result.c_str(),
                  freed.c_str(), took.c_str());
    return line + detail + "\n";
}

std::string Freed(const CleanRecord& record)
{
    if (!record.freedMB)
        return {};
    std::string freed = *record.freedMB > 0 ? "+" : "";
    return freed + std::to_string(*record.freedMB) + " MB";
}

std::string Took(const CleanRecord& record)
{
    if (record.result == CleanResult::Skipped)
        return {};
    char took[32];
    std::snprintf(took, sizeof took, "%.1f s", record.durationMs / 1000.0);
    return took;
}

std::string Detail(const CleanRecord& record)
{
    if (record.result == CleanResult::Skipped)
        return "reason: " + record.reason;
    const std::string shape = record.growing ? std::to_string(record.eighths) + " growing steps"
                                             : "one step of " + std::to_string(record.eighths) + " eighths";
    std::string detail = shape + "; " + MethodsText(record.methods);
    if (const auto share = ShareBackPercent(record))
        detail += "; " + std::to_string(*share) + " % back in " + std::to_string(record.followUpMs / 1000) + " s";
    if (const auto factor = DiskReadsFactor(record)) {
        char reads[48];
        std::snprintf(reads, sizeof reads, "; disk reads x%.1f", *factor);
        detail += reads;
    }
    return detail;
}

std::optional<int64_t> Wide(const std::optional<uint32_t>& value)
{
    return value ? std::optional<int64_t>(*value) : std::nullopt;
}

JsonObject Json(const CleanRecord& record)
{
    const bool ran = record.result != CleanResult::Skipped;
    std::vector<JsonObject> methods;
    for (const OperationResult& method : record.methods) {
        std::optional<std::string> status;
        if (method.status != 0) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(method.status));
            status = code;
        }
        methods.push_back(
            JsonObject().Add("method", MethodName(method.method)).Add("outcome", OutcomeName(method.status)).Add("status", status));
    }
    const auto some = [](const std::string& text) { return text.empty() ? std::nullopt : std::optional<std::string>(text); };
    return JsonObject()
        .Add("startLocal", LocalTimeText(record.startLocal))
        .Add("startUtc", UtcTimeText(record.startUtc))
        .Add("trigger", TriggerName(record.trigger))
        .Add("mode", ran ? std::optional<std::string>(record.growing ? "growing" : "step") : std::nullopt)
        .Add("eighths", ran ? std::optional<int64_t>(record.eighths) : std::nullopt)
        .Add("result", ResultName(record.result))
        .Add("reason", some(record.reason))
        .Add("methods", methods)
        .Add("durationMs", int64_t{record.durationMs})
        .Add("availBytesBefore", record.availBefore)
        .Add("availBytesAfter", record.availAfter)
        .Add("pageFileBytesBefore", record.pageFileBefore)
        .Add("pageFileBytesAfter", record.pageFileAfter)
        .Add("standbyBytesBefore", record.standbyBefore)
        .Add("standbyBytesAfter", record.standbyAfter)
        .Add("modifiedBytesBefore", record.modifiedBefore)
        .Add("modifiedBytesAfter", record.modifiedAfter)
        .Add("freedMB", record.freedMB)
        .Add("freedPages", record.freedPages)
        .Add("followUpEnd", record.followUpEnd ? std::optional<std::string>(FollowUpEndName(*record.followUpEnd)) : std::nullopt)
        .Add("followUpMs", record.followUpEnd ? std::optional<int64_t>(record.followUpMs) : std::nullopt)
        .Add("availBytesAfter60s", record.availAfterFollowUp)
        .Add("diskReadsPerMinBefore", Wide(record.diskReadsBefore))
        .Add("diskReadsPerMinAfter", Wide(record.diskReadsAfter))
        .Add("softFaultsPerMinBefore", Wide(record.softFaultsBefore))
        .Add("softFaultsPerMinAfter", Wide(record.softFaultsAfter))
        .Add("backWithinMinutePercent", ShareBackPercent(record));
}

} // namespace

std::string HistoryText(const std::vector<CleanRecord>& newestFirst)
{
    if (newestFirst.empty())
        return "No cleans recorded.\n";
    std::string text = Line("Started", "By", "Result", "Freed", "Took", "What ran");
    for (const CleanRecord& record : newestFirst)
        text += Line(LocalTimeText(record.startLocal), TriggerName(record.trigger), ResultName(record.result),
                     Freed(record), Took(record), Detail(record));
    return text;
}

std::string HistoryJson(const std::vector<CleanRecord>& newestFirst)
{
    std::vector<JsonObject> records;
    for (const CleanRecord& record : newestFirst)
        records.push_back(Json(record));
    return JsonObject::JsonArray(records, "\n") + "\n";
}

std::string HistoryRefusal(const std::string& folder, PlaceVerdict verdict)
{
    const char* why = "its access list could not be read whole";
    switch (verdict) {
    case PlaceVerdict::NetworkPath: why = "it lies on a network share"; break;
    case PlaceVerdict::NotFixedDrive: why = "it is not on a fixed local disk"; break;
    case PlaceVerdict::ThroughLink: why = "its path runs through a link that could be re-pointed"; break;
    case PlaceVerdict::UsersMayChange: why = "users other than administrators can change it"; break;
    case PlaceVerdict::Unreadable:
    case PlaceVerdict::Protected: break;
    }
    return "the cleaning history is not kept in " + folder + ", so nothing is read from it: " + why +
           " (delete the folder and Tidewell makes it again)";
}

} // namespace console
