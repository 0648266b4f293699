#include "common/ini_file.h"

#include "common/file_bytes.h"

#include <gtest/gtest.h>

#include <iterator>

#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::ScratchDir;
using testing_support::WriteWholeFile;

namespace {

TEST(IniFile, LookupFindsExactlyWhatTheFileSays)
{
    const std::string kLong(5000, 'x');
    const struct {
        const char* name;
        std::string text, section, key, expected;
    } cases[] = {
        {"value keeps further equals", "[Resource]\r\nIDOKINRS=Start=Now\r\n", "Resource", "IDOKINRS", "Start=Now"},
        {"blank before equals is part of the key", "[Resource]\r\nIDOKINRS =OK\r\n", "Resource", "IDOKINRS", ""},
        {"blank after equals is kept", "[Resource]\r\nA= b \r\n", "Resource", "A", " b "},
        {"names are case-sensitive", "[Resource]\r\nidokinrs=OK\r\n", "Resource", "IDOKINRS", ""},
        {"section names are case-sensitive", "[resource]\r\nIDOKINRS=OK\r\n", "Resource", "IDOKINRS", ""},
        {"entries belong to the header above", "[Other]\r\nA=other\r\n[Resource]\r\nX=1\r\n", "Resource", "A", ""},
        {"repeated section merges, later key wins", "[R]\r\nA=1\r\nB=2\r\n[O]\r\nC=3\r\n[R]\r\nA=9\r\n", "R", "A", "9"},
        {"merged section keeps its first entries", "[R]\r\nA=1\r\nB=2\r\n[O]\r\nC=3\r\n[R]\r\nA=9\r\n", "R", "B", "2"},
        {"doubled brackets name the same section", "[[Resource]]\r\nA=1\r\n", "Resource", "A", "1"},
        {"lone LF ends a line", "[Resource]\nA=1\nB=2", "Resource", "B", "2"},
        {"UTF-8 byte order mark is skipped", "\xEF\xBB\xBF[Resource]\r\nA=1\r\n", "Resource", "A", "1"},
        {"long line is read whole", "[Resource]\r\nA=" + kLong + "\r\nB=2\r\n", "Resource", "A", kLong},
        {"line without equals: empty key", "[Resource]\r\nHello\r\n", "Resource", "", "ello"},
    };
    for (const auto& c : cases) {
        CIniFile ini("unused.ini");
        ini.LoadText(c.text);
        EXPECT_EQ(ini.GetValue(c.section, c.key), c.expected) << c.name;
    }
}

// Kelvane.ini is read from the program's folder, whose name may hold bytes that are no UTF-8.
TEST(IniFile, LoadsThroughAnyPathBytes)
{
    ScratchDir dir("ini-path");
    const std::string path = dir.File("caf") + "\xE9.ini";
    ASSERT_TRUE(ReplaceFileBytes(path, "[Resource]\r\nA=1\r\n"));
    CIniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetValue("Resource", "A"), "1");
    EXPECT_FALSE(CIniFile(dir.File("absent.ini")).Load());
}

// A rewrite writes a new file of its own: a planted "<file>.new" is neither used nor written
// through, with or without an original to replace. A replace that fails keeps what was there: over
// a folder here, over a read-only file on Windows (Wine's ReplaceFile puts a file in a folder's
// place). Nothing is left behind.
TEST(FileBytes, ReplaceNeverTouchesAPlantedFileAndAFailedOneKeepsTheOld)
{
    namespace fs = std::filesystem;
    ScratchDir dir("ini-planted");
    const std::string path = dir.File("Delay.ini");
    WriteWholeFile(path + ".new", "planted");
    for (const char* bytes : {"first", "second"})
        ASSERT_TRUE(ReplaceFileBytes(path, bytes));
    const std::string kept = dir.File("Kept.ini");
#ifdef _WIN32
    WriteWholeFile(kept, "old");
    // Read-only under either library: libc++ sets the attribute only when no write bit is left.
    fs::permissions(kept, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
#else
    fs::create_directory(kept);
#endif
    EXPECT_FALSE(ReplaceFileBytes(kept, "third"));
    EXPECT_EQ(ReadWholeFile(path), "second");
    EXPECT_EQ(ReadWholeFile(path + ".new"), "planted");
#ifdef _WIN32
    EXPECT_EQ(ReadWholeFile(kept), "old");
    fs::permissions(kept, fs::perms::owner_write, fs::perm_options::add);
#else
    EXPECT_TRUE(fs::is_directory(kept));
#endif
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3) << "no temporary file left";
}

} // namespace
