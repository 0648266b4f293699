#pragma once
// The tray's picture of free memory: a base icon by use, with the free percentage written on it in
// a colour that reads on it, outlined where the taskbar would swallow it (tray_figure.h).
#include <windows.h>

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/tray/tray_figure.h"
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

    // The taskbar the pictures sit on, and a high-contrast scheme's colours while one is on; until
    // told, a dark taskbar.
    void SetLook(bool lightTaskbar, const std::optional<SchemeColours>& highContrast);
    HICON Build(HWND window, const MemoryStatus& status, int size);
    // Names the picture Build would make: equal names, equal pictures.
    std::string Name(const MemoryStatus& status, int size) const;
    // The same picture, made only when it is not among the last few asked for: the figure of a
    // resident moves back and forth across a few numbers, and making an icon costs the window
    // system more than the rest of a tick. Shared, so that the tray keeps the one it shows.
    std::shared_ptr<const win32::UniqueIcon> Picture(HWND window, const MemoryStatus& status, int size);

private:
    struct Base;
    bool Prepare(HWND window, int size);
    int size_ = 0;
    bool lightTaskbar_ = false;
    std::optional<SchemeColours> highContrast_;
    win32::UniqueMemoryDc dc_;
    win32::UniqueGdi<HBITMAP> picture_; // 32 bits a pixel, top row first, at pixels_
    std::uint32_t* pixels_ = nullptr;
    win32::UniqueGdi<HFONT> font_;
    std::map<int, std::unique_ptr<Base>> bases_; // by base icon, at size_
    std::list<std::pair<std::string, std::shared_ptr<const win32::UniqueIcon>>> recent_; // by name, newest first
};

// One picture with a painter of its own.
HICON BuildTrayPicture(HWND window, const MemoryStatus& status, int size);
// Names the figure and base a status gives at a size, whatever the look.
std::string TrayPictureName(const MemoryStatus& status, int size);

