#include "common/protected_place.h"

#include <algorithm>
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
        if (entry.kind == AccessEntry::Kind::Other)
            return false; // it may grant anything
        if (entry.kind != AccessEntry::Kind::Allow || entry.inheritOnly || (entry.mask & rights) == 0)
            continue;
        if (entry.sid == kCreatorOwner || entry.sid == kOwnerRights)
            continue; // never in a token, or the owner checked above
        if (!IsAdministrativeSid(entry.sid))
            return false;
    }
    return true;
}

// An access list is trusted only when every part of it was read.
bool ReadWhole(const std::optional<ObjectAccess>& access)
{
    return access && !access->owner.empty() && std::ranges::none_of(access->entries, [](const AccessEntry& e) {
               return e.kind == AccessEntry::Kind::Other || e.sid.empty();
           });
}

bool StartsWith(const std::string& text, std::string_view start) { return text.compare(0, start.size(), start) == 0; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(const std::string& path)
{
    const unsigned char letter = static_cast<unsigned char>(path.size() >= 3 ? path[0] : 0);
    return ((letter | 0x20) >= 'a' && (letter | 0x20) <= 'z') && path[1] == ':' && IsSeparator(path[2]);
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

std::string DrivePathOf(const std::string& path)
{
    const std::string plain = StartsWith(path, "\\\\?\\") ? path.substr(4) : path;
    return IsDriveRoot(plain) ? plain : std::string();
}

std::vector<std::string> PathSteps(const std::string& path)
{
    const std::string plain = DrivePathOf(path);
    if (plain.empty())
        return {};
    std::vector<std::string> steps{plain.substr(0, 3)};
    for (size_t end = 3; end <= plain.size(); ++end)
        if ((end == plain.size() || IsSeparator(plain[end])) && !IsSeparator(plain[end - 1]))
            steps.push_back(plain.substr(0, end));
    return steps;
}

bool IsNetworkPath(const std::string& path)
{
    if (StartsWith(path, "\\\\?\\") || StartsWith(path, "\\\\.\\"))
        return path.size() >= 8 && (path.compare(4, 4, "UNC\\") == 0 || path.compare(4, 4, "unc\\") == 0);
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

PlaceVerdict DecidePlace(const PlaceFacts& facts)
{
    if (IsNetworkPath(facts.requested) || IsNetworkPath(facts.finalPath) || facts.drive == DriveKind::Network)
        return PlaceVerdict::NetworkPath;
    if (facts.requestedSteps.empty() || facts.finalSteps.empty())
        return PlaceVerdict::Unreadable;
    if (facts.drive != DriveKind::Fixed)
        return PlaceVerdict::NotFixedDrive;
    // A drive's root is the drive itself, which no plain user re-points (Wine reports its Z: as a link).
    for (const auto* steps : {&facts.requestedSteps, &facts.finalSteps})
        if (std::any_of(steps->begin() + 1, steps->end(), [](const PlaceStep& s) { return s.reparsePoint; }))
            return PlaceVerdict::ThroughLink;
    for (const auto* steps : {&facts.requestedSteps, &facts.finalSteps})
        if (std::ranges::any_of(*steps, [](const PlaceStep& s) { return !s.seen; }))
            return PlaceVerdict::Unreadable;
    if (!std::ranges::all_of(facts.finalSteps, [](const PlaceStep& s) { return ReadWhole(s.access); }))
        return PlaceVerdict::Unreadable;
    // The file and the folder it lies in are changed by no one else; folders above only keep their names.
    const size_t changed = facts.fileMissing ? 1 : 2;
    const size_t count = facts.finalSteps.size();
    for (size_t i = 0; i < count; ++i) {
        const ObjectAccess& access = *facts.finalSteps[i].access;
        if (!(i + changed >= count ? OnlyAdministratorsCanChange(access) : OnlyAdministratorsCanRename(access)))
            return PlaceVerdict::UsersMayChange;
    }
    return PlaceVerdict::Protected;
}
