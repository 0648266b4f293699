#pragma once
// The history's files: numbered blocks of at most 1 000 lines and 200 KB, of which the newest five
// are kept, so that the history holds the newest 5 000 records or 1 MB at most. A record goes to
// the end of the newest block, or starts the next one, when the oldest goes. Nothing already
// written is ever written again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/clean_record.h"

constexpr size_t kBlockLines = 1000;
constexpr uint64_t kBlockBytes = 200 * 1024;
constexpr size_t kBlocksKept = 5;
// Read from a block's end at most: no block the program wrote is larger.
constexpr uint64_t kBlockReadLimit = 1 << 20;

constexpr char kBlockPattern[] = "History-*.csv";
// "History-000001.csv"; the number of such a name, when it is one.
std::string BlockFileName(uint32_t number);
std::optional<uint32_t> BlockNumber(std::string_view fileName);

struct NewestBlock {
    uint32_t number = 0;
    uint64_t bytes = 0;
    size_t lines = 0;         // line breaks
    bool endsWithBreak = true; // false: its last line was cut short
    bool currentHeader = true; // it begins with this version's header, so its lines have its columns
};
NewestBlock DescribeBlock(uint32_t number, std::string_view bytes);

// Where one line goes: the block, whether a break comes first (so that a line cut short stays a
// line of its own), whether the block is new (it starts with the header) and which blocks go. A
// block begun by an earlier version with fewer columns is left as it is, for whatever reads it.
struct AppendPlan {
    uint32_t block = 1;
    bool newBlock = true;
    bool breakFirst = false;
    std::vector<uint32_t> drop;
};
// blocks: the numbers present; newest: the highest, described, unless it could not be read.
AppendPlan PlanAppend(std::vector<uint32_t> blocks, const std::optional<NewestBlock>& newest, size_t lineBytes);

// The records of one block's whole, well-formed lines, in file order; the part after the last
// break was cut short and is skipped. fromMiddle: the bytes begin inside a line, also skipped.
std::vector<CleanRecord> ReadBlock(std::string_view bytes, bool fromMiddle = false);

// Newest first by their start: the records that began on or after `since` (local time), at most
// `limit`.
struct HistorySelection {
    std::optional<LocalTime> since;
    std::optional<size_t> limit;
};
std::vector<CleanRecord> SelectRecords(std::vector<CleanRecord> oldestFirst, const HistorySelection& selection);
// "YYYY-MM-DD": the first second of that day.
std::optional<LocalTime> ParseDate(std::string_view text);
