#include "common/protected_place.h"

#include <gtest/gtest.h>

namespace {

using Kind = AccessEntry::Kind;

constexpr char kInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr char kUsers[] = "S-1-5-32-545";
constexpr char kEveryone[] = "S-1-1-0";
constexpr char kInteractiveUser[] = "S-1-5-21-3623811015-3361044348-30300820-1001";

constexpr uint32_t kFullControl = 0x1F01FF;
constexpr uint32_t kModify = 0x1301BF;
constexpr uint32_t kReadExecute = 0x1200A9;

// As Program Files carries it, plus one entry: administrators change, users read.
ObjectAccess With(AccessEntry more, std::string owner = kInstaller)
{
    ObjectAccess access{std::move(owner),
                        true,
                        {{Kind::Allow, kInstaller, kFullControl, false},
                         {Kind::Allow, "S-1-5-18", kFullControl, false},
                         {Kind::Allow, "S-1-5-32-544", kFullControl, false},
                         {Kind::Allow, kUsers, kReadExecute, false},
                         {Kind::Allow, "S-1-3-0", 0x10000000, true},
                         {Kind::Allow, "S-1-15-2-1", kReadExecute, false}}};
    access.entries.push_back(std::move(more));
    return access;
}

// Whether only administrators may change a file or its folder, and whether only they may rename
// within a folder above (adding a folder there is harmless).
TEST(ProtectedPlace, OnlyAdministratorsAndSystemMayChangeOrRename)
{
    const AccessEntry none{Kind::Allow, kUsers, kReadExecute, false};
    ObjectAccess noList = With(none);
    noList.hasDacl = false;
    const struct {
        const char* what;
        ObjectAccess access;
        bool change, rename;
    } cases[] = {
        {"administrators only", With(none), true, true},
        {"Users may modify", With({Kind::Allow, kUsers, kModify, false}), false, false},
        {"Users may add files", With({Kind::Allow, kUsers, 0x2, false}), false, true},
        {"Authenticated Users may add folders", With({Kind::Allow, "S-1-5-11", 0x4, false}), false, true},
        {"Users may delete inside", With({Kind::Allow, kUsers, 0x40, false}), false, false},
        {"Users may delete it", With({Kind::Allow, kUsers, 0x10000, false}), false, false},
        {"Users may re-permission", With({Kind::Allow, kUsers, 0x40000, false}), false, false},
        {"Users may take ownership", With({Kind::Allow, kUsers, 0x80000, false}), false, false},
        {"generic write", With({Kind::Allow, kUsers, 0x40000000, false}), false, true},
        {"write for children only", With({Kind::Allow, kUsers, kModify, true}), true, true},
        {"a deny grants nothing", With({Kind::Deny, kUsers, kModify, false}), true, true},
        {"attributes only", With({Kind::Allow, kUsers, 0x100 | 0x10 | kReadExecute, false}), true, true},
        {"audit entry", With({Kind::Other, kEveryone, kFullControl, false}), true, true},
        {"owned by a user", With(none, kInteractiveUser), false, false},
        {"owner unknown", With(none, ""), false, false},
        {"no access list", noList, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnlyAdministratorsCanChange(c.access), c.change) << c.what;
        EXPECT_EQ(OnlyAdministratorsCanRename(c.access), c.rename) << c.what;
    }
}

} // namespace
