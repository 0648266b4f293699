#include "common/account_win.h"

#include <sddl.h>
#include <wtsapi32.h>

#include <memory>
#include <vector>

#include "win32/handles.h"
#include "win32/system_library.h"

namespace {

std::string WtsText(WTS_INFO_CLASS what)
{
    static const auto query =
        win32::SystemFunction<decltype(&WTSQuerySessionInformationA)>("wtsapi32.dll", "WTSQuerySessionInformationA");
    static const auto free = win32::SystemFunction<decltype(&WTSFreeMemory)>("wtsapi32.dll", "WTSFreeMemory");
    char* text = nullptr;
    DWORD size = 0;
    if (!query || !free || !query(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, what, &text, &size))
        return {};
    const std::string copy = text ? std::string(text) : std::string();
    free(text);
    return copy;
}

std::optional<std::vector<uint8_t>> TokenFieldBytes(HANDLE token, TOKEN_INFORMATION_CLASS what)
{
    DWORD size = 0;
    GetTokenInformation(token, what, nullptr, 0, &size);
    if (size == 0)
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (!GetTokenInformation(token, what, bytes.data(), size, &size))
        return std::nullopt;
    return bytes;
}

} // namespace

std::string SidText(PSID sid)
{
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text))
        return {};
    const std::unique_ptr<char, decltype(&LocalFree)> owned(text, LocalFree);
    return text;
}

std::string TokenUserSid(HANDLE token)
{
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<uint8_t> bytes(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, bytes.data(), size, &size))
        return {};
    return SidText(reinterpret_cast<const TOKEN_USER*>(bytes.data())->User.Sid);
}

std::string OwnUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    const win32::UniqueHandle owned(token);
    return TokenUserSid(token);
}

std::optional<uint32_t> TokenIntegrity(HANDLE token)
{
    const auto bytes = TokenFieldBytes(token, TokenIntegrityLevel);
    if (!bytes)
        return std::nullopt;
    PSID label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(bytes->data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(label);
    if (count == 0)
        return std::nullopt;
    return *GetSidSubAuthority(label, count - 1u);
}

std::optional<uint32_t> TokenSession(HANDLE token)
{
    DWORD session = 0, size = 0;
    if (!GetTokenInformation(token, TokenSessionId, &session, sizeof session, &size))
        return std::nullopt;
    return session;
}

std::optional<uint32_t> OwnProcessSession()
{
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session))
        return std::nullopt;
    return session;
}

std::string InteractiveUserSid()
{
    const std::string user = WtsText(WTSUserName);
    if (user.empty())
        return {};
    const std::string account = WtsText(WTSDomainName) + "\\" + user;
    DWORD sidSize = 0, domainSize = 0;
    SID_NAME_USE use{};
    LookupAccountNameA(nullptr, account.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
    if (sidSize == 0)
        return {};
    std::vector<uint8_t> sid(sidSize);
    std::string domain(domainSize + 1, '\0');
    if (!LookupAccountNameA(nullptr, account.c_str(), sid.data(), &sidSize, domain.data(), &domainSize, &use))
        return {};
    return SidText(sid.data());
}
