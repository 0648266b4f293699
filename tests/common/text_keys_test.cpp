#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "common/ini_text.h"
#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::SourcePath;

namespace {

// Keys of section Resource, by the program's own line rules.
std::set<std::string> ResourceKeys(const std::string& text)
{
    std::set<std::string> keys;
    bool inResource = false;
    ForEachIniLine(text, [&](const IniLine& line) {
        if (line.header)
            inResource = line.section == "Resource";
        else if (inResource)
            keys.insert(line.key);
    });
    return keys;
}

// Keys named as string literals in lookups: UiText("k"), .Text("k"), .TextOr("k", ...),
// GetText(file, "k"), and text tables TextItem{ID, "k"}.
std::set<std::string> KeysLookedUpInSources()
{
    static const std::regex lookup(
        R"re((?:(?:\bUiText|\.Text|\.TextOr|->Text|\bGetText)\s*\(\s*(?:[A-Za-z_:.]+\s*,\s*)?|TextItem\s*\{\s*\w+\s*,\s*)"([^"%]+)")re");
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

// Both shipped files are CRLF text with the same keys, among them every key the program looks up.
TEST(InterfaceTexts, ShippedFilesHoldEveryKeyLookedUp)
{
    const std::set<std::string> used = KeysLookedUpInSources();
    ASSERT_GT(used.size(), 50u);
    std::set<std::string> english;
    for (const char* file : {"dist/Kelvane.ini", "dist/lang/zh-CN/Kelvane.ini"}) {
        const std::string bytes = ReadWholeFile(SourcePath(file));
        for (size_t i = 0; i < bytes.size(); ++i)
            ASSERT_TRUE(bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r')) << file << ": bare LF at byte " << i;
        const std::set<std::string> keys = ResourceKeys(bytes);
        if (english.empty())
            english = keys;
        for (const auto& k : english)
            EXPECT_TRUE(keys.count(k)) << file << " lacks " << k << ", which the English file has";
        for (const auto& k : keys)
            EXPECT_TRUE(english.count(k)) << file << " has " << k << ", which the English file lacks";
        for (const auto& k : used)
            EXPECT_TRUE(keys.count(k)) << file << " lacks " << k << ", which the program looks up";
    }
}

} // namespace
