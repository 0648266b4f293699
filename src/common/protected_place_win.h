#pragma once
// The access lists of real files and folders, for the decision in protected_place.h.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/protected_place.h"

// Owner and access list of a security descriptor.
ObjectAccess AccessFromDescriptor(PSECURITY_DESCRIPTOR descriptor);

// Owner and access list of a file or folder; nothing when they cannot be read.
std::optional<ObjectAccess> ReadObjectAccess(const std::string& path);

// True when only administrators can change the file (if it exists) and the folder it lies in, and
// rename any folder above. On Windows 9x every user is an administrator, so every place counts as
// protected there.
bool IsProtectedPlace(const std::string& filePath);

// What the program asks: IsProtectedPlace unless a check is installed. Wine reports every file as
// owned and fully writable by the user, so tests that need a protected place install one; an empty
// check puts IsProtectedPlace back.
bool CheckProtectedPlace(const std::string& filePath);
void SetProtectedPlaceCheck(std::function<bool(const std::string& filePath)> check);
