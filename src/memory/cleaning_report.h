#pragma once
// What the cleaning report shows: which text goes into which of its thirteen controls, for a run
// that gained nothing and for one that changed the available memory.
#include <array>
#include <cstdint>
#include <string>

#include "memory/memory_status.h"

// The report's interface texts.
struct ReportTexts {
    std::string nothingGained; // ReportStr1, also the caption suffix
    std::string available;     // ReportStr2
    std::string installed;     // ReportStr3
    std::string gainedMB;      // ReportStr4
    std::string gainedPages;   // ReportStr5
    std::string adviceOther;   // ZLJY1
    std::string adviceCleanUp; // ZLJY2
    std::string bytes;         // strUnitBytes, "bytes" in English
    std::string pages;         // strUnitPages, "pages" in English
};

struct ReportFigures {
    MemoryStatus before;
    MemoryStatus after;
    uint64_t availPhysBytes = 0;
    uint64_t totalPhysBytes = 0;
    uint32_t pageSize = 0;
    bool cleanUpRun = false; // the run came from the clean-up command
    // False when every step of the run was refused: a change in memory is then not the run's.
    bool anyStepDone = true;
};

// IDC_REPORT_LABEL1 to IDC_REPORT_UNIT4 (four rows of label, value, unit), then the advice line
// IDC_REPORT_ADVICE.
constexpr int kReportFirstControl = 1122;
constexpr int kReportAdviceControl = 1134;
constexpr int kReportControlCount = kReportAdviceControl - kReportFirstControl + 1;

struct CleaningReport {
    bool gained = false;
    std::array<std::string, kReportControlCount> texts;

    // The text of a control id; empty for an id outside the report.
    const std::string& Text(int controlId) const;
};

CleaningReport LayOutCleaningReport(const ReportFigures& figures, const ReportTexts& texts);
