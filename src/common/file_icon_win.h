#pragma once
// Appends a file's icon to a 16 x 16 image list.
#include <windows.h>
#include <commctrl.h>

#include <string>

// The new icon's index, or -1 when none could be appended.
int AddFileIcon(const std::string& path, HIMAGELIST images);
