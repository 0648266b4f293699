#pragma once
// What `tidewellc history` prints: one line per record for people, or one JSON array of objects
// with the record's fields, numbers as numbers and null where a figure was not read.
#include <string>
#include <vector>

#include "history/clean_record.h"

namespace console {

std::string HistoryText(const std::vector<CleanRecord>& newestFirst);
std::string HistoryJson(const std::vector<CleanRecord>& newestFirst);

} // namespace console
