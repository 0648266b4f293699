#pragma once
// Saves what a window shows on screen as <TIDEWELL_SCREENSHOT_DIR>\<name><TIDEWELL_SCREENSHOT_SUFFIX>.bmp;
// scripts/screenshots.sh turns the files into PNG.
#include <windows.h>

#include <string>

// Brings the window to the front, lets it paint, and copies its screen area. True when written.
bool SavePicture(HWND window, const std::string& name);
// Shows a real message box, saves its picture while it is open, then closes it with `answer`.
bool SaveMessageBoxPicture(HWND owner, const std::string& text, const std::string& caption, UINT type, int answer,
                           const std::string& name);
