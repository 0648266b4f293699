#pragma once
// The main window's compact and expanded forms. Free of any window, so tested natively.

// Window geometry.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
// The compact window is the left half of the full one.
Box CompactBox(const Box& full);
// Top-left corner that centres a box of this size on the screen.
Box CentredBox(const Box& box, int screenWidth, int screenHeight);
// Left edge of the white right-hand panel in the expanded form.
int RightPanelX(const Box& expandedClient, const Box& compactClient);
// A control of the right half lies past the compact window: it is hidden with that half, so that
// Tab and a screen reader do not reach what cannot be seen.
bool InRightHalf(const Box& control, const Box& compactClient);
