// The cache settings in the real registry: backup, save, restore and the page-file switch.
#include "tools/cache/cache_registry_win.h"

#include <gtest/gtest.h>

#include "tools/cache/cache_registry_fixture_win.h"
#include "tools/cache/cache_tables.h"

namespace {

using namespace testing_support;

class CacheRegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kMemoryPath));
        CacheRegistryBackup::StartFresh();
    }
    void TearDown() override { backup_.Restore(); }

    CacheRegistryBackup backup_;
};

TEST_F(CacheRegistryTest, FirstBackupWithoutCdfsKeyKeepsTheMemoryDefaultOnly)
{
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCdfsPath));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 12345));
    cache::TakeBackupOnce();
    EXPECT_EQ(Settings("CacheBackupBOOL"), 1u);
    EXPECT_EQ(Settings("MMDefault"), 12345u);
    for (const char* name : {"CacheSize", "Prefetch", "PrefetchTail"})
        EXPECT_FALSE(Settings(name)) << name;

    // Later openings never refresh the backup.
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 777));
    cache::TakeBackupOnce();
    EXPECT_EQ(Settings("MMDefault"), 12345u);
    EXPECT_EQ(Settings("CacheBackupBOOL"), 1u);

    cache::SaveSettings(3, 4, true);
    EXPECT_EQ(Cdfs("CacheSize"), 2476u);
    EXPECT_EQ(Cdfs("Prefetch"), 4128u);
    EXPECT_EQ(Cdfs("PrefetchTail"), 4128u);
    EXPECT_EQ(Memory(""), 65536000u);
    EXPECT_EQ(Memory("LargeSystemCache"), 1u);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
    EXPECT_EQ(Settings("CDUSEValue"), 3u);
    EXPECT_EQ(Settings("HDUSEValue"), 4u);

    // Nothing of the CD was backed up, so the saved CD values stay.
    cache::RestoreBackup();
    EXPECT_EQ(Cdfs("CacheSize"), 2476u);
    EXPECT_EQ(Cdfs("PrefetchTail"), 4128u);
    EXPECT_EQ(Memory(""), 12345u);
    EXPECT_EQ(Memory("LargeSystemCache"), 0u);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u) << "restoring leaves the page-file switch";
    EXPECT_FALSE(Settings("CDUSEValue"));
    EXPECT_FALSE(Settings("HDUSEValue"));
    EXPECT_FALSE(cache::SavedHardDiskPosition());
    EXPECT_EQ(cache::SavedCdPosition(), 0);
    EXPECT_EQ(Settings("CacheBackupBOOL"), 1u);
}

TEST_F(CacheRegistryTest, BackupCopiesOnlyTheCdValuesThatExist)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kCdfsPath, "CacheSize", 100));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kCdfsPath, "Prefetch", 200));
    cache::TakeBackupOnce();
    EXPECT_EQ(Settings("CacheSize"), 100u);
    EXPECT_EQ(Settings("Prefetch"), 200u);
    EXPECT_FALSE(Settings("PrefetchTail"));
    EXPECT_FALSE(Settings("MMDefault")) << "the Memory Management key had no default value";

    cache::SaveSettings(0, 0, false);
    EXPECT_EQ(Cdfs("CacheSize"), 619u);
    EXPECT_EQ(Cdfs("Prefetch"), 228u);
    EXPECT_EQ(Cdfs("PrefetchTail"), 228u);
    EXPECT_EQ(Memory(""), 4096000u);

    cache::RestoreBackup();
    EXPECT_EQ(Cdfs("CacheSize"), 100u);
    EXPECT_EQ(Cdfs("Prefetch"), 200u);
    EXPECT_EQ(Cdfs("PrefetchTail"), 228u) << "no backup of it, so the saved value stays";
    EXPECT_EQ(Memory(""), 4096000u) << "no backup of it, so the saved value stays";
}

TEST_F(CacheRegistryTest, TheMemoryDefaultIsBackedUpOnlyAsAFourByteValue)
{
    const struct {
        DWORD type;
        std::vector<BYTE> data;
        bool backedUp;
    } cases[] = {
        {REG_DWORD, {1, 2, 0, 0}, true},
        {REG_BINARY, {1, 2}, false},
        {REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}, false},
        {REG_SZ, {'a', 'b', 'c', 'd', 'e', 0}, false},
    };
    for (const auto& c : cases) {
        CacheRegistryBackup::StartFresh();
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kMemoryPath, "", c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS);
        cache::TakeBackupOnce();
        EXPECT_EQ(Settings("MMDefault").has_value(), c.backedUp) << c.data.size() << " bytes";
        if (c.backedUp)
            EXPECT_EQ(Settings("MMDefault"), 0x201u);
        EXPECT_EQ(Settings("CacheBackupBOOL"), 1u);
    }
}

TEST_F(CacheRegistryTest, SavingWritesTablesHCAndPAtEveryPosition)
{
    for (int c = 0; c < cache::kCdPositions; ++c) {
        for (int h = 0; h < cache::kHardDiskPositions; ++h) {
            cache::SaveSettings(c, h, false);
            EXPECT_EQ(Cdfs("CacheSize"), cache::kCdCacheSize[c]);
            EXPECT_EQ(Cdfs("Prefetch"), cache::kCdPrefetch[c]);
            EXPECT_EQ(Cdfs("PrefetchTail"), cache::kCdPrefetch[c]);
            EXPECT_EQ(Memory(""), cache::kHardDiskCache[h]);
            EXPECT_EQ(cache::SavedCdPosition(), c);
            EXPECT_EQ(cache::SavedHardDiskPosition(), h);
        }
    }
    EXPECT_EQ(Cdfs("CacheSize"), 2476u);
    EXPECT_EQ(Memory(""), 65536000u);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown"));
}

TEST_F(CacheRegistryTest, PageFileSwitchIsWrittenOrDeleted)
{
    EXPECT_FALSE(cache::ReadClearPageFile());
    cache::StoreClearPageFile(true);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
    EXPECT_TRUE(cache::ReadClearPageFile());
    cache::StoreClearPageFile(false);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown"));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "ClearPageFileAtShutdown", 7));
    EXPECT_TRUE(cache::ReadClearPageFile()) << "any value but 0 counts as set";
}

TEST_F(CacheRegistryTest, StoredPositionsAreReadRaw)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 9));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "CDUSEValue", 0xFFFFFFFF));
    EXPECT_EQ(cache::SavedHardDiskPosition(), 9);
    EXPECT_EQ(cache::SavedCdPosition(), -1);
}

} // namespace
