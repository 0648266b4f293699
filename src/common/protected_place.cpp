#include "common/protected_place.h"

#include <array>

namespace {

// Rights that change a file or folder or what lies in it. Reading, attributes and extended
// attributes do not let anyone swap what gets started.
constexpr uint32_t kWriteData = 0x2;       // also: add a file to a folder
constexpr uint32_t kAppendData = 0x4;      // also: add a subfolder
constexpr uint32_t kDeleteChild = 0x40;
constexpr uint32_t kDelete = 0x10000;
constexpr uint32_t kWriteDac = 0x40000;
constexpr uint32_t kWriteOwner = 0x80000;
constexpr uint32_t kGenericAll = 0x10000000;
constexpr uint32_t kGenericWrite = 0x40000000;
constexpr uint32_t kChangeRights = kWriteData | kAppendData | kDeleteChild | kDelete | kWriteDac |
                                   kWriteOwner | kGenericAll | kGenericWrite;

// Rights on a folder above that let someone move what is below it.
constexpr uint32_t kRenameRights = kDeleteChild | kDelete | kWriteDac | kWriteOwner | kGenericAll;

constexpr std::string_view kCreatorOwner = "S-1-3-0"; // replaced by the creator in inherited copies
constexpr std::string_view kOwnerRights = "S-1-3-4";  // whoever owns the object

bool OnlyAdministratorsHave(const ObjectAccess& access, uint32_t rights)
{
    // An owner may always rewrite the access list.
    if (!IsAdministrativeSid(access.owner))
        return false;
    if (!access.hasDacl)
        return false;
    for (const AccessEntry& entry : access.entries) {
        if (entry.kind != AccessEntry::Kind::Allow || entry.inheritOnly || (entry.mask & rights) == 0)
            continue;
        if (entry.sid == kCreatorOwner || entry.sid == kOwnerRights)
            continue; // never in a token, or the owner checked above
        if (!IsAdministrativeSid(entry.sid))
            return false;
    }
    return true;
}

} // namespace

bool IsAdministrativeSid(std::string_view sid)
{
    static constexpr std::array<std::string_view, 3> kAdministrative = {
        "S-1-5-18", "S-1-5-32-544", "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"};
    for (std::string_view known : kAdministrative)
        if (sid == known)
            return true;
    return false;
}

bool OnlyAdministratorsCanChange(const ObjectAccess& access) { return OnlyAdministratorsHave(access, kChangeRights); }

bool OnlyAdministratorsCanRename(const ObjectAccess& access) { return OnlyAdministratorsHave(access, kRenameRights); }
