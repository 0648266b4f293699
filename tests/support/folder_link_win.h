#pragma once
// A link to a folder, as a plain user could make one, removed again when it goes. Wine makes
// neither junctions nor symbolic links (CreateSymbolicLink reports success and makes nothing) but
// reports a Unix link to a folder as a reparse point, and removes one only as Unix does: the link
// is made with ln and removed with rm, between the Unix paths Wine maps both to.
#include <windows.h>

#include <string>

#include "support/child_process_win.h"

namespace testing_support {

// The Unix path Wine maps a Windows path to; empty outside Wine.
inline std::string UnixPath(const std::string& path)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(std::wstring(path.begin(), path.end()).c_str()) : nullptr;
    const std::string text = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return text;
}

class FolderLink {
public:
    FolderLink(const std::string& link, const std::string& target) : link_(link), unixLink_(UnixPath(link))
    {
        Run("ln -s " + UnixPath(target) + " " + unixLink_, "Z:\\bin\\ln", true);
    }
    ~FolderLink() { Run("rm " + unixLink_, "Z:\\bin\\rm", false); }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

private:
    // Wine starts a Unix program without a process handle to wait on: this waits for its effect.
    void Run(const std::string& command, const char* program, bool linked) const
    {
        const ChildProcess child(command, 0, program);
        for (int i = 0; i < 500 && (GetFileAttributesA(link_.c_str()) != INVALID_FILE_ATTRIBUTES) != linked; ++i)
            Sleep(20);
    }

    std::string link_, unixLink_;
};

} // namespace testing_support
