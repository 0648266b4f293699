#pragma once
// The place check on real files: opens the file, asks Windows where it really lies, and looks at
// every step of both paths without following links (decided in protected_place.h).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/file_bytes.h"
#include "common/protected_place.h"

// Owner and access list of a security descriptor; an entry that cannot be read stays in the list
// as one of kind Other, so that the decision refuses it.
ObjectAccess AccessFromDescriptor(PSECURITY_DESCRIPTOR descriptor);

// Owner and access list of an open file or folder; nothing when they cannot be read.
std::optional<ObjectAccess> ReadObjectAccess(HANDLE object);

struct PlaceCheck {
    PlaceVerdict verdict = PlaceVerdict::Unreadable;
    std::string finalPath; // where the file really lies, as a plain drive path; empty when unknown
};

// Decides on the file, or on the folder it would be made in when it does not exist. On Windows 9x
// every user is an administrator, so every place counts as protected there.
PlaceCheck CheckPlace(const std::string& path);

struct ProtectedRead {
    PlaceVerdict verdict = PlaceVerdict::Unreadable;
    FileRead read = FileRead::Unreadable; // Missing when there is no such file; nothing is read elsewhere
    bool inUse = false; // another program holds the file open or locked: it may be readable later
    bool Ok() const { return verdict == PlaceVerdict::Protected && read == FileRead::Ok; }
};

// Reads the file only when it lies in a protected place, through the one handle whose place and
// security were checked; while it is open no one else may write, rename or delete it.
ProtectedRead ReadProtectedFile(const std::string& path, std::string& bytes);

// Why a place is refused, in the interface's words.
std::string PlaceReasonText(PlaceVerdict verdict);

// What the check takes for an object's owner and access list: ReadObjectAccess unless a source is
// installed. Wine reports every file as owned and fully writable by the user, so tests that need a
// protected place install one; an empty source puts ReadObjectAccess back.
void SetObjectAccessSource(std::function<std::optional<ObjectAccess>(HANDLE object)> source);
