#include "memory/cleaning_report.h"

namespace {

struct Row {
    const std::string* label;
    std::string value;
    std::string unit;
};

} // namespace

const std::string& CleaningReport::Text(int controlId) const
{
    static const std::string none;
    const int index = controlId - kReportFirstControl;
    return index >= 0 && index < kReportControlCount ? texts[static_cast<size_t>(index)] : none;
}

CleaningReport LayOutCleaningReport(const ReportFigures& figures, const ReportTexts& texts)
{
    const CleanGain gain = GainBetween(figures.before, figures.after, figures.pageSize);
    CleaningReport report;
    report.gained = figures.anyStepDone && figures.after.availPhysMB != figures.before.availPhysMB;

    // Byte figures are printed unsigned and 64-bit wide: memory of 2 GB or more stays positive.
    const Row available{&texts.available, std::to_string(figures.availPhysBytes), texts.bytes};
    const Row installed{&texts.installed, std::to_string(figures.totalPhysBytes), texts.bytes};
    std::array<Row, 4> rows;
    if (report.gained) {
        rows = {available, installed, Row{&texts.gainedMB, std::to_string(gain.megabytes), "MB"},
                Row{&texts.gainedPages, std::to_string(gain.pages), texts.pages}};
    } else {
        rows = {Row{&texts.nothingGained, "", ""}, available, installed, Row{nullptr, "", ""}};
        report.texts[kReportAdviceControl - kReportFirstControl] =
            figures.cleanUpRun ? texts.adviceCleanUp : texts.adviceOther;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].label)
            report.texts[3 * i] = *rows[i].label;
        report.texts[3 * i + 1] = rows[i].value;
        report.texts[3 * i + 2] = rows[i].unit;
    }
    return report;
}
