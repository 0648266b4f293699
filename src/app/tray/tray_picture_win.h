#pragma once
// The tray's picture of free memory: a base icon by use, with the free percentage written on it.
#include <windows.h>

#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "memory/memory_status.h"
#include "win32/handles.h"

// Makes the pictures, square, `size` pixels (the tray's small-icon size). A resident makes one
// whenever the number changes, for months: the drawing surface, the font and the base icons are
// made once per size and kept, and each picture is a new icon the caller destroys (null when it
// could not be made).
class CTrayPicturePainter {
public:
    CTrayPicturePainter();
    ~CTrayPicturePainter();
    CTrayPicturePainter(const CTrayPicturePainter&) = delete;
    CTrayPicturePainter& operator=(const CTrayPicturePainter&) = delete;

    HICON Build(HWND window, const MemoryStatus& status, int size);
    // The same picture, made only when it is not among the last few asked for: the figure of a
    // resident moves back and forth across a few numbers, and making an icon costs the window
    // system more than the rest of a tick. Shared, so that the tray keeps the one it shows.
    std::shared_ptr<const win32::UniqueIcon> Picture(HWND window, const MemoryStatus& status, int size);

private:
    struct Base;
    bool Prepare(HWND window, int size);
    int size_ = 0;
    win32::UniqueMemoryDc dc_;
    win32::UniqueGdi<HBITMAP> picture_;
    win32::UniqueGdi<HFONT> font_;
    std::map<int, std::unique_ptr<Base>> bases_; // by base icon, at size_
    std::list<std::pair<std::string, std::shared_ptr<const win32::UniqueIcon>>> recent_; // by name, newest first
};

// One picture with a painter of its own.
HICON BuildTrayPicture(HWND window, const MemoryStatus& status, int size);
// Names the picture a status gives at a size: equal names, equal pictures.
std::string TrayPictureName(const MemoryStatus& status, int size);

