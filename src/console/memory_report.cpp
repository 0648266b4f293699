#include "console/memory_report.h"

#include <cstdio>

#include "console/console_report.h"
#include "console/json_object.h"
#include "memory/memory_status.h"
#include "history/clean_record.h"

namespace console {
namespace {

std::string Line(const std::string& title, const std::string& value)
{
    char line[256];
    std::snprintf(line, sizeof line, "%-30s %14s\n", title.c_str(), value.c_str());
    return line;
}

std::string Megabytes(Bytes bytes)
{
    return bytes ? std::to_string(NearestMB(*bytes)) + " MB" : "not available";
}

} // namespace

std::string MemoryText(const MemoryMap& map)
{
    std::string text = Line("Installed memory", Megabytes(map.installed)) + Line("Usable by Windows", Megabytes(map.total));
    const std::optional<ProgramsSummary> programs = SummarisePrograms(map);
    if (!programs) {
        text += Line("Programs", Megabytes(std::nullopt));
    } else {
        text += Line(programs->privateSets ? "Programs (private sets)" : "Programs (whole sets)", Megabytes(programs->total));
        for (const auto& [name, bytes] : programs->largest)
            text += Line("  " + name, Megabytes(bytes));
        if (programs->restCount > 0)
            text += Line("  " + std::to_string(programs->restCount) + " other programs", Megabytes(programs->rest));
    }
    if (map.programsNotMeasured > 0)
        text += Line("  not measured", std::to_string(map.programsNotMeasured) + " programs");
    text += Line("System cache", Megabytes(map.systemCache)) + Line("Paged pool", Megabytes(map.pagedPool)) +
            Line("Non-paged pool", Megabytes(map.nonPagedPool)) +
            Line("Compression store", Megabytes(map.compressionStore)) +
            Line("Modified list", Megabytes(ListFigure(map, &MemoryLists::modified))) +
            Line("Standby list", Megabytes(StandbyFigure(map)));
    if (map.lists)
        for (size_t i = 0; i < kStandbyPriorities; ++i)
            text += Line("  priority " + std::to_string(i), Megabytes(map.lists->standbyByPriority[i]));
    text += Line("Free list", Megabytes(ListFigure(map, &MemoryLists::free))) +
            Line("Zeroed list", Megabytes(ListFigure(map, &MemoryLists::zeroed))) + "Each method could take now:\n";
    for (const MethodReach& reach : MethodReaches(map))
        text += Line(std::string("  ") + MethodName(reach.method), Megabytes(reach.bytes));
    return text;
}

std::string MemoryJson(const MemoryMap& map)
{
    JsonObject json;
    json.Add("command", "memory").Add("result", ResultName(ExitCode::Done));
    json.Add("installedBytes", map.installed).Add("totalBytes", map.total);
    std::optional<JsonObject> programsJson;
    if (const std::optional<ProgramsSummary> programs = SummarisePrograms(map)) {
        std::vector<JsonObject> largest;
        for (const auto& [name, bytes] : programs->largest)
            largest.push_back(JsonObject().Add("name", name).Add("bytes", bytes));
        programsJson = JsonObject()
                           .Add("measure", programs->privateSets ? "private-working-set" : "working-set")
                           .Add("totalBytes", programs->total)
                           .Add("largest", largest)
                           .Add("restBytes", programs->rest)
                           .Add("restCount", uint64_t{programs->restCount});
    }
    json.Add("programs", programsJson).Add("programsNotMeasured", int64_t{map.programsNotMeasured});
    json.Add("systemCacheBytes", map.systemCache).Add("pagedPoolBytes", map.pagedPool);
    json.Add("nonPagedPoolBytes", map.nonPagedPool).Add("compressionStoreBytes", map.compressionStore);
    json.Add("modifiedBytes", ListFigure(map, &MemoryLists::modified)).Add("standbyBytes", StandbyFigure(map));
    std::optional<std::vector<uint64_t>> priorities;
    if (map.lists)
        priorities.emplace(map.lists->standbyByPriority.begin(), map.lists->standbyByPriority.end());
    json.Add("standbyByPriorityBytes", priorities);
    json.Add("freeBytes", ListFigure(map, &MemoryLists::free)).Add("zeroedBytes", ListFigure(map, &MemoryLists::zeroed));
    std::vector<JsonObject> reaches;
    for (const MethodReach& reach : MethodReaches(map))
        reaches.push_back(JsonObject().Add("method", MethodName(reach.method)).Add("bytes", reach.bytes));
    json.Add("reach", reaches);
    return json.Text() + "\n";
}

} // namespace console
