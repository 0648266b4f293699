#include "app/single_copy_win.h"

#include <sddl.h>
#include <tlhelp32.h>

#include <optional>
#include <string>
#include <vector>

#include "app/settings/settings_win.h"
#include "common/account_win.h"
#include "common/program_identity_win.h"
#include "win32/program_name.h"

namespace {

template <typename Fn>
Fn Kernel32(const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

std::vector<uint8_t> SidBytes(const char* text)
{
    PSID sid = nullptr;
    if (!ConvertStringSidToSidA(text, &sid))
        return {};
    std::vector<uint8_t> bytes(static_cast<const uint8_t*>(sid), static_cast<const uint8_t*>(sid) + GetLengthSid(sid));
    LocalFree(sid);
    return bytes;
}

// The namespace "Tidewell" bound to this user, the administrators and high integrity; null where
// the system cannot make one (before Windows 7, Wine) or this process does not meet the boundary.
HANDLE OpenOwnNamespace()
{
    const auto createBoundary = Kernel32<HANDLE(WINAPI*)(LPCWSTR, ULONG)>("CreateBoundaryDescriptorW");
    const auto addSid = Kernel32<BOOL(WINAPI*)(HANDLE*, PSID)>("AddSIDToBoundaryDescriptor");
    const auto addLabel = Kernel32<BOOL(WINAPI*)(HANDLE*, PSID)>("AddIntegrityLabelToBoundaryDescriptor");
    const auto deleteBoundary = Kernel32<VOID(WINAPI*)(HANDLE)>("DeleteBoundaryDescriptor");
    const auto createNamespace = Kernel32<HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR)>("CreatePrivateNamespaceW");
    const auto openNamespace = Kernel32<HANDLE(WINAPI*)(LPVOID, LPCWSTR)>("OpenPrivateNamespaceW");
    if (!createBoundary || !addSid || !addLabel || !deleteBoundary || !createNamespace || !openNamespace)
        return nullptr;
    // Wine answers null here and has the rest only as stubs that must not be called.
    HANDLE boundary = createBoundary(L"Tidewell", 0);
    if (!boundary)
        return nullptr;
    std::vector<uint8_t> user = SidBytes(OwnUserSid().c_str()), admins = SidBytes("S-1-5-32-544"),
                         high = SidBytes("S-1-16-12288");
    HANDLE space = nullptr;
    if (!user.empty() && !admins.empty() && !high.empty() && addSid(&boundary, user.data()) &&
        addSid(&boundary, admins.data()) && addLabel(&boundary, high.data())) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;GA;;;BA)(A;;GA;;;SY)", SDDL_REVISION_1,
                                                                 &descriptor, nullptr)) {
            SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
            space = createNamespace(&attributes, boundary, L"Tidewell");
            if (!space && GetLastError() == ERROR_ALREADY_EXISTS)
                space = openNamespace(boundary, L"Tidewell");
            LocalFree(descriptor);
        }
    }
    deleteBoundary(boundary);
    return space;
}

std::optional<std::string> OwnProgramFile() { return FinalPathOf(ProgramPath()); }

bool RunsOwnProgram(DWORD processId, const std::optional<std::string>& program)
{
    return processId != GetCurrentProcessId() && program && ProcessRunsProgram(processId, *program);
}

} // namespace

InstanceMark::InstanceMark() : namespace_(OpenOwnNamespace())
{
    if (namespace_)
        mutex_.reset(CreateMutexW(nullptr, FALSE, L"Tidewell\\Kelvane III Mutex"));
    else
        mutex_.reset(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
    heldBefore_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

InstanceMark::~InstanceMark()
{
    mutex_.reset();
    if (const auto close = Kernel32<BOOLEAN(WINAPI*)(HANDLE, ULONG)>("ClosePrivateNamespace"); close && namespace_)
        close(namespace_, 0);
}

bool AnotherCopyRuns()
{
    const std::optional<std::string> program = OwnProgramFile();
    win32::UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!program || !snapshot)
        return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        if (RunsOwnProgram(entry.th32ProcessID, program))
            return true;
    return false;
}

HWND RunningCopyWindow()
{
    const std::optional<std::string> program = OwnProgramFile();
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", win32::kProgramName); w;
         w = FindWindowExA(nullptr, w, "#32770", win32::kProgramName)) {
        DWORD processId = 0;
        if (GetWindowThreadProcessId(w, &processId) && RunsOwnProgram(processId, program))
            return w;
    }
    return nullptr;
}
