#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "common/ini_text.h"
#include "common/interface_language.h"
#include "common/spoken_text.h"
#include "support/test_paths.h"

using testing_support::ReadWholeFile;
using testing_support::SourcePath;

namespace {

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

// The shipped texts files: the English beside the program and each language under lang\.
std::vector<std::string> ShippedTextFiles()
{
    std::vector<std::string> files{"dist/Kelvane.ini"};
    for (const auto& entry : std::filesystem::directory_iterator(SourcePath("dist/lang")))
        files.push_back("dist/lang/" + entry.path().filename().string() + "/Kelvane.ini");
    std::sort(files.begin() + 1, files.end());
    return files;
}

// Section Resource as key and value, by the program's own line rules.
std::map<std::string, std::string> ResourceTexts(const std::string& text)
{
    std::map<std::string, std::string> texts;
    bool inResource = false;
    ForEachIniLine(text, [&](const IniLine& line) {
        if (line.header)
            inResource = line.section == "Resource";
        else if (inResource)
            texts[line.key] = line.value;
    });
    return texts;
}

// Every shipped file is CRLF text with exactly the English file's keys, among them every key the
// program looks up; each text names the English one's placeholders (a missing one hides a figure,
// an extra one shows garbage) and has a keyboard letter exactly where the English has one.
TEST(InterfaceTexts, EveryLanguageHoldsEveryKeyItsPlaceholdersAndItsLetters)
{
    const std::set<std::string> used = KeysLookedUpInSources();
    ASSERT_GT(used.size(), 50u);
    const std::vector<std::string> files = ShippedTextFiles();
    ASSERT_GE(files.size(), 12u) << "English and eleven languages";
    const std::map<std::string, std::string> english = ResourceTexts(ReadWholeFile(SourcePath(files[0])));
    for (const std::string& file : files) {
        const std::string bytes = ReadWholeFile(SourcePath(file));
        for (size_t i = 0; i < bytes.size(); ++i)
            ASSERT_TRUE(bytes[i] != '\n' || (i > 0 && bytes[i - 1] == '\r')) << file << ": bare LF at byte " << i;
        const std::map<std::string, std::string> texts = ResourceTexts(bytes);
        for (const auto& [key, text] : english) {
            const auto found = texts.find(key);
            if (found == texts.end()) {
                ADD_FAILURE() << file << " lacks " << key;
                continue;
            }
            EXPECT_EQ(PlaceholdersOf(found->second), PlaceholdersOf(text)) << file << ": " << key;
            EXPECT_EQ(MnemonicOf(found->second).empty(), MnemonicOf(text).empty()) << file << ": " << key;
            EXPECT_FALSE(found->second.empty() && !text.empty()) << file << ": " << key << " is empty";
        }
        for (const auto& [key, text] : texts)
            EXPECT_TRUE(english.count(key)) << file << " has " << key << ", which the English file lacks";
        for (const auto& key : used)
            EXPECT_TRUE(texts.count(key)) << file << " lacks " << key << ", which the program looks up";
    }
}

// A language's text is taken only whole: one with other placeholders than the English text, or
// none at all, shows the English; the first start takes the user's language where lang\ has it.
TEST(InterfaceLanguage, BrokenTextsFallBackAndTheStartFindsTheUsersLanguage)
{
    EXPECT_EQ(ChooseText("{0} Programme", "{0} programs"), "{0} Programme");
    EXPECT_EQ(ChooseText("Programme", "{0} programs"), "{0} programs") << "a figure would go missing";
    EXPECT_EQ(ChooseText("{0} {1} Programme", "{0} programs"), "{0} programs");
    EXPECT_EQ(ChooseText("{1}, {0}", "{0}, {1}"), "{1}, {0}") << "the order may change";
    EXPECT_EQ(ChooseText(std::nullopt, "Close"), "Close");
    EXPECT_EQ(ChooseText("", "Close"), "Close") << "never an empty control";

    const std::vector<std::string> lang = {"de", "fr", "ja", "pt-BR", "zh-CN", "zh-TW"};
    const struct {
        std::vector<std::string> preferred;
        std::string picked;
    } cases[] = {{{"en-US"}, ""},          {{"de-DE"}, "de"},        {{"de-AT", "en-US"}, "de"},
                 {{"pt-BR"}, "pt-BR"},     {{"pt-PT"}, "pt-BR"},     {{"zh-HK"}, "zh-TW"},
                 {{"zh-Hant-TW"}, "zh-TW"}, {{"zh-SG"}, "zh-CN"},    {{"zh-Hans-HK"}, "zh-CN"},
                 {{"ko-KR", "ja-JP"}, "ja"}, {{"FR-ca"}, "fr"},      {{}, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(PickLanguage(c.preferred, lang), c.picked) << testing::PrintToString(c.preferred);
    for (const auto& [name, valid] : {std::pair{"pt-BR", true}, {"..", false}, {"a\\b", false}, {"-x", false},
                                      {"", false}, {"zh-CN", true}})
        EXPECT_EQ(IsLanguageFolderName(name), valid) << name;
}

} // namespace
