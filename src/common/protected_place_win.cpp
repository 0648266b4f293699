#include "common/protected_place_win.h"

#include <aclapi.h>
#include <sddl.h>

#include <utility>

#include "common/windows_family_win.h"

namespace {

std::string SidText(PSID sid)
{
    std::string text;
    LPSTR converted = nullptr;
    if (sid && IsValidSid(sid) && ConvertSidToStringSidA(sid, &converted)) {
        text = converted;
        LocalFree(converted);
    }
    return text;
}

AccessEntry::Kind KindOf(BYTE type)
{
    switch (type) {
    case ACCESS_ALLOWED_ACE_TYPE:
    case ACCESS_ALLOWED_OBJECT_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE:
        return AccessEntry::Kind::Allow;
    case ACCESS_DENIED_ACE_TYPE:
    case ACCESS_DENIED_OBJECT_ACE_TYPE:
    case ACCESS_DENIED_CALLBACK_ACE_TYPE:
    case ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE:
        return AccessEntry::Kind::Deny;
    default:
        return AccessEntry::Kind::Other;
    }
}

// The SID of an entry; object entries put it after their optional GUIDs.
PSID EntrySid(ACE_HEADER* header)
{
    switch (header->AceType) {
    case ACCESS_ALLOWED_OBJECT_ACE_TYPE:
    case ACCESS_DENIED_OBJECT_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE:
    case ACCESS_DENIED_CALLBACK_OBJECT_ACE_TYPE: {
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_OBJECT_ACE*>(header);
        BYTE* sid = reinterpret_cast<BYTE*>(&ace->ObjectType);
        if (ace->Flags & ACE_OBJECT_TYPE_PRESENT)
            sid += sizeof(GUID);
        if (ace->Flags & ACE_INHERITED_OBJECT_TYPE_PRESENT)
            sid += sizeof(GUID);
        return sid;
    }
    default:
        // Every other entry lays out header, mask, SID.
        return &reinterpret_cast<ACCESS_ALLOWED_ACE*>(header)->SidStart;
    }
}

// C:\a\b gives C:\a, C:\a gives C:\ (a drive's root keeps its backslash), C:\ gives nothing.
std::string ParentFolder(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos || slash + 1 == path.size())
        return {};
    return path.substr(0, slash == 2 && path[1] == ':' ? 3 : slash);
}

} // namespace

ObjectAccess AccessFromDescriptor(PSECURITY_DESCRIPTOR descriptor)
{
    ObjectAccess access;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (GetSecurityDescriptorOwner(descriptor, &owner, &defaulted))
        access.owner = SidText(owner);
    BOOL present = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl) {
        access.hasDacl = false;
        return access;
    }
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace))
            continue;
        auto* header = static_cast<ACE_HEADER*>(ace);
        AccessEntry entry;
        entry.kind = KindOf(header->AceType);
        entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
        // Allow, deny and their variants all keep the mask right after the header.
        entry.mask = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header)->Mask;
        entry.sid = SidText(EntrySid(header));
        access.entries.push_back(std::move(entry));
    }
    return access;
}

std::optional<ObjectAccess> ReadObjectAccess(const std::string& path)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD rc = GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
                                           OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                                           nullptr, nullptr, nullptr, &descriptor);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    ObjectAccess access = AccessFromDescriptor(descriptor);
    LocalFree(descriptor);
    return access;
}

bool IsProtectedPlace(const std::string& filePath)
{
    if (IsWindows9x())
        return true;
    const std::string folder = ParentFolder(filePath);
    if (folder.empty())
        return false;
    const auto folderAccess = ReadObjectAccess(folder);
    if (!folderAccess || !OnlyAdministratorsCanChange(*folderAccess))
        return false;
    if (GetFileAttributesA(filePath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const auto file = ReadObjectAccess(filePath);
        if (!file || !OnlyAdministratorsCanChange(*file))
            return false;
    }
    for (std::string above = ParentFolder(folder); !above.empty(); above = ParentFolder(above)) {
        const auto access = ReadObjectAccess(above);
        if (!access || !OnlyAdministratorsCanRename(*access))
            return false;
    }
    return true;
}

namespace {
std::function<bool(const std::string&)> placeCheck;
} // namespace

bool CheckProtectedPlace(const std::string& filePath)
{
    return placeCheck ? placeCheck(filePath) : IsProtectedPlace(filePath);
}

void SetProtectedPlaceCheck(std::function<bool(const std::string& filePath)> check) { placeCheck = std::move(check); }
