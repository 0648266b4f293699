#include "app/main_window/window_geometry.h"

#include <algorithm>

Box CompactBox(const Box& full)
{
    Box compact = full;
    compact.right = full.left + full.Width() / 2;
    return compact;
}

Box CentredBox(const Box& box, int screenWidth, int screenHeight)
{
    Box centred;
    centred.left = (screenWidth - box.Width()) / 2;
    centred.top = (screenHeight - box.Height()) / 2;
    centred.right = centred.left + box.Width();
    centred.bottom = centred.top + box.Height();
    return centred;
}

int RightPanelX(const Box& expandedClient, const Box& compactClient)
{
    return std::max(expandedClient.left + expandedClient.Width() / 2, compactClient.right);
}

bool InRightHalf(const Box& control, const Box& compactClient) { return control.left >= compactClient.right; }
