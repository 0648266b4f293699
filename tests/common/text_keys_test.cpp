#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "common/ini_file.h"
#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::SourcePath;

namespace {

const char* const kShippedFiles[] = {"dist/Kelvane.ini", "dist/lang/zh-CN/Kelvane.ini"};

std::set<std::string> KeysOf(const std::filesystem::path& path)
{
    const std::string bytes = ReadWholeFile(path);
    std::set<std::string> keys;
    size_t start = 0;
    bool inResource = false;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string line = bytes.substr(start, end - start);
        start = end + 2;
        if (line.empty())
            continue;
        if (line.front() == '[') {
            inResource = line == "[Resource]";
            continue;
        }
        const auto eq = line.find('=');
        if (inResource && eq != std::string::npos)
            keys.insert(line.substr(0, eq));
    }
    return keys;
}

// Keys named as string literals in lookups: UiText("k"), .Text("k"), GetText(file, "k"),
// and text tables TextItem{ID, "k"}.
std::set<std::string> KeysLookedUpInSources()
{
    static const std::regex lookup(
        R"re((?:(?:\bUiText|\.Text|->Text|\bGetText)\s*\(\s*(?:[A-Za-z_:.]+\s*,\s*)?|TextItem\s*\{\s*\w+\s*,\s*)"([^"%]+)")re");
    std::set<std::string> keys;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SourcePath("src"))) {
        const auto ext = entry.path().extension();
        if (ext != ".cpp" && ext != ".h")
            continue;
        const std::string code = ReadWholeFile(entry.path());
        for (std::sregex_iterator it(code.begin(), code.end(), lookup), end; it != end; ++it)
            keys.insert((*it)[1].str());
    }
    return keys;
}

TEST(InterfaceTexts, ShippedFilesHoldTheSameKeys)
{
    const auto english = KeysOf(SourcePath(kShippedFiles[0]));
    ASSERT_GT(english.size(), 100u);
    for (const char* file : kShippedFiles) {
        const auto keys = KeysOf(SourcePath(file));
        for (const auto& k : english)
            EXPECT_TRUE(keys.count(k)) << file << " lacks " << k;
        for (const auto& k : keys)
            EXPECT_TRUE(english.count(k)) << file << " has " << k << " that the English file lacks";
    }
}

TEST(InterfaceTexts, EveryKeyLookedUpInTheSourcesIsShipped)
{
    const auto used = KeysLookedUpInSources();
    for (const char* file : kShippedFiles) {
        const auto keys = KeysOf(SourcePath(file));
        for (const auto& k : used)
            EXPECT_TRUE(keys.count(k)) << file << " lacks " << k << ", which the program looks up";
    }
}

TEST(InterfaceTexts, FilesAreCrLfAndParseWithTheProgramsReader)
{
    for (const char* file : kShippedFiles) {
        const std::string bytes = ReadWholeFile(SourcePath(file));
        ASSERT_FALSE(bytes.empty()) << file;
        for (size_t i = 0; i < bytes.size(); ++i)
            ASSERT_TRUE(bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r')) << file << ": bare LF at byte " << i;
        CIniFile ini(SourcePath(file).string());
        ASSERT_TRUE(ini.Load()) << file;
        EXPECT_EQ(ini.GetSectionCount(), 1) << file;
    }
}

} // namespace
