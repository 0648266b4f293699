#pragma once
// Bitmaps drawn anew for larger scales rather than stretched: the resource id of the drawing made
// for the scale nearest a DPI.
#include "resources/resource.h"

inline int ArtIdForDpi(int id, int dpi)
{
    return id + (dpi >= 168 ? IDB_ART_200_OFFSET : dpi >= 120 ? IDB_ART_150_OFFSET : 0);
}
