// Which text the cleaning report puts into each of its controls.
#include "memory/cleaning_report.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

constexpr uint64_t kMB = 1024 * 1024;

TEST(CleaningReport, RowsForEachKindOfRunWithWholeSixtyFourBitFigures)
{
    const ReportTexts texts{"nothing", "available", "installed", "gained MB", "gained pages", "advice other",
                            "advice clean-up"};
    // Above 4 GB: no 32-bit form holds these.
    const std::string avail = "6442450944", total = "17179869184";
    using Texts = std::array<std::string, kReportControlCount>; // 1122 .. 1133 in rows of three, 1134
    const Texts nothing{"nothing", "", "", "available", avail, "bytes", "installed", total, "bytes", "", "", "", ""};
    const Texts gained{"available", avail, "bytes", "installed", total, "bytes", "gained MB", "4000", "MB",
                       "gained pages", "1024000", "pages", ""};
    const struct {
        int32_t before, after;
        bool cleanUpRun, anyStepDone;
        const Texts& texts;
        const char* advice;
    } rows[] = {
        {2000, 2000, false, true, nothing, "advice other"},
        {2000, 2000, true, true, nothing, "advice clean-up"},
        {2000, 6000, false, true, gained, ""},
        {6000, 2000, true, true, gained, ""},                // memory fell: shown without its sign
        {2000, 6000, false, false, nothing, "advice other"}, // every step refused: not the run's gain
    };
    for (const auto& row : rows) {
        ReportFigures figures;
        figures.before.availPhysMB = row.before;
        figures.after.availPhysMB = row.after;
        figures.availPhysBytes = 6144 * kMB;
        figures.totalPhysBytes = 16384 * kMB;
        figures.pageSize = 4096;
        figures.cleanUpRun = row.cleanUpRun;
        figures.anyStepDone = row.anyStepDone;
        const CleaningReport report = LayOutCleaningReport(figures, texts);
        EXPECT_EQ(report.gained, &row.texts == &gained) << row.before << " -> " << row.after;
        for (int id = kReportFirstControl; id < kReportAdviceControl; ++id)
            EXPECT_EQ(report.Text(id), row.texts[static_cast<size_t>(id - kReportFirstControl)])
                << row.before << " -> " << row.after << " control " << id;
        EXPECT_EQ(report.Text(kReportAdviceControl), row.advice) << row.before << " -> " << row.after;
    }
}

} // namespace
