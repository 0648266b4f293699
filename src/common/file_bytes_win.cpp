#include "common/file_bytes_win.h"

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>

#include "win32/handles.h"

namespace {

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

// A new file beside `path` under a name no one else has: created exclusively, so that nothing
// planted under any name (a file, a link) is ever opened, let alone written through.
win32::UniqueFileHandle CreateTemporaryBeside(const std::string& path, std::string& temporary)
{
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%lx-%llx.tmp", GetCurrentProcessId(),
                      static_cast<unsigned long long>(now.QuadPart) * 0x9E3779B97F4A7C15ull + attempt);
        temporary = path + suffix;
        win32::UniqueFileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS))
            return file;
    }
    return {};
}

// ReplaceFile keeps the original's access list, attributes and identity. Without an original there
// is nothing to keep, and a file that appears meanwhile is not overwritten.
bool PutInPlace(const std::string& temporary, const std::string& path)
{
    if (ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND
           && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
}

// Owned by the administrators, nothing inherited: the rewrite keeps the list it finds, so it is set
// again after each one.
void KeepToAdministrators(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("O:BAD:P(A;;FA;;;SY)(A;;FA;;;BA)", SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    PSID owner = nullptr;
    if (GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) &&
        GetSecurityDescriptorOwner(descriptor, &owner, &defaulted))
        SetNamedSecurityInfoA(const_cast<char*>(path.c_str()), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              owner, nullptr, dacl, nullptr);
    LocalFree(descriptor);
}

} // namespace

FileRead ReadOpenFile(HANDLE file, std::string& bytes)
{
    bytes.clear();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0
        || static_cast<unsigned long long>(size.QuadPart) > bytes.max_size())
        return FileRead::Unreadable;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr))
            return FileRead::Unreadable;
        if (got == 0)
            break; // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return FileRead::Ok;
}

FileRead ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return FileRead::Missing;
    win32::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? ReadOpenFile(file.get(), bytes) : FileRead::Unreadable;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, FileAccess access)
{
    std::string temporary;
    bool written = false;
    {
        win32::UniqueFileHandle file = CreateTemporaryBeside(path, temporary);
        if (!file)
            return false;
        written = WriteAll(file.get(), bytes);
    }
    if (written && PutInPlace(temporary, path)) {
        if (access == FileAccess::AdministratorsOnly)
            KeepToAdministrators(path);
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}
