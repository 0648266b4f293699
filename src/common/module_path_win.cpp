#include "common/module_path.h"

#include <windows.h>

std::string GetModulePath(const std::string& fileName)
{
    std::string exe(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0)
            return fileName;
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2); // deep folders exceed MAX_PATH
    }
    const auto slash = exe.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : exe.substr(0, slash);
    return folder + "\\" + fileName;
}
