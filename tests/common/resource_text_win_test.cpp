#include "common/resource_text.h"

#include <gtest/gtest.h>

#include "common/module_path.h"
#include "support/test_paths.h"

#include <windows.h>

namespace {

// Texts come from the file beside the program, read once per object: an edit shows in the next.
TEST(ResourceText, LooksUpTheFileBesideTheProgram)
{
    const std::string scratch = GetModulePath("tidewell-text-test.ini");
    testing_support::WriteWholeFile(scratch, "[Resource]\r\nGreeting=Hello\r\n");
    CResourceText first;
    EXPECT_EQ(first.GetText("tidewell-text-test.ini", "Greeting"), "Hello");
    testing_support::WriteWholeFile(scratch, "[Resource]\r\nGreeting=Hi again\r\n");
    EXPECT_EQ(CResourceText().GetText("tidewell-text-test.ini", "Greeting"), "Hi again");
    DeleteFileA(scratch.c_str());
    EXPECT_EQ(CResourceText().GetText("tidewell-text-test.ini", "Greeting"), "") << "missing file";

    // A word that had no key before shows its English where the file lacks the key.
    EXPECT_EQ(CResourceText().TextOr("NoSuchKey", "English"), "English");
}

} // namespace
