#include "history/history_file.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr std::string_view kBlockPrefix = "History-", kBlockSuffix = ".csv";
} // namespace

std::string BlockFileName(uint32_t number)
{
    char name[32];
    std::snprintf(name, sizeof name, "History-%06u.csv", static_cast<unsigned>(number));
    return name;
}

std::optional<uint32_t> BlockNumber(std::string_view fileName)
{
    if (fileName.size() <= kBlockPrefix.size() + kBlockSuffix.size() || !fileName.starts_with(kBlockPrefix) ||
        !fileName.ends_with(kBlockSuffix))
        return std::nullopt;
    const std::string_view digits =
        fileName.substr(kBlockPrefix.size(), fileName.size() - kBlockPrefix.size() - kBlockSuffix.size());
    if (digits.size() < 6 || digits.size() > 9 || !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    uint32_t number = 0;
    for (char c : digits)
        number = number * 10 + static_cast<uint32_t>(c - '0');
    return number == 0 ? std::nullopt : std::optional<uint32_t>(number);
}

NewestBlock DescribeBlock(uint32_t number, std::string_view bytes)
{
    NewestBlock block;
    block.number = number;
    block.bytes = bytes.size();
    block.lines = static_cast<size_t>(std::ranges::count(bytes, '\n'));
    block.endsWithBreak = bytes.empty() || bytes.back() == '\n';
    const std::string_view header = kRecordHeader;
    block.currentHeader = bytes.empty() || (bytes.starts_with(header) && bytes.substr(header.size()).starts_with("\n"));
    return block;
}

AppendPlan PlanAppend(std::vector<uint32_t> blocks, const std::optional<NewestBlock>& newest, size_t lineBytes)
{
    std::ranges::sort(blocks);
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    AppendPlan plan;
    if (!blocks.empty() && newest && newest->number == blocks.back()) {
        plan.breakFirst = !newest->endsWithBreak;
        const uint64_t after = newest->bytes + (plan.breakFirst ? 1 : 0) + lineBytes;
        if (newest->lines < kBlockLines && after <= kBlockBytes && newest->currentHeader) {
            plan.block = newest->number;
            plan.newBlock = false;
            return plan;
        }
    }
    plan.breakFirst = false; // a new block begins with its header
    plan.block = blocks.empty() ? 1 : blocks.back() + 1;
    const size_t keep = kBlocksKept - 1; // beside the new one
    if (blocks.size() > keep)
        plan.drop.assign(blocks.begin(), blocks.end() - static_cast<std::ptrdiff_t>(keep));
    return plan;
}

std::vector<CleanRecord> ReadBlock(std::string_view bytes, bool fromMiddle)
{
    std::vector<CleanRecord> records;
    size_t start = 0;
    if (fromMiddle) {
        const size_t first = bytes.find('\n');
        start = first == std::string_view::npos ? bytes.size() : first + 1;
    }
    for (size_t end; (end = bytes.find('\n', start)) != std::string_view::npos; start = end + 1)
        if (auto record = ParseRecord(bytes.substr(start, end - start)))
            records.push_back(std::move(*record));
    return records;
}

std::vector<CleanRecord> SelectRecords(std::vector<CleanRecord> oldestFirst, const HistorySelection& selection)
{
    // A clean's record waits for its minute after, so a skip decided meanwhile may come before it.
    std::ranges::stable_sort(oldestFirst, {}, [](const CleanRecord& record) { return EpochSeconds(record.startUtc); });
    std::vector<CleanRecord> chosen;
    for (auto it = oldestFirst.rbegin(); it != oldestFirst.rend(); ++it) {
        if (selection.limit && chosen.size() >= *selection.limit)
            break;
        if (!selection.since || EpochSeconds(it->startLocal) >= EpochSeconds(*selection.since))
            chosen.push_back(std::move(*it));
    }
    return chosen;
}

std::optional<LocalTime> ParseDate(std::string_view text)
{
    if (text.size() != 10)
        return std::nullopt;
    return ParseLocalTimeText(std::string(text) + " 00:00:00");
}
