#pragma once
// The two program lists of the settings: the programs whose working sets are never emptied, and
// those that pause automatic cleaning while they run.
#include "common/program_list.h"
#include "common/registry_key_win.h"

// A REG_MULTI_SZ value of an open key; anything but a well-formed list reads as an empty one.
ProgramList ReadProgramList(const CRegistryKey& key, const char* name);

struct StoredProgramLists {
    ProgramList keep, pause;
};
// Read with a user's rights alone: the console program is not elevated.
StoredProgramLists ReadStoredProgramLists();
