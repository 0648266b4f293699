#include "common/stored_program_lists_win.h"

#include "common/settings_keys.h"

ProgramList ReadProgramList(const CRegistryKey& key, const char* name)
{
    DWORD type = REG_NONE;
    std::string bytes;
    if (key.QueryValue(name, type, bytes) != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return {};
    return ProgramListFromBytes(bytes);
}

StoredProgramLists ReadStoredProgramLists()
{
    CRegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey, KEY_READ) != ERROR_SUCCESS)
        return {};
    return {ReadProgramList(key, kKeepWorkingSets), ReadProgramList(key, kPausePrograms)};
}
