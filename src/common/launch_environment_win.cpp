#include "common/launch_environment_win.h"

#include <userenv.h>

#include <cwchar>
#include <vector>

#include "win32/system_library.h"
#include "win32/utf16.h"

EnvironmentBlock::EnvironmentBlock(HANDLE token)
{
    static const auto create =
        win32::SystemFunction<decltype(&CreateEnvironmentBlock)>("userenv.dll", "CreateEnvironmentBlock");
    if (!create || !create(&block_, token, FALSE))
        block_ = nullptr;
}

EnvironmentBlock::~EnvironmentBlock()
{
    static const auto destroy =
        win32::SystemFunction<decltype(&DestroyEnvironmentBlock)>("userenv.dll", "DestroyEnvironmentBlock");
    if (block_ && destroy)
        destroy(block_);
}

UserEnvironment EnvironmentBlock::Variables() const
{
    std::vector<std::string> entries;
    for (auto* entry = static_cast<const wchar_t*>(block_); entry && *entry; entry += std::wcslen(entry) + 1)
        entries.push_back(win32::Utf8(entry));
    return UserEnvironment(entries);
}

bool StartSystemProgram(const std::string& application, const std::string& commandLine, const std::string& folder,
                        int show)
{
    const EnvironmentBlock machine(nullptr);
    if (!machine.get())
        return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    std::wstring line = win32::Utf16(commandLine); // the call may write into it
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(win32::Utf16(application).c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, const_cast<void*>(machine.get()), win32::Utf16(folder).c_str(),
                        &startup, &created))
        return false;
    CloseHandle(created.hThread);
    CloseHandle(created.hProcess);
    return true;
}
