#include "controls/link_label_fit.h"

LinkBox FitLinkBox(const LinkBox& box, int textWidth, int textHeight, LinkAlign align,
                   bool centreVertically)
{
    LinkBox fitted = box;
    if (centreVertically)
        fitted.top = box.top + (box.bottom - box.top - textHeight) / 2;
    fitted.bottom = fitted.top + textHeight;

    switch (align) {
    case LinkAlign::Centre:
        fitted.left = box.left + (box.right - box.left - textWidth) / 2;
        break;
    case LinkAlign::Right:
        fitted.left = box.right - textWidth;
        break;
    case LinkAlign::Left:
        break;
    }
    fitted.right = fitted.left + textWidth;
    return fitted;
}
