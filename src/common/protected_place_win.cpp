#include "common/protected_place_win.h"

#include <aclapi.h>
#include <sddl.h>

#include <utility>

#include "common/file_bytes_win.h"
#include "common/resource_text.h"
#include "common/windows_family_win.h"
#include "win32/handles.h"

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
        AccessEntry entry;
        entry.kind = AccessEntry::Kind::Other; // unless it reads as an allow or deny entry
        if (GetAce(dacl, i, &ace)) {
            auto* header = static_cast<ACE_HEADER*>(ace);
            entry.kind = KindOf(header->AceType);
            entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
            // Allow, deny and their variants all keep the mask right after the header.
            if (entry.kind != AccessEntry::Kind::Other) {
                entry.mask = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header)->Mask;
                entry.sid = SidText(EntrySid(header));
            }
        }
        access.entries.push_back(std::move(entry));
    }
    return access;
}

std::optional<ObjectAccess> ReadObjectAccess(HANDLE object)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD rc = GetSecurityInfo(object, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                     nullptr, nullptr, nullptr, nullptr, &descriptor);
    if (rc != ERROR_SUCCESS)
        return std::nullopt;
    ObjectAccess access = AccessFromDescriptor(descriptor);
    LocalFree(descriptor);
    return access;
}

namespace {

std::function<std::optional<ObjectAccess>(HANDLE)> accessSource;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Where an open file or folder really lies, links resolved, as Windows names it ("\\?\C:\...").
std::string FinalPathOf(HANDLE object)
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleA(object, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length); // the size it needs, its terminator included
    }
}

DriveKind DriveOf(const std::string& root)
{
    switch (GetDriveTypeA(root.c_str())) {
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_REMOTE: return DriveKind::Network;
    default: return DriveKind::Other;
    }
}

// Attributes by name describe a link itself, not what it leads to; Wine reports a linked folder
// this way only.
PlaceStep StepByName(const std::string& path)
{
    PlaceStep step;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    step.seen = attributes != INVALID_FILE_ATTRIBUTES;
    step.reparsePoint = step.seen && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return step;
}

// A step of the final path with its security, read through `held` (the file itself) or through a
// handle to the step itself, never to what it leads to.
PlaceStep FinalStep(const std::string& path, HANDLE held)
{
    PlaceStep step = StepByName(path);
    win32::UniqueFileHandle own;
    if (!held) {
        own.reset(CreateFileA(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        held = own ? own.get() : INVALID_HANDLE_VALUE;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (held == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(held, &info)) {
        step.seen = false;
        return step;
    }
    step.reparsePoint = step.reparsePoint || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    step.access = accessSource ? accessSource(held) : ReadObjectAccess(held);
    return step;
}

PlaceFacts FactsOf(const std::string& requested, const std::string& opened, HANDLE held, bool fileMissing)
{
    PlaceFacts facts;
    facts.requested = requested;
    facts.fileMissing = fileMissing;
    for (const std::string& step : PathSteps(opened))
        facts.requestedSteps.push_back(StepByName(step));
    facts.finalPath = FinalPathOf(held);
    const std::vector<std::string> steps = PathSteps(facts.finalPath);
    if (steps.empty())
        return facts;
    facts.drive = DriveOf(steps.front());
    for (size_t i = 0; i < steps.size(); ++i)
        facts.finalSteps.push_back(FinalStep(steps[i], i + 1 == steps.size() ? held : nullptr));
    return facts;
}

struct OpenedPlace {
    win32::UniqueFileHandle handle;
    std::string path;         // the file, or the folder it would be made in
    bool fileMissing = false;
    DWORD error = 0;          // why the file could not be opened
};

bool HeldByAnother(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Links on the way are followed here: the final path names where they lead.
OpenedPlace OpenPlace(const std::string& path, DWORD access, DWORD share)
{
    OpenedPlace place;
    place.path = path;
    if (IsNetworkPath(path))
        return place; // never opened: opening a share sends the user's credentials to its server
    place.handle.reset(
        CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    place.error = place.handle ? 0 : GetLastError();
    if (place.handle || place.error != ERROR_FILE_NOT_FOUND)
        return place;
    place.fileMissing = true;
    place.path = path.substr(0, path.find_last_of("\\/"));
    if (place.path.size() == 2)
        place.path += '\\'; // a drive's root keeps its backslash
    place.handle.reset(CreateFileA(place.path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return place;
}

PlaceVerdict VerdictOf(const std::string& path, const OpenedPlace& place)
{
    if (IsWindows9x())
        return PlaceVerdict::Protected;
    if (IsNetworkPath(path))
        return PlaceVerdict::NetworkPath;
    if (!place.handle)
        return PlaceVerdict::Unreadable;
    return DecidePlace(FactsOf(path, place.path, place.handle.get(), place.fileMissing));
}

} // namespace

PlaceCheck CheckPlace(const std::string& path)
{
    const OpenedPlace place = OpenPlace(path, READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll);
    PlaceCheck check;
    check.verdict = VerdictOf(path, place);
    if (check.verdict == PlaceVerdict::Protected && !place.fileMissing)
        check.finalPath = IsWindows9x() ? path : DrivePathOf(FinalPathOf(place.handle.get()));
    return check;
}

ProtectedRead ReadProtectedFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const OpenedPlace place = OpenPlace(path, GENERIC_READ | READ_CONTROL, FILE_SHARE_READ);
    ProtectedRead result;
    result.verdict = VerdictOf(path, place);
    if (place.fileMissing)
        result.read = FileRead::Missing;
    else if (result.verdict == PlaceVerdict::Protected)
        result.read = ReadOpenFile(place.handle.get(), bytes);
    result.inUse = HeldByAnother(place.error) || (result.read == FileRead::Unreadable && HeldByAnother(GetLastError()));
    return result;
}

std::string PlaceReasonText(PlaceVerdict verdict)
{
    switch (verdict) {
    case PlaceVerdict::Protected: return {};
    case PlaceVerdict::NetworkPath: return UiText("strPlaceNetwork");
    case PlaceVerdict::NotFixedDrive: return UiText("strPlaceRemovable");
    case PlaceVerdict::ThroughLink: return UiText("strPlaceLink");
    case PlaceVerdict::Unreadable: return UiText("strPlaceUnreadable");
    case PlaceVerdict::UsersMayChange: return UiText("strPlaceUsersMayChange");
    }
    return {};
}

void SetObjectAccessSource(std::function<std::optional<ObjectAccess>(HANDLE object)> source)
{
    accessSource = std::move(source);
}
