#pragma once
// Where a link label goes when it is fitted to its text.

struct LinkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const LinkBox&) const = default;
};

enum class LinkAlign { Left, Centre, Right };

// The control's box in parent coordinates, resized to the text: the anchor edge (left, right,
// or both sides evenly when centred) stays; vertically the top stays unless the text is centred.
LinkBox FitLinkBox(const LinkBox& box, int textWidth, int textHeight, LinkAlign align,
                   bool centreVertically);
