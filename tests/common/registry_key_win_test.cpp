#include "common/registry_key_win.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class RegistryKeyTest : public testing::Test {
protected:
    const std::string base_ = "Software\\TidewellTests\\RegistryKey";

    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TidewellTests"); }

    CRegistryKey OpenBase()
    {
        CRegistryKey key;
        EXPECT_EQ(key.Open(HKEY_CURRENT_USER, base_, KEY_ALL_ACCESS), ERROR_SUCCESS);
        return key;
    }
};

TEST_F(RegistryKeyTest, OpenCloseAndFailedOpenKeepsTheHeldKey)
{
    CRegistryKey none;
    EXPECT_EQ(none.Close(), ERROR_SUCCESS);
    EXPECT_FALSE(none.IsOpen());

    CRegistryKey key = OpenBase();
    ASSERT_EQ(key.SetDword("Marker", 7), ERROR_SUCCESS);
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, base_ + "\\Missing", KEY_READ), ERROR_FILE_NOT_FOUND);
    DWORD marker = 0;
    EXPECT_EQ(key.QueryDword("Marker", marker), ERROR_SUCCESS) << "the earlier key stays open";
    EXPECT_EQ(marker, 7u);

    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.SetDword("Marker", 1), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeyTest, CreateSubKeyReplacesTheParent)
{
    CRegistryKey key = OpenBase();
    DWORD disposition = 0;
    ASSERT_EQ(key.CreateSubKey("Child", nullptr, 0, KEY_ALL_ACCESS, nullptr, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(key.SetString("Name", "child value"), ERROR_SUCCESS);

    CRegistryKey child;
    ASSERT_EQ(child.Open(HKEY_CURRENT_USER, base_ + "\\Child", KEY_READ), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(child.QueryString(text, "Name"), ERROR_SUCCESS);
    EXPECT_EQ(text, "child value");

    CRegistryKey moved = std::move(child);
    EXPECT_FALSE(child.IsOpen());
    EXPECT_EQ(moved.QueryString(text, "Name"), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, ValuesRoundTripAndFailuresLeaveOutputsValid)
{
    CRegistryKey key = OpenBase();
    ASSERT_EQ(key.SetString("Empty", ""), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key.Handle(), "Empty", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 1u) << "the terminating zero is stored";

    const std::string longCommand = "\"C:\\Program Files\\" + std::string(400, 'p') + "\\app.exe\" -x";
    ASSERT_EQ(key.SetString("Long", longCommand), ERROR_SUCCESS);
    std::string text = "stale";
    EXPECT_EQ(key.QueryString(text, "Long"), ERROR_SUCCESS);
    EXPECT_EQ(text, longCommand);

    // Stored without a terminator: read whole, nothing past it.
    ASSERT_EQ(RegSetValueExA(key.Handle(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString(text, "Raw"), ERROR_SUCCESS);
    EXPECT_EQ(text, "abc");

    ASSERT_EQ(key.SetDword("Number", 0x41424344), ERROR_SUCCESS);
    text = "stale";
    key.QueryString(text, "Number");
    EXPECT_EQ(text, "") << "a non-string value reads as empty text";
    text = "stale";
    EXPECT_EQ(key.QueryString(text, "Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "");

    DWORD number = 5;
    EXPECT_EQ(key.QueryDword("Missing", number), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(number, 5u) << "untouched on failure";
    EXPECT_EQ(key.QueryDword("Number", number), ERROR_SUCCESS);
    EXPECT_EQ(number, 0x41424344u);

    EXPECT_EQ(key.DeleteValue("Number"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue("Number"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, EnumerationListsEveryNameWhateverItsDataSize)
{
    CRegistryKey key = OpenBase();
    std::vector<std::string> names{"already there"};
    EXPECT_FALSE(key.EnumValueNames(names));
    EXPECT_EQ(names, std::vector<std::string>{"already there"}) << "an empty key changes nothing";

    ASSERT_EQ(key.SetString("First", "a"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("Huge", std::string(1000, 'h')), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString(std::string(300, 'n'), "long name"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("Last", "z"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("", "default value"), ERROR_SUCCESS);

    EXPECT_TRUE(key.EnumValueNames(names));
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "already there") << "appended, not cleared";
    std::vector<std::string> listed(names.begin() + 1, names.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"First", "Huge", "Last", std::string(300, 'n')}));
    EXPECT_EQ(key.EnumValueName(99), "");
}

} // namespace
