#pragma once
// A file's icon appended to a 16 x 16 image list: the startup list and the process list use it.
#include <windows.h>
#include <commctrl.h>

#include <string>

// The path may be a quoted command line: its quoted part names the file. The icon is the first
// small icon inside the file when it lies in a protected place, else the program's default file icon.
// Returns the new icon's index, or -1 when nothing could be appended.
int AddFileIcon(const std::string& path, HIMAGELIST images);

// The file a quoted command line names: from its second character up to the next quote.
std::string UnquotedIconPath(const std::string& path);
