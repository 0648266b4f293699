#pragma once
// Whether a file lies in a place only administrators can change, decided over what the place check
// saw on the way to it. Tidewell runs elevated, so what it starts at logon must come from such a
// place: anything a plain user could replace there would run with full rights.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct AccessEntry {
    enum class Kind { Allow, Deny, Other }; // Other: a kind this program cannot read
    Kind kind = Kind::Allow;
    std::string sid;      // "S-1-5-32-545"; empty when it could not be read
    uint32_t mask = 0;    // access rights as stored, generic bits included
    bool inheritOnly = false; // meant for children only: does not apply to the object itself
};

struct ObjectAccess {
    std::string owner;        // SID text; empty when unknown
    bool hasDacl = true;      // false: no access list at all, which lets everyone do everything
    std::vector<AccessEntry> entries;
};

// SYSTEM, the Administrators group and TrustedInstaller.
bool IsAdministrativeSid(std::string_view sid);

// True when no one but administrators may write, add, delete or re-permission the object. Deny
// entries are not credited: an allow entry for a user counts even where a deny might win, so a
// doubtful list is refused rather than trusted.
bool OnlyAdministratorsCanChange(const ObjectAccess& access);

// For the folders above: true when no one but administrators may rename or delete what lies in it
// or the folder itself, or re-permission it. Whoever can rename a folder on the way can put another
// in its place. Adding files or folders beside it is harmless.
bool OnlyAdministratorsCanRename(const ObjectAccess& access);

enum class DriveKind { Fixed, Removable, Network, Other }; // Other: CD, RAM disk, unknown

// One folder or file on the way, looked at itself, never at what it leads to.
struct PlaceStep {
    bool seen = false;         // its attributes could be read
    bool reparsePoint = false; // a junction, symbolic link or mount point, which a user may re-point
    std::optional<ObjectAccess> access; // owner and access list; nothing when they could not be read
};

struct PlaceFacts {
    std::string requested;                 // the path as asked for
    std::vector<PlaceStep> requestedSteps; // its drive root, folders and file (attributes only)
    std::string finalPath;                 // where the opened file really lies, as Windows names it
    DriveKind drive = DriveKind::Other;    // of the final path
    std::vector<PlaceStep> finalSteps;     // the final path's steps, root first
    bool fileMissing = false;              // the last step is the folder the file would be made in
};

enum class PlaceVerdict { Protected, NetworkPath, NotFixedDrive, ThroughLink, Unreadable, UsersMayChange };

// Protected only on a local fixed drive, with no link on the way, every access list read whole,
// the file and its folder changeable and every folder above renamable by administrators alone.
PlaceVerdict DecidePlace(const PlaceFacts& facts);

// The plain drive path: "\\?\C:\a" and "C:\a" give "C:\a"; anything else (a share, a relative
// path, a device) gives nothing.
std::string DrivePathOf(const std::string& path);
// A drive path's steps: "C:\a\b" gives "C:\", "C:\a", "C:\a\b"; nothing for other paths.
std::vector<std::string> PathSteps(const std::string& path);
// A path on a share: \\server\share\..., \\?\UNC\... .
bool IsNetworkPath(const std::string& path);
