#include "common/protected_place.h"

#include <gtest/gtest.h>

namespace {

using Kind = AccessEntry::Kind;

constexpr char kSystem[] = "S-1-5-18";
constexpr char kAdministrators[] = "S-1-5-32-544";
constexpr char kInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr char kUsers[] = "S-1-5-32-545";
constexpr char kAuthenticated[] = "S-1-5-11";
constexpr char kEveryone[] = "S-1-1-0";
constexpr char kInteractiveUser[] = "S-1-5-21-3623811015-3361044348-30300820-1001";

constexpr uint32_t kFullControl = 0x1F01FF;
constexpr uint32_t kModify = 0x1301BF;
constexpr uint32_t kReadExecute = 0x1200A9;

// As Program Files carries it: administrators change, users read.
ObjectAccess AdministratorsOnly()
{
    return {kInstaller,
            true,
            {{Kind::Allow, kInstaller, kFullControl, false},
             {Kind::Allow, kSystem, kFullControl, false},
             {Kind::Allow, kAdministrators, kFullControl, false},
             {Kind::Allow, kUsers, kReadExecute, false},
             {Kind::Allow, "S-1-3-0", 0x10000000, true},
             {Kind::Allow, "S-1-15-2-1", kReadExecute, false}}};
}

ObjectAccess With(AccessEntry entry)
{
    ObjectAccess access = AdministratorsOnly();
    access.entries.push_back(std::move(entry));
    return access;
}

TEST(ProtectedPlace, OnlyAdministratorsAndSystemMayChange)
{
    ObjectAccess ownedByUser = AdministratorsOnly();
    ownedByUser.owner = kInteractiveUser;
    ObjectAccess noList = AdministratorsOnly();
    noList.hasDacl = false;
    ObjectAccess unknownOwner = AdministratorsOnly();
    unknownOwner.owner.clear();

    const struct {
        const char* what;
        ObjectAccess access;
        bool onlyAdministrators;
    } cases[] = {
        {"administrators only", AdministratorsOnly(), true},
        {"Users may modify", With({Kind::Allow, kUsers, kModify, false}), false},
        {"Authenticated Users may modify", With({Kind::Allow, kAuthenticated, kModify, false}), false},
        {"Everyone has full control", With({Kind::Allow, kEveryone, kFullControl, false}), false},
        {"the interactive user's own entry", With({Kind::Allow, kInteractiveUser, kFullControl, false}), false},
        {"Users may add files only", With({Kind::Allow, kUsers, 0x2, false}), false},
        {"Users may delete", With({Kind::Allow, kUsers, 0x10000, false}), false},
        {"Users may re-permission", With({Kind::Allow, kUsers, 0x40000, false}), false},
        {"generic write", With({Kind::Allow, kUsers, 0x40000000, false}), false},
        {"write for children only", With({Kind::Allow, kUsers, kModify, true}), true},
        {"a deny grants nothing", With({Kind::Deny, kUsers, kModify, false}), true},
        {"attributes only", With({Kind::Allow, kUsers, 0x100 | 0x10 | kReadExecute, false}), true},
        {"audit entry", With({Kind::Other, kEveryone, kFullControl, false}), true},
        {"owned by a user", ownedByUser, false},
        {"owner unknown", unknownOwner, false},
        {"no access list", noList, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OnlyAdministratorsCanChange(c.access), c.onlyAdministrators) << c.what;
}

TEST(ProtectedPlace, FoldersAboveMayTakeNewFoldersButNoRenames)
{
    // A drive's root: everyone may add a folder, and owns what they add.
    ObjectAccess root = AdministratorsOnly();
    root.entries.push_back({Kind::Allow, kAuthenticated, 0x4, false});
    root.entries.push_back({Kind::Allow, kAuthenticated, kModify, true});
    EXPECT_TRUE(OnlyAdministratorsCanRename(root));
    EXPECT_FALSE(OnlyAdministratorsCanChange(root));
    EXPECT_FALSE(OnlyAdministratorsCanRename(With({Kind::Allow, kInteractiveUser, kFullControl, false})))
        << "a user's own folder";
    EXPECT_FALSE(OnlyAdministratorsCanRename(With({Kind::Allow, kUsers, 0x40, false}))) << "delete inside";
    EXPECT_FALSE(OnlyAdministratorsCanRename(With({Kind::Allow, kUsers, 0x10000, false}))) << "delete itself";
}

} // namespace
