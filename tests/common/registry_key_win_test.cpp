#include "common/registry_key_win.h"

#include <gtest/gtest.h>

#include "win32/utf16.h"

#include <algorithm>

namespace {

// Every UTF-16 unit survives the trip through the program's UTF-8, an unpaired surrogate too; bytes
// that are no text read as U+FFFD.
TEST(Utf16, EveryUnitSurvivesTheRoundTrip)
{
    for (const std::wstring& text : {std::wstring(L"plain"), std::wstring(L"\x00FC\x4E2D"), std::wstring(L"\xD83D\xDE00"),
                                     std::wstring(L"\xD800"), std::wstring(L"\xDC00x"), std::wstring(L"a\xD800\xD800"),
                                     std::wstring(L"\0in", 3)})
        EXPECT_EQ(win32::Utf16(win32::Utf8(text)), text);
    EXPECT_EQ(win32::Utf8(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80") << "a pair is one character";
    EXPECT_EQ(win32::Utf16("\xFF\xC0\x80\xE4\xB8"), std::wstring(L"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"));
}

// Open and create replace the held key only on success; strings of any length, with or without a
// terminator; failures leave valid outputs; enumeration lists every name whatever its data size.
TEST(RegistryKey, ValuesAndNamesOfAnyLength)
{
    const std::string base = "Software\\TidewellTests\\RegistryKey";
    RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    CRegistryKey created;
    ASSERT_EQ(created.Open(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS), ERROR_SUCCESS);
    ASSERT_EQ(created.CreateSubKey("TidewellTests\\RegistryKey"), ERROR_SUCCESS);
    CRegistryKey key = std::move(created);
    EXPECT_FALSE(created.IsOpen());
    std::vector<std::string> names{"already there"};
    EXPECT_FALSE(key.EnumValueNames(names)) << "an empty key";
    ASSERT_EQ(key.SetString("", "default value"), ERROR_SUCCESS); // listed first

    ASSERT_EQ(key.SetDword("Number", 0x41424344), ERROR_SUCCESS);
    CRegistryKey same;
    ASSERT_EQ(same.Open(HKEY_CURRENT_USER, base, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(same.Open(HKEY_CURRENT_USER, base + "\\Missing", KEY_READ), ERROR_FILE_NOT_FOUND);
    DWORD number = 5;
    EXPECT_EQ(same.QueryDword("Missing", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 5u) << "untouched on failure";
    EXPECT_EQ(same.QueryDword("Number", number), ERROR_SUCCESS) << "the created key, held after a failed open";
    EXPECT_EQ(number, 0x41424344u);

    DWORD type = 0;
    std::string bytes;
    ASSERT_EQ(key.SetString("Empty", ""), ERROR_SUCCESS);
    ASSERT_EQ(key.QueryValue("Empty", type, bytes), ERROR_SUCCESS);
    EXPECT_EQ(std::make_pair(type, bytes), std::make_pair(DWORD{REG_SZ}, std::string(1, '\0'))) << "terminator stored";
    const std::string longCommand = "\"C:\\Program Files\\" + std::string(400, 'p') + "\\app.exe\" -x";
    std::string text = "stale";
    ASSERT_EQ(key.SetString(std::string(300, 'n'), longCommand), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString(text, std::string(300, 'n')), ERROR_SUCCESS);
    EXPECT_EQ(text, longCommand);
    ASSERT_EQ(key.SetValue("Raw", REG_SZ, "abc"), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString(text, "Raw"), ERROR_SUCCESS);
    EXPECT_EQ(text, "abc") << "stored without a terminator: read whole, nothing past it";
    key.QueryString(text, "Number");
    EXPECT_EQ(text, "") << "a non-string value reads as empty text";
    text = "stale";
    EXPECT_EQ(key.QueryString(text, "Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "");

    EXPECT_EQ(key.DeleteValue("Empty"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue("Empty"), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(key.EnumValueNames(names));
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"already there", "Number", "Raw", std::string(300, 'n')}))
        << "appended, the unnamed default value passed over";
    key.Close();
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidewellTests");
}

} // namespace
