#pragma once
// Whether a file or folder can be changed only by administrators, decided over its owner and access
// entries. Tidewell runs elevated, so what it starts at logon must come from such a place: anything
// a plain user could replace there would run with full rights.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct AccessEntry {
    enum class Kind { Allow, Deny, Other }; // Other: audit and label entries, which grant nothing
    Kind kind = Kind::Allow;
    std::string sid;      // "S-1-5-32-545"
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
