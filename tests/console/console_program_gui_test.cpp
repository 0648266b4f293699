// The console program run for real against the main window living in this test: its output and
// exit code, and what the window did. It runs from console-peer, where the Tidewell.exe beside it
// is a link to this test program, so the window here is the Tidewell it expects.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/account_win.h"
#include "common/clock.h"
#include "common/module_path.h"
#include "common/protected_place_win.h"
#include "common/resource_text.h"
#include "console/command_line.h"
#include "console/history_command_win.h"
#include "history/history_file.h"
#include "history/history_store_win.h"
#include "memory/memory_lists_win.h"
#include "remote/request_pipe_win.h"
#include "support/child_process_win.h"
#include "support/json_paths.h"
#include "support/main_dlg_fixture_win.h"
#include "support/policy_scope_win.h"
#include "support/message_pump_win.h"
#include "support/screen_reader_win.h"
#include "support/test_paths.h"
#include "win32/list_view.h"

namespace {

using testing_support::ChildProcess;
using testing_support::JsonPaths;
using testing_support::MainDlgTest;
using testing_support::PumpUntil;

// Runs tidewellc.exe, checks its exit code and gives its output; pumps this thread's messages
// until it ends: the window it talks to lives on this thread.
std::string RunConsole(const std::string& arguments, DWORD exitCode,
                       const std::string& exe = GetModulePath("console-peer\\tidewellc.exe"))
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16));
    win32::UniqueHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    {
        const ChildProcess console("\"" + exe + "\" " + arguments, CREATE_NO_WINDOW, exe.c_str(), writeEnd);
        writer.reset();
        PumpUntil([&console] { return console.HasEnded(); }, 60000);
        EXPECT_EQ(console.ExitCode(), exitCode) << arguments;
    } // ended if it still runs: it holds the pipe
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    // Text-mode output ends its lines with CR LF, as every console program there does.
    std::erase(out, '\r');
    return out;
}

// What `tidewellc history` prints, run in this process, where the history folder reads as kept by
// administrators (under Wine no folder does, and the real program reads none: see below).
std::string History(const std::string& arguments)
{
    std::vector<std::string> words;
    for (size_t at = 0, next; at <= arguments.size(); at = next + 1) {
        next = std::min(arguments.find(' ', at), arguments.size());
        words.push_back(arguments.substr(at, next - at));
    }
    const console::CommandLine line = console::ParseCommandLine(words);
    EXPECT_TRUE(line.invocation) << arguments;
    const console::Printed printed = console::HistoryCommand(HistoryFolder(), line.invocation->history, line.json);
    EXPECT_EQ(printed.code, console::ExitCode::Done) << arguments << ": " << printed.err;
    return printed.out;
}

TEST_F(MainDlgTest, ConsoleProgramReadsFiguresAndDrivesTheRunningCopy)
{
    std::string out = RunConsole("show --json", 2);
    EXPECT_EQ(out, "{\"command\":\"show\",\"result\":\"not-running\",\"message\":\"Tidewell is not running\"}\n");
    out = RunConsole("clean --eighths 9", 1);
    EXPECT_NE(out.find("Usage: tidewellc"), std::string::npos) << out;

    Open();
    ShowWindow(Window(), SW_HIDE);
    static uint32_t now;
    now = 1000000; // a clock that stands still until the test moves it
    SetTickCountSource([] { return now; });
    // The pretended machine's figures come back: they are the running copy's, not the caller's.
    out = RunConsole("clean --eighths 1 --json", 0);
    EXPECT_EQ(out, "{\"command\":\"clean\",\"result\":\"done\",\"mode\":\"organise\",\"eighths\":1,"
                   "\"before\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},"
                   "\"after\":{\"availMB\":100,\"totalMB\":256,\"freePercent\":39},\"gainedMB\":0}\n");
    EXPECT_EQ(ModalCount(IDD_REPORT_DIALOG), 0) << "the caller has the figures; no report waits for a click";
    EXPECT_TRUE(!CleanState.busy && Enabled(IDC_LZL_BUTTON));
    // Cleans asked for come at least 30 s apart.
    out = RunConsole("clean --eighths 1", 3);
    EXPECT_EQ(out, "tidewellc: the last clean ended less than 30 seconds ago; Tidewell takes the next in 30 s\n");
    now += 30000;

    SetCleanBusy(true);
    out = RunConsole("clean", 3);
    EXPECT_EQ(out, "tidewellc: a clean is already in progress\n");
    SetCleanBusy(false);

    out = RunConsole("clean", 0);
    EXPECT_EQ(out.rfind("Clean (growing clean-up run) done.\nBefore", 0), 0u) << out;
    EXPECT_FALSE(CleanState.busy || ModalCount(IDD_REPORT_DIALOG) != 0);
    SetTickCountSource(nullptr);

    // Beside the tidewellc of the build folder lies the real Tidewell.exe, which is not what
    // answers here: that tidewellc asks nothing of this window.
    out = RunConsole("show", 4, GetModulePath("tidewellc.exe"));
    EXPECT_EQ(out, "tidewellc: the program answering on Tidewell's channel is not the Tidewell.exe beside tidewellc\n");
    EXPECT_FALSE(IsWindowVisible(Window()));

    RunConsole("show", 0);
    EXPECT_TRUE(IsWindowVisible(Window()));
    out = RunConsole("status --json", 0);
    EXPECT_EQ(out.rfind("{\"command\":\"status\",\"result\":\"done\",\"physical\":{\"availMB\":", 0), 0u) << out;
    EXPECT_NE(out.find("\"tidewellRunning\":true}\n"), std::string::npos) << out;

    // An organisation that turns requests off: each is refused and nothing runs.
    {
        const testing_support::PolicyScope policies;
        policies.Set(kNoConsoleRequests, 1);
        ShowWindow(Window(), SW_HIDE);
        out = RunConsole("show", 3);
        EXPECT_EQ(out, "tidewellc: your organisation has turned requests to Tidewell off; status still answers\n");
        EXPECT_FALSE(IsWindowVisible(Window()));
    }

    const HWND window = Window();
    out = RunConsole("exit --json", 0);
    EXPECT_EQ(out, "{\"command\":\"exit\",\"result\":\"done\"}\n");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(host_.boxes.empty()) << "an exit asked for by the console program asks nothing";

    // A plain user's program took the channel's name first, without the administrators as its
    // owner (as Tidewell.exe started unelevated would): Tidewell says once that it cannot be
    // reached, and the console program does not take the squatter for it.
    const std::string squat = "O:" + OwnUserSid() + "D:(A;;GA;;;WD)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(squat.c_str(), SDDL_REVISION_1, &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const win32::UniqueFileHandle squatter(CreateNamedPipeA(remote::RequestPipeName().c_str(),
                                                            PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                                            PIPE_TYPE_MESSAGE, 1, 512, 512, 0, &attributes));
    LocalFree(descriptor);
    ASSERT_TRUE(squatter);
    Open();
    EXPECT_EQ(dialog_->Tray().LastNotice(), UiText("strChannelTaken"));
    out = RunConsole("show", 4);
    EXPECT_EQ(out, "tidewellc: the program answering on Tidewell's channel is not an elevated Tidewell: "
                   "administrators do not own the channel\n");
    EXPECT_FALSE(IsWindowVisible(Window()));
}

// The blocks in the history folder, removed.
std::vector<std::filesystem::path> WipeHistory()
{
    std::vector<std::filesystem::path> blocks;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(HistoryFolder(), error))
        if (BlockNumber(entry.path().filename().string()))
            blocks.push_back(entry.path());
    for (const auto& block : blocks)
        std::filesystem::remove(block, error);
    return blocks;
}

// A clean from the window's button, one the console program asks for and one at the alert value,
// then a cancelled question: each a record with its trigger, the figures of its one measurement and
// how its minute after ended, read back by the console program without asking the window; then a block damaged
// the way a disk and a power loss damage one, and a folder where nothing may be written.
TEST_F(MainDlgTest, HistoryKeepsEveryCleanAndTheConsoleProgramReadsIt)
{
    WipeHistory();
    // Each reading one page more: two readings never agree, one reading always does.
    auto reads = std::make_shared<std::atomic<uint64_t>>(0);
    SetMemoryStatusSource([reads] {
        MemoryFigures figures;
        figures.totalPhys = 256 * testing_support::kMB;
        figures.availPhys = 100 * testing_support::kMB + 4096 * (*reads)++;
        figures.availPageFile = 300 * testing_support::kMB;
        return figures;
    });
    std::vector<std::string> reported; // the available bytes each report showed
    host_.modal = [&](win32::Dialog& dialog) {
        if (dialog.TemplateId() == IDD_REPORT_DIALOG && dialog.CreateModeless()) {
            const bool gained = !dialog.GetItemText(IDC_REPORT_VALUE1).empty();
            reported.push_back(dialog.GetItemText(gained ? IDC_REPORT_VALUE1 : IDC_REPORT_VALUE2));
            DestroyWindow(dialog.hwnd());
        }
        return modalAnswer_;
    };
    Store(kAutoDefrag, 1);
    Store(kRamAlertValue, 40);
    Store(kNoticeDialog, 1);
    Open();
    RulesOnlyWhenTicked();
    Command(IDC_CLEANRAM_BT);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    static uint32_t now;
    now = TickCount() + 30000; // past the wait between a clean and a requested one
    SetTickCountSource([] { return now; });
    RunConsole("clean --eighths 2", 0);
    SetTickCountSource(nullptr);
    Tick(CMainDlg::kRulesTimer);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    MinuteAfterLastClean();
    Store(kAutoDefrag, 1);
    Store(kNoticeDialog, 0);
    Tick(CMainDlg::kRulesTimer); // asked, and cancelled

    auto json = JsonPaths::Read(History("history --json"));
    ASSERT_TRUE(json && json->count("[3].trigger") && !json->count("[4].trigger"));
    const auto field = [&](size_t i, const char* key) { return (*json)["[" + std::to_string(i) + "]." + key]; };
    const std::string expected[][5] = {{"automatic", "skipped", "null", "null", "cancelled"},
                                       {"automatic", "done", "growing", "6", "null"},
                                       {"console", "done", "step", "2", "null"},
                                       {"button", "done", "growing", "6", "null"}}; // 39 % free: six steps
    for (size_t i = 0; i < 4; ++i) {
        const std::string shown[] = {field(i, "trigger"), field(i, "result"), field(i, "mode"), field(i, "eighths"),
                                     field(i, "reason")};
        EXPECT_TRUE(std::ranges::equal(shown, expected[i])) << i << ": " << testing::PrintToString(shown);
        EXPECT_EQ(field(i, "startLocal"), "2026-03-09 13:05:07") << i;
        EXPECT_EQ(field(i, "pageFileBytesBefore"), std::to_string(300 * testing_support::kMB)) << i;
    }
    EXPECT_EQ(field(3, "methods[0].method"), "fill");
    const std::string ends[] = {field(0, "followUpEnd"), field(1, "followUpEnd"), field(2, "followUpEnd"),
                                field(3, "followUpEnd")};
    EXPECT_TRUE(std::ranges::equal(ends, std::vector<std::string>{"null", "minute", "next-clean", "next-clean"}))
        << testing::PrintToString(ends);
    EXPECT_GT(std::stoull(field(1, "availBytesAfter60s")), std::stoull(field(1, "availBytesAfter")));
    ASSERT_EQ(reported.size(), 2u) << "the console program's clean reports to it";
    EXPECT_EQ(field(3, "availBytesAfter"), reported[0]) << "the report and the record read one measurement";
    EXPECT_EQ(field(1, "availBytesAfter"), reported[1]);
    EXPECT_LT(std::stoull(field(3, "availBytesBefore")), std::stoull(field(3, "availBytesAfter")));
    // The History window, from the tray, reads the same records.
    std::string status, firstRow, summary, after;
    int rows = 0;
    host_.modal = [&](win32::Dialog& dialog) {
        if (dialog.TemplateId() == IDD_HISTORY_DIALOG && dialog.CreateModeless(Window())) {
            const win32::ListView list(dialog.Item(IDC_HISTORY_LIST));
            rows = list.RowCount();
            firstRow = list.GetCell(0, 1) + "|" + list.GetCell(0, 4);
            after = list.GetCell(1, 5);
            status = dialog.GetItemText(IDC_HISTORY_STATUS);
            summary = dialog.GetItemText(IDC_HISTORY_SUMMARY);
            DestroyWindow(dialog.hwnd());
        }
        return INT_PTR{IDCANCEL};
    };
    Command(ID_TRAY_HISTORY);
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(firstRow, UiText("HistoryTriggerAutomatic") + "|" +
                            FillPlaceholders(UiText("HistoryResultSkipped"), {UiText("HistoryReasonCancelled")}));
    EXPECT_EQ(status, FillPlaceholders(UiText("HistoryCount"), {"4", HistoryFolder()}));
    EXPECT_EQ(after.find(FillPlaceholders(UiText("FollowUpBack"), {FillPlaceholders(UiText("HistoryMegabytes"), {"0"})})), 0u)
        << "the pretended machine's memory only grows: " << after;
    EXPECT_EQ(summary.find(FillPlaceholders(UiText("SummaryTitle"), {"7"}) + "\n"), 0u) << summary;
    const std::string newestLine = History("history --limit 1");
    EXPECT_EQ(std::ranges::count(newestLine, '\n'), 2) << newestLine;
    EXPECT_NE(newestLine.find("automatic  skipped"), std::string::npos) << newestLine;
    EXPECT_EQ(History("history --since 2099-01-01 --json"), "[]\n");

    // 100 KB of random bytes before the block and its last line cut short: the whole records still
    // read, and the next one is whole.
    const std::filesystem::path block = std::filesystem::path(HistoryFolder()) / BlockFileName(1);
    std::string bytes(100 * 1024, '\0');
    std::mt19937 random(27);
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    bytes += testing_support::ReadWholeFile(block) + "2026-03-09 13:05:07,2026-03-09T12:05:07Z,button,grow";
    std::ofstream(block, std::ios::binary | std::ios::trunc) << bytes;
    Command(ID_TRAY_CLEAN_HALF); // the classic step
    MinuteAfterLastClean();
    json = JsonPaths::Read(History("history --json"));
    ASSERT_TRUE(json && json->count("[4].trigger") && !json->count("[5].trigger"));
    EXPECT_EQ(field(0, "trigger"), "tray");
    EXPECT_EQ(field(4, "trigger"), "button");

    // A folder that users could change, as every folder reads under Wine: nothing written or read,
    // said once at the tray and whenever the history is looked for, never in a box; cleaning goes on.
    tasks_.protectedPlace = false;
    Open();
    Command(ID_TRAY_CLEAN_HALF);
    Command(ID_TRAY_CLEAN_HALF);
    std::string reportEnd;
    host_.modal = [&](win32::Dialog& dialog) {
        if (dialog.TemplateId() == IDD_REPORT_DIALOG && dialog.CreateModeless()) {
            reportEnd = dialog.GetItemText(IDC_REPORT_METHODS);
            DestroyWindow(dialog.hwnd());
        } else if (dialog.TemplateId() == IDD_HISTORY_DIALOG && dialog.CreateModeless(Window())) {
            status = dialog.GetItemText(IDC_HISTORY_STATUS);
            rows = win32::ListView(dialog.Item(IDC_HISTORY_LIST)).RowCount();
            DestroyWindow(dialog.hwnd());
        }
        return INT_PTR{IDCANCEL};
    };
    Command(IDC_CLEANRAM_BT);
    ASSERT_TRUE(dialog_->Cleaning().WaitForWorker(20000));
    testing_support::PumpMessagesFor(100);
    EXPECT_TRUE(host_.boxes.empty()) << host_.boxes[0].text;
    EXPECT_EQ(dialog_->Tray().LastNotice(), FillPlaceholders(UiText("strHistoryNotKept"), {HistoryFolder()}));
    const std::string notKept =
        FillPlaceholders(UiText("ReportHistoryNotKept"), {HistoryFolder()}) + "\n" + UiText("FollowUpMeasuring");
    EXPECT_EQ(reportEnd.substr(reportEnd.size() - std::min(reportEnd.size(), notKept.size())), notKept) << reportEnd;
    Command(IDC_HISTORY_BT);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(status, FillPlaceholders(UiText("HistoryNotKept"),
                                       {"0", HistoryFolder(), PlaceReasonText(PlaceVerdict::UsersMayChange)}));
    const std::string refused = RunConsole("history", 4);
    EXPECT_NE(refused.find("not kept in " + HistoryFolder() + ", so nothing is read"), std::string::npos) << refused;
    tasks_.protectedPlace = true;
    EXPECT_EQ(ReadHistory(HistoryFolder()).records.size(), 5u) << "nothing written meanwhile";
    WipeHistory();
}

// The memory window, from the tray, on memory lists this test pretends (Wine has none): it shows
// them, reads them again every two seconds while it is open and never once it has closed. Then the
// real console program prints the map as Wine gives it: what Wine lacks as null, never as 0.
TEST_F(MainDlgTest, MemoryWindowReadsOnlyWhileOpenAndTheConsoleProgramPrintsTheMap)
{
    static std::atomic<int> reads;
    static std::atomic<ULONG_PTR> standbyPages;
    reads = 0;
    standbyPages = 25600; // 100 MB of 4 KB pages, at priority 7
    NtSystemCalls calls;
    calls.query = [](uint32_t infoClass, void* data, uint32_t length) {
        if (infoClass != kSystemMemoryListInformation)
            return kStatusNotImplemented;
        ++reads;
        auto* pages = static_cast<ULONG_PTR*>(data); // zeroed, free, modified, ..., standby by priority at 5
        std::fill(pages, pages + length / sizeof(ULONG_PTR), 0);
        pages[12] = standbyPages;
        return kStatusSuccess;
    };
    SetNtSystemCalls(calls);
    Open();
    const auto cell = [](const win32::ListView& list, const std::string& label) {
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.GetCell(row, 0) == label)
                return list.GetCell(row, 1);
        return std::string("no such row");
    };
    std::string shown, refreshed, heard;
    host_.modal = [&](win32::Dialog& dialog) {
        if (dialog.TemplateId() == IDD_MEMORY_MAP_DIALOG && dialog.CreateModeless(Window())) {
            const win32::ListView list(dialog.Item(IDC_MAP_LIST));
            shown = cell(list, UiText("MemoryMapStandby")) + "|" + cell(list, UiText("MemoryMapFree"));
            standbyPages = 51200;
            PumpUntil([&] { return cell(list, UiText("MemoryMapStandby")) == "200 MB"; }, 10000);
            refreshed = cell(list, UiText("MemoryMapStandby"));
            heard = testing_support::ScreenReaderView(dialog.Item(IDC_MAP_BAR)).Text(&IAccessible::get_accValue);
            DestroyWindow(dialog.hwnd());
        }
        return INT_PTR{IDCANCEL};
    };
    Command(ID_TRAY_MEMORY_MAP);
    EXPECT_EQ(shown, "100 MB|0 MB") << "a pretended list of nothing free is a real 0";
    EXPECT_EQ(refreshed, "200 MB");
    EXPECT_NE(heard.find(UiText("MemoryMapStandby") + ": 200 MB"), std::string::npos) << heard;
    const int whileOpen = reads;
    for (int i = 0; i < 8; ++i)
        Tick(i % 2 ? CMainDlg::kDisplayTimer : CMainDlg::kRulesTimer);
    EXPECT_EQ(reads, whileOpen) << "the window closed, nothing reads the lists";

    const std::string out = RunConsole("memory --json", 0, GetModulePath("tidewellc.exe"));
    auto json = JsonPaths::Read(out);
    ASSERT_TRUE(json) << out;
    for (const char* path : {".standbyBytes", ".freeBytes", ".systemCacheBytes", ".reach[4].bytes"})
        EXPECT_EQ((*json)[path], "null") << path << " in " << out;
    EXPECT_GT(std::stoull((*json)[".totalBytes"]), 0u) << out;
    EXPECT_FALSE((*json)[".programs.largest[0].name"].empty()) << out;
}

} // namespace
