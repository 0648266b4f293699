#include "common/file_bytes.h"

#include <windows.h>

#include <algorithm>

#include "win32/handles.h"

namespace {

std::string TemporaryBeside(const std::string& path) { return path + ".new"; }

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

} // namespace

FileRead ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return FileRead::Missing;
    win32::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0
        || static_cast<unsigned long long>(size.QuadPart) > bytes.max_size())
        return FileRead::Unreadable;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr))
            return FileRead::Unreadable;
        if (got == 0)
            break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return FileRead::Ok;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes)
{
    const std::string temporary = TemporaryBeside(path);
    bool written = false;
    {
        win32::UniqueFileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file && WriteAll(file.get(), bytes);
    }
    if (written
        && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary.c_str());
    return false;
}
