#include "common/protected_place.h"

#include <gtest/gtest.h>

#include <functional>

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
        {"an entry of a kind not read", With({Kind::Other, kEveryone, kReadExecute, false}), false, false},
        {"owned by a user", With(none, kInteractiveUser), false, false},
        {"owner unknown", With(none, ""), false, false},
        {"no access list", noList, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OnlyAdministratorsCanChange(c.access), c.change) << c.what;
        EXPECT_EQ(OnlyAdministratorsCanRename(c.access), c.rename) << c.what;
    }
}

// Decided on where the file really lies: a fixed local drive, no link on either path, every access
// list read whole, the file and its folder changed and the folders above renamed by no one else.
TEST(ProtectedPlace, OnlyAFixedDriveWithoutLinksWhereUsersChangeNothing)
{
    using V = PlaceVerdict;
    const ObjectAccess admins = With({Kind::Allow, kUsers, kReadExecute, false});
    const ObjectAccess usersAdd = With({Kind::Allow, kUsers, 0x4, false}); // as on C:\ itself
    const ObjectAccess usersRename = With({Kind::Allow, kUsers, 0x10000, false});
    const std::vector<PlaceStep> steps(4, PlaceStep{true, false, admins});
    const PlaceFacts programFiles{"C:\\Program Files\\Tidewell\\Delay.ini", steps,
                                  "\\\\?\\C:\\Program Files\\Tidewell\\Delay.ini", DriveKind::Fixed, steps, false};
    using F = PlaceFacts&;
    const AccessEntry unread{Kind::Other, kEveryone, 0, false}, noSid{Kind::Deny, "", 2, false};
    const auto missing = [](F f) { f.fileMissing = true; f.finalSteps.pop_back(); };
    const struct { const char* what; std::function<void(F)> change; PlaceVerdict verdict; } cases[] = {
        {"Program Files", [](F) {}, V::Protected},
        {"users may add folders to the drive", [&](F f) { f.finalSteps[0].access = usersAdd; }, V::Protected},
        {"a share", [](F f) { f.requested = "\\\\server\\share\\Delay.ini"; }, V::NetworkPath},
        {"a final path on a share", [](F f) { f.finalPath = "\\\\?\\UNC\\s\\t\\Delay.ini"; }, V::NetworkPath},
        {"a network drive", [](F f) { f.drive = DriveKind::Network; }, V::NetworkPath},
        {"a removable drive", [](F f) { f.drive = DriveKind::Removable; }, V::NotFixedDrive},
        {"a junction on the way", [](F f) { f.requestedSteps[1].reparsePoint = true; }, V::ThroughLink},
        {"a link on the final path", [](F f) { f.finalSteps[3].reparsePoint = true; }, V::ThroughLink},
        {"a drive root read as a link", [](F f) { f.finalSteps[0].reparsePoint = true; }, V::Protected},
        {"a step not seen", [](F f) { f.requestedSteps[2].seen = false; }, V::Unreadable},
        {"nothing opened", [](F f) { f.finalSteps.clear(); }, V::Unreadable},
        {"an access list not read", [](F f) { f.finalSteps[0].access.reset(); }, V::Unreadable},
        {"an entry not read", [&](F f) { f.finalSteps[1].access->entries.push_back(unread); }, V::Unreadable},
        {"a SID not read", [&](F f) { f.finalSteps[2].access->entries.push_back(noSid); }, V::Unreadable},
        {"users may add to its folder", [&](F f) { f.finalSteps[2].access = usersAdd; }, V::UsersMayChange},
        {"users may rename a folder above", [&](F f) { f.finalSteps[1].access = usersRename; }, V::UsersMayChange},
        {"a missing file's folder", missing, V::Protected},
        {"users may add to it", [&](F f) { missing(f); f.finalSteps[2].access = usersAdd; }, V::UsersMayChange},
    };
    for (const auto& c : cases) {
        PlaceFacts facts = programFiles;
        c.change(facts);
        EXPECT_EQ(DecidePlace(facts), c.verdict) << c.what;
    }
    EXPECT_EQ(PathSteps("\\\\?\\c:\\a\\\\b\\"), (std::vector<std::string>{"c:\\", "c:\\a", "c:\\a\\\\b"}));
    EXPECT_TRUE(PathSteps("Tidewell\\Delay.ini").empty() && PathSteps("\\\\?\\UNC\\s\\t").empty());
}

} // namespace
