#pragma once
// Which family of Windows runs the program.

// True on Windows 95/98/Me: the one platform-family test of the program.
bool IsWindows9x();
