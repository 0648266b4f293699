#include "common/program_identity_win.h"

#include "win32/handles.h"

namespace {

std::optional<std::string> FinalPathOfHandle(HANDLE file)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetFinalPathNameByHandleA(file, path.data(), static_cast<DWORD>(path.size()),
                                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return std::nullopt;
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(n + 1); // n: the size needed, its zero included
    }
}

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

} // namespace

std::optional<std::string> FinalPathOf(const std::string& path)
{
    // Attributes only: a running program's file can be opened this way, a folder too.
    win32::UniqueFileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return std::nullopt;
    return FinalPathOfHandle(file.get());
}

std::optional<std::string> ProcessProgramPath(HANDLE process)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameA(process, 0, path.data(), &n)) {
            path.resize(n);
            return FinalPathOf(path);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768)
            return std::nullopt;
        path.resize(path.size() * 2);
    }
}

bool SameProgramFile(const std::string& finalA, const std::string& finalB)
{
    const std::wstring a = Wide(finalA), b = Wide(finalB);
    return !a.empty() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool ProcessRunsProgram(DWORD processId, const std::string& finalPath)
{
    win32::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    const std::optional<std::string> program = ProcessProgramPath(process.get());
    return program && SameProgramFile(*program, finalPath);
}
