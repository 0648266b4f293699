#include "app/cleaning/memory_map_texts.h"

#include "common/spoken_text.h"
#include "memory/memory_status.h"

namespace {

// The bar's parts by MapPart.
constexpr const char* kPartKeys[kMapParts] = {"MemoryMapPrograms",    "MemoryMapSystemCache", "MemoryMapNonPagedPool",
                                              "MemoryMapCompression", "MemoryMapModified",    "MemoryMapStandby",
                                              "MemoryMapFree",        "MemoryMapZeroed"};

} // namespace

std::string MegabytesText(Bytes bytes, const TextLookup& text)
{
    if (!bytes)
        return text("MemoryMapNotAvailable");
    return FillPlaceholders(text("MemoryMapMegabytes"), {std::to_string(NearestMB(*bytes))});
}

std::vector<MemoryMapRow> MemoryMapRows(const MemoryMap& map, const TextLookup& text)
{
    std::vector<MemoryMapRow> rows;
    const std::array<Bytes, kMapParts> parts = BarParts(map);
    const auto add = [&](int indent, const std::string& label, Bytes bytes, int part = -1) {
        rows.push_back({indent, part, label, MegabytesText(bytes, text)});
    };
    const auto heading = [&](const char* key) { rows.push_back({0, -1, text(key), ""}); };
    const auto addPart = [&](int indent, MapPart part) {
        const auto index = static_cast<size_t>(part);
        // The part's colour only where the bar draws it.
        add(indent, text(kPartKeys[index]), parts[index], parts[index] ? static_cast<int>(index) : -1);
    };
    add(0, text("MemoryMapInstalled"), map.installed);
    add(0, text("MemoryMapTotal"), map.total);

    const std::optional<ProgramsSummary> programs = SummarisePrograms(map);
    // Whole working sets are no part of the bar: they count shared pages again in each program.
    const bool privateSets = programs && programs->privateSets;
    rows.push_back({0, privateSets ? static_cast<int>(MapPart::Programs) : -1,
                    text(privateSets ? "MemoryMapPrograms" : "MemoryMapProgramsWhole"),
                    MegabytesText(programs ? Bytes(programs->total) : std::nullopt, text)});
    if (programs) {
        for (const auto& [name, bytes] : programs->largest)
            add(1, name, bytes);
        if (programs->restCount > 0)
            add(1, FillPlaceholders(text("MemoryMapProgramsRest"), {std::to_string(programs->restCount)}), programs->rest);
    }
    if (map.programsNotMeasured > 0)
        rows.push_back({1, -1, text("MemoryMapNotMeasured"), std::to_string(map.programsNotMeasured)});

    heading("MemoryMapSharedKernel");
    addPart(1, MapPart::SystemCache);
    add(1, text("MemoryMapPagedPool"), map.pagedPool);
    addPart(1, MapPart::NonPagedPool);
    addPart(1, MapPart::CompressionStore);

    heading("MemoryMapLists");
    addPart(1, MapPart::Modified);
    addPart(1, MapPart::Standby);
    if (map.lists)
        for (size_t i = 0; i < kStandbyPriorities; ++i)
            add(2, FillPlaceholders(text("MemoryMapPriority"), {std::to_string(i)}), map.lists->standbyByPriority[i]);
    addPart(1, MapPart::Free);
    addPart(1, MapPart::Zeroed);

    heading("MemoryMapReach");
    for (const MethodReach& reach : MethodReaches(map))
        add(1, WithoutMnemonic(text(MethodNameKey(reach.method))), reach.bytes);
    return rows;
}

std::string BarDescription(const MemoryMap& map, const TextLookup& text)
{
    const std::array<Bytes, kMapParts> parts = BarParts(map);
    std::string description;
    for (size_t i = 0; i < kMapParts; ++i)
        description += (description.empty() ? "" : "; ") + text(kPartKeys[i]) + ": " + MegabytesText(parts[i], text);
    return description;
}
