#include "common/ini_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

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
        std::string file, section, key, expected;
    } cases[] = {
        {"value_keeps_further_equals", "[Resource]\r\nIDOKINRS=Start=Now\r\n", "Resource", "IDOKINRS", "Start=Now"},
        {"blank_before_equals_is_part_of_key", "[Resource]\r\nIDOKINRS =OK\r\n", "Resource", "IDOKINRS", ""},
        {"blank_after_equals_is_kept", "[Resource]\r\nA= b \r\n", "Resource", "A", " b "},
        {"names_are_case_sensitive", "[Resource]\r\nidokinrs=OK\r\n", "Resource", "IDOKINRS", ""},
        {"section_names_are_case_sensitive", "[resource]\r\nIDOKINRS=OK\r\n", "Resource", "IDOKINRS", ""},
        {"entries_belong_to_the_header_above", "[Other]\r\nIDOKINRS=other\r\n[Resource]\r\nX=1\r\n", "Resource", "IDOKINRS", ""},
        {"repeated_section_merges_and_later_key_wins", "[Resource]\r\nA=1\r\nB=2\r\n[Other]\r\nC=3\r\n[Resource]\r\nA=9\r\n", "Resource", "A", "9"},
        {"merged_section_keeps_first_entries", "[Resource]\r\nA=1\r\nB=2\r\n[Other]\r\nC=3\r\n[Resource]\r\nA=9\r\n", "Resource", "B", "2"},
        {"doubled_brackets_name_the_same_section", "[[Resource]]\r\nA=1\r\n", "Resource", "A", "1"},
        {"lone_lf_ends_a_line", "[Resource]\nA=1\nB=2", "Resource", "B", "2"},
        {"utf8_bom_is_skipped", "\xEF\xBB\xBF[Resource]\r\nA=1\r\n", "Resource", "A", "1"},
        {"long_line_is_read_whole", "[Resource]\r\nA=" + kLong + "\r\nB=2\r\n", "Resource", "A", kLong},
        {"long_line_does_not_spill_into_an_entry", "[Resource]\r\nA=" + kLong + "=x\r\n", "Resource", std::string(3000, 'x'), ""},
        {"line_without_equals_is_stored_under_empty_key", "[Resource]\r\nHello\r\n", "Resource", "", "ello"},
    };
    ScratchDir dir("ini-lookup");
    for (const auto& c : cases) {
        WriteWholeFile(dir.File("t.ini"), c.file);
        CIniFile ini(dir.File("t.ini"));
        ASSERT_TRUE(ini.Load()) << c.name;
        EXPECT_EQ(ini.GetValue(c.section, c.key), c.expected) << c.name;
    }
}

TEST(IniFile, HeaderWithoutEntriesLeavesNoSection)
{
    ScratchDir dir("ini-empty-header");
    WriteWholeFile(dir.File("t.ini"), "[Empty]\r\n[Resource]\r\nA=1\r\n[Trailing]\r\n");
    CIniFile ini(dir.File("t.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetSectionCount(), 1);
    EXPECT_EQ(ini.FindSection("Empty"), -1);
    EXPECT_EQ(ini.FindSection("Resource"), 0);
}

TEST(IniFile, LastErrorTexts)
{
    ScratchDir dir("ini-errors");
    CIniFile missing(dir.File("absent.ini"));
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.GetLastError(), "");
    EXPECT_EQ(missing.GetValue("Resource", "A"), "");
    EXPECT_EQ(missing.GetLastError(), "Unable to locate specified key.");

    WriteWholeFile(dir.File("t.ini"), "[Resource]\r\nA=1\r\n");
    CIniFile ini(dir.File("t.ini"));
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetValue("Resource", "B"), "");
    EXPECT_EQ(ini.GetLastError(), "Unable to locate specified value.");
    EXPECT_EQ(ini.GetValue("Resource", "A"), "1");
    EXPECT_EQ(ini.GetLastError(), "Unable to locate specified value.");
}

TEST(IniFile, SetValueWithoutCreateChangesNothing)
{
    CIniFile ini("unused.ini");
    EXPECT_FALSE(ini.SetValue("S", "K", "v", false));
    EXPECT_EQ(ini.GetSectionCount(), 0);
    ASSERT_TRUE(ini.SetValue("S", "K", "v", true));
    EXPECT_FALSE(ini.SetValue("S", "Other", "v", false));
    EXPECT_EQ(ini.FindKey(0, "Other"), -1);
    EXPECT_TRUE(ini.SetValue("S", "K", "w", false));
    EXPECT_EQ(ini.GetValue("S", "K"), "w");
    EXPECT_EQ(ini.FindKey(-1, "K"), -1);
}

TEST(IniFile, SaveLayoutAfterRemoveSection)
{
    ScratchDir dir("ini-save");
    CIniFile ini(dir.File("Delay.ini"));
    ini.SetValue("Item0", "Project", "A");
    ini.SetValue("Item0", "Path", "C:\\a.exe");
    ini.SetValue("Item1", "Project", "B");
    ini.SetValue("Item2", "Project", "C");
    ini.Save();
    EXPECT_EQ(ReadWholeFile(dir.File("Delay.ini")),
              "[Item0]\r\nProject=A\r\nPath=C:\\a.exe\r\n\r\n"
              "[Item1]\r\nProject=B\r\n\r\n"
              "[Item2]\r\nProject=C\r\n\r\n");

    EXPECT_TRUE(ini.RemoveSection("Item1"));
    EXPECT_FALSE(ini.RemoveSection("Item1"));
    EXPECT_EQ(ini.FindSection("Item2"), 1);
    ini.Save();
    EXPECT_EQ(ReadWholeFile(dir.File("Delay.ini")),
              "[Item0]\r\nProject=A\r\nPath=C:\\a.exe\r\n\r\n[Item2]\r\nProject=C\r\n\r\n");

    CIniFile again(dir.File("Delay.ini"));
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetSectionCount(), 2);
    EXPECT_EQ(again.GetValue("Item0", "Path"), "C:\\a.exe");
    EXPECT_EQ(again.GetValue("Item2", "Project"), "C");

    ini.RemoveSection("Item0");
    ini.RemoveSection("Item2");
    ini.Save();
    EXPECT_EQ(ReadWholeFile(dir.File("Delay.ini")), "");
}

// A write that fails half way (a full disk, here a file size limit) leaves the old file whole.
TEST(IniFile, FailedSaveKeepsTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "the size limit is a POSIX facility";
#else
    ScratchDir dir("ini-failed-save");
    const std::string old = "[Item0]\r\nProject=Keep\r\n\r\n";
    WriteWholeFile(dir.File("Delay.ini"), old);
    CIniFile ini(dir.File("Delay.ini"));
    ini.SetValue("Item0", "Project", std::string(4096, 'x'));

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool savedOk = ini.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(savedOk);
    EXPECT_EQ(ReadWholeFile(dir.File("Delay.ini")), old);
#endif
}

// Under a code page that is not UTF-8 a folder name holds bytes that are no UTF-8.
TEST(IniFile, PathBytesThatAreNoUtf8)
{
    ScratchDir dir("ini-ansi-path");
    const std::string path = dir.File("caf") + "\xE9.ini";
    CIniFile ini(path);
    ini.SetValue("Resource", "A", "1");
    EXPECT_TRUE(ini.Save());
    CIniFile again(path);
    EXPECT_TRUE(again.Load());
    EXPECT_EQ(again.GetValue("Resource", "A"), "1");
}

TEST(IniFile, LoadAddsToWhatIsHeld)
{
    ScratchDir dir("ini-add");
    WriteWholeFile(dir.File("t.ini"), "[S]\r\nA=file\r\n");
    CIniFile ini(dir.File("t.ini"));
    ini.SetValue("S", "B", "memory");
    ini.SetValue("S", "A", "memory");
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.GetValue("S", "A"), "file");
    EXPECT_EQ(ini.GetValue("S", "B"), "memory");
}

} // namespace
