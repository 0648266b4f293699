#pragma once
// What `tidewellc history` prints: one line per record for people, or one JSON array of objects
// with the record's fields, numbers as numbers and null where a figure was not read.
#include <string>
#include <vector>

#include "common/protected_place.h"
#include "history/clean_record.h"

namespace console {

std::string HistoryText(const std::vector<CleanRecord>& newestFirst);
std::string HistoryJson(const std::vector<CleanRecord>& newestFirst);
// Why nothing was read from a history folder that is not kept as Tidewell keeps it.
std::string HistoryRefusal(const std::string& folder, PlaceVerdict verdict);

} // namespace console
