// Which text the cleaning report puts into each of its controls.
#include "memory/cleaning_report.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const ReportTexts kTexts{"nothing", "available", "installed", "gained MB", "gained pages", "advice other",
                         "advice clean-up"};

constexpr uint64_t kMB = 1024 * 1024;

MemoryStatus Available(int32_t megabytes)
{
    MemoryStatus status;
    status.availPhysMB = megabytes;
    status.totalPhysMB = 256;
    return status;
}

using Texts = std::array<std::string, kReportControlCount>;

TEST(CleaningReport, RowsForEachKindOfRun)
{
    const std::string avail = std::to_string(150 * kMB), total = std::to_string(256 * kMB);
    const struct {
        int32_t before, after;
        bool cleanUpRun, gained;
        Texts texts; // 1122 .. 1133 in rows of three, then the advice line 1134
        bool refused = false; // every step of the run was refused
    } cases[] = {
        {120, 120, false, false,
         {"nothing", "", "", "available", avail, "bytes", "installed", total, "bytes", "", "", "",
          "advice other"}},
        {120, 120, true, false,
         {"nothing", "", "", "available", avail, "bytes", "installed", total, "bytes", "", "", "",
          "advice clean-up"}},
        {100, 164, false, true,
         {"available", avail, "bytes", "installed", total, "bytes", "gained MB", "64", "MB", "gained pages",
          "16384", "pages", ""}},
        // Memory fell during the run: shown without its sign, and a clean-up run gives no advice.
        {164, 100, true, true,
         {"available", avail, "bytes", "installed", total, "bytes", "gained MB", "64", "MB", "gained pages",
          "16384", "pages", ""}},
        // Memory rose while every operation was refused: not the run's gain.
        {100, 164, false, false,
         {"nothing", "", "", "available", avail, "bytes", "installed", total, "bytes", "", "", "",
          "advice other"},
         true},
    };
    for (const auto& c : cases) {
        ReportFigures figures;
        figures.before = Available(c.before);
        figures.after = Available(c.after);
        figures.availPhysBytes = 150 * kMB;
        figures.totalPhysBytes = 256 * kMB;
        figures.pageSize = 4096;
        figures.cleanUpRun = c.cleanUpRun;
        figures.anyStepDone = !c.refused;
        const CleaningReport report = LayOutCleaningReport(figures, kTexts);
        EXPECT_EQ(report.gained, c.gained) << c.before << " -> " << c.after;
        for (int id = kReportFirstControl; id <= kReportAdviceControl; ++id)
            EXPECT_EQ(report.Text(id), c.texts[static_cast<size_t>(id - kReportFirstControl)])
                << c.before << " -> " << c.after << " control " << id;
    }
}

TEST(CleaningReport, ByteFiguresOfLargeMachinesStayWholeAndPositive)
{
    ReportFigures figures;
    figures.before = Available(2000);
    figures.after = Available(6000);
    figures.availPhysBytes = 6144 * kMB;  // above 4 GB: no 32-bit form holds it
    figures.totalPhysBytes = 16384 * kMB;
    figures.pageSize = 4096;
    const CleaningReport report = LayOutCleaningReport(figures, kTexts);
    EXPECT_EQ(report.Text(1123), "6442450944");
    EXPECT_EQ(report.Text(1126), "17179869184");
    EXPECT_EQ(report.Text(1129), "4000");
    EXPECT_EQ(report.Text(1132), "1024000") << "4000 MB in 4 KB pages";
}

} // namespace
