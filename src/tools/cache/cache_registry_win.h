#pragma once
// The cache settings in the registry: the system's values, their one-time backup under the
// settings key, and the slider positions last saved. Failures are silent: a value that cannot be
// read counts as absent and a failed write is lost.
#include <optional>

namespace cache {

// ClearPageFileAtShutdown is set (a missing value reads as not set).
bool ReadClearPageFile();
// Copies the CDFS values and the Memory Management default value under the settings key the
// first time only; CacheBackupBOOL marks that it was done.
void TakeBackupOnce();

// HDUSEValue: none until the user has saved a choice. Raw, so the slider can clamp it.
std::optional<long> SavedHardDiskPosition();
// CDUSEValue, 0 when missing.
long SavedCdPosition();

// Writes the tables' numbers for the positions, LargeSystemCache = 1, the page-file switch, and
// remembers both positions.
void SaveSettings(int cdPosition, int hardDiskPosition, bool clearPageFile);
// Writes back what the backup holds, LargeSystemCache = 0, and forgets the saved positions.
void RestoreBackup();
// The page-file switch alone, creating the Memory Management key if needed.
void StoreClearPageFile(bool clearPageFile);

} // namespace cache
