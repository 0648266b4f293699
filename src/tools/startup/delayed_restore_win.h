#pragma once
// Putting the delayed entries back into their Run keys before the program and Delay.ini go (see
// delayed_restore.h for what goes where).
#include <windows.h>

#include <string>

enum class RestoreOutcome { NoList, LeftAlone, AllBack, SomeKept };

// Only from a list in a protected place: anyone could have written one elsewhere, and an
// administrator's removal would then plant machine-wide Run entries for them; there nothing is
// restored and the file stays as it is. Otherwise each entry goes back with its type and bytes
// (a user's entry into its owner's Run key, under HKEY_USERS, while that registry is loaded; an
// entry of no recorded owner into the remover's), counts as back only when the key reads so
// afterwards, and the list keeps every other entry; it goes only when it keeps none. A value of the
// same name already in the key is left alone, and the entry stays in the list unless that value
// holds exactly what it would have written.
RestoreOutcome RestoreDelayedEntries(const std::string& delayList, const std::string& remover);
