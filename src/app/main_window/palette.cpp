#include "app/main_window/palette.h"

#include <cstddef>

#include "controls/history_bar_model.h"

namespace palette {

MonitorPalette ChooseMonitorPalette(bool highContrast, bool dark, const SystemColours& system)
{
    if (!highContrast) {
        std::array<Colour, 3> references{};
        for (std::size_t i = 0; i < references.size(); ++i)
            references[i] = controls::kHistoryReferenceLines[i].colour;
        MonitorPalette own{kWindowField, kNavy, kGrey, kWhite, kDarkShadow, kBlack, kClockPanel,
                           kLightBlue, kCleaningTitle, kFigureText, kWhite,
                           kNavy, kGrey, kGrey, kLightBlue, kCleaningGreen,
                           controls::kGraphBackground, controls::kGraphGrid, kCpuLine,
                           controls::kHistoryBarColour, controls::kHistoryHatchColour, references,
                           kLightBlue, kAlertRed, false, dark};
        if (dark) {
            own.field = kDarkField;
            own.panelShadow = own.settingsShadow = kBlack;
            own.settings = kDarkSettings;
            own.settingsText = kDarkSettingsText;
        }
        return own;
    }
    const Colour back = system.window, text = system.windowText, mark = system.highlight, guide = system.grayText;
    // The right half holds buttons and check boxes, which draw their text in the button colours.
    return {system.buttonFace, back, text, system.buttonFace, text, system.buttonText, back,
            text, mark, text, text,
            back, back, guide, mark, mark,
            back, guide, mark,
            mark, back, {guide, guide, guide},
            text, mark, true, false};
}

} // namespace palette
