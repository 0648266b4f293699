#pragma once
// The tray's picture of free memory: a base icon by use, with the free percentage written on it.
#include <windows.h>

#include <string>

#include "app/main_dlg_geometry.h"
#include "memory/memory_status.h"

// A new icon the caller destroys; null when it could not be made. Every other GDI object made
// for it is released before returning: it is rebuilt whenever its number changes, for the life
// of the process.
// The picture is square, `size` pixels; without a size, the small-icon size the system asks for.
HICON BuildTrayPicture(HWND window);
HICON BuildTrayPicture(HWND window, const MemoryStatus& status, int size);
// Names the picture a status gives at a size: equal names, equal pictures.
std::string TrayPictureName(const MemoryStatus& status, int size);

inline Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }
