#pragma once
// The Windows side of file_bytes.h, for callers that hold the file open themselves.
#include <windows.h>

#include <string>

#include "common/file_bytes.h"

// Reads from the current position to the end of an open file.
FileRead ReadOpenFile(HANDLE file, std::string& bytes);
