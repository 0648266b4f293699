#include "common/account_win.h"

#include <sddl.h>

#include <memory>
#include <vector>

#include "win32/handles.h"

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
