#include "history/history_store_win.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "common/file_bytes.h"
#include "common/protected_place_win.h"
#include "history/history_file.h"
#include "win32/handles.h"

namespace {

// Owned by the Administrators group; they and SYSTEM may change the folder and what is in it,
// users may read both. Protected: nothing of the common folder's own list comes down, since it
// lets every user add files.
constexpr char kFolderAccess[] = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

struct BlockFile {
    uint32_t number;
    uint64_t bytes;
};

std::string BlockPath(const std::string& folder, uint32_t number) { return folder + "\\" + BlockFileName(number); }

// The blocks in the folder, lowest number first; nothing when the folder cannot be listed (a
// folder that is not there holds none).
std::optional<std::vector<BlockFile>> ListBlocks(const std::string& folder)
{
    std::vector<BlockFile> blocks;
    WIN32_FIND_DATAA found{};
    win32::UniqueFind find(FindFirstFileA((folder + "\\" + kBlockPattern).c_str(), &found));
    if (!find) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return blocks;
        return std::nullopt;
    }
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        if (const auto number = BlockNumber(found.cFileName))
            blocks.push_back({*number, (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
    } while (FindNextFileA(find.get(), &found));
    std::ranges::sort(blocks, {}, &BlockFile::number);
    return blocks;
}

// At most `limit` bytes from the file's end; fromMiddle tells whether that cut a line.
bool ReadTail(const std::string& path, uint64_t limit, std::string& bytes, bool& fromMiddle)
{
    win32::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return false;
    const uint64_t total = static_cast<uint64_t>(size.QuadPart);
    const uint64_t take = std::min(total, limit);
    fromMiddle = take < total;
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(total - take);
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN))
        return false;
    bytes.resize(static_cast<size_t>(take));
    size_t done = 0;
    DWORD got = 0;
    while (done < bytes.size() && ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) && got > 0)
        done += got;
    bytes.resize(done);
    return done == take;
}

bool CreateProtectedFolder(const std::string& folder)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kFolderAccess, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool made = CreateDirectoryA(folder.c_str(), &attributes) || GetLastError() == ERROR_ALREADY_EXISTS;
    LocalFree(descriptor);
    return made;
}

} // namespace

std::string HistoryFolder()
{
    char common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)) || !common[0])
        return {};
    return std::string(common) + "\\Tidewell";
}

HistoryRead ReadHistory(const std::string& folder)
{
    HistoryRead read;
    if (!folder.empty() && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const PlaceVerdict place = CheckPlace(BlockPath(folder, 1)).verdict;
        if (place != PlaceVerdict::Protected) {
            read.refused = place;
            return read;
        }
    }
    std::optional<std::vector<BlockFile>> blocks = folder.empty() ? std::nullopt : ListBlocks(folder);
    if (!blocks) {
        read.unreadable = true;
        return read;
    }
    if (blocks->size() > kBlocksKept) // blocks the program would have dropped
        blocks->erase(blocks->begin(), blocks->end() - kBlocksKept);
    for (const BlockFile& block : *blocks) {
        std::string bytes;
        bool fromMiddle = false;
        if (!ReadTail(BlockPath(folder, block.number), kBlockReadLimit, bytes, fromMiddle)) {
            read.unreadable = true;
            continue;
        }
        std::vector<CleanRecord> records = ReadBlock(bytes, fromMiddle);
        read.records.insert(read.records.end(), std::make_move_iterator(records.begin()),
                            std::make_move_iterator(records.end()));
    }
    return read;
}

bool HistoryWriter::Append(const CleanRecord& record)
{
    const bool kept = FolderReady() && Write(FormatRecord(record) + "\n");
    failed_ = failed_ || !kept;
    return kept;
}

bool HistoryWriter::TakeProblemToTell()
{
    if (!failed_ || told_)
        return false;
    told_ = true;
    return true;
}

bool HistoryWriter::FolderReady()
{
    // Decided once: anything a user could change here would be written by an elevated program.
    if (state_ == FolderState::Unchecked) {
        const bool present = !folder_.empty() && (GetFileAttributesA(folder_.c_str()) != INVALID_FILE_ATTRIBUTES ||
                                                  CreateProtectedFolder(folder_));
        const PlaceVerdict place = present ? CheckPlace(BlockPath(folder_, 1)).verdict : PlaceVerdict::Unreadable;
        state_ = place == PlaceVerdict::Protected ? FolderState::Ready : FolderState::Refused;
        if (state_ == FolderState::Refused)
            refusal_ = place;
    }
    return state_ == FolderState::Ready;
}

bool HistoryWriter::Write(const std::string& line) const
{
    const std::optional<std::vector<BlockFile>> blocks = ListBlocks(folder_);
    if (!blocks)
        return false;
    std::vector<uint32_t> numbers;
    for (const BlockFile& block : *blocks)
        numbers.push_back(block.number);
    std::optional<NewestBlock> newest;
    if (!blocks->empty() && blocks->back().bytes < kBlockBytes) {
        std::string bytes;
        if (ReadFileBytes(BlockPath(folder_, blocks->back().number), bytes) == FileRead::Ok)
            newest = DescribeBlock(blocks->back().number, bytes);
    }
    const AppendPlan plan = PlanAppend(numbers, newest, line.size());
    for (uint32_t old : plan.drop)
        DeleteFileA(BlockPath(folder_, old).c_str());
    std::string text = plan.breakFirst ? "\n" : "";
    if (plan.newBlock)
        text += std::string(kRecordHeader) + "\n";
    text += line;
    // Append access only: the system itself puts every write at the end.
    win32::UniqueFileHandle file(CreateFileA(BlockPath(folder_, plan.block).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size() && FlushFileBuffers(file.get());
}
