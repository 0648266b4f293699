#include "app/tray/tray_figure.h"

#include "controls/contrast.h"

using controls::Colour;

TrayColours ChooseTrayColours(Colour badge, bool lightTaskbar, const std::optional<SchemeColours>& highContrast)
{
    if (highContrast)
        return {highContrast->back, highContrast->text, highContrast->text};
    const Colour taskbar = lightTaskbar ? kLightTaskbar : kDarkTaskbar;
    TrayColours chosen{badge, controls::ReadableOn(badge, controls::Rgb(0, 0, 0)), std::nullopt};
    if (controls::ContrastRatio(badge, taskbar) < controls::kShapeContrast)
        chosen.rim = controls::ReadableOn(taskbar, controls::Rgb(0, 0, 0), controls::kShapeContrast);
    return chosen;
}
