#pragma once
// The program's main window: the monitor on the left, settings and tools on the right, the tray
// icon and five timers; it shows the cleaning run's progress. Split by concern over
// main_dlg_*_win.cpp; main_dlg_win.cpp holds construction and data exchange, which the others use,
// and set-up, tick and commands call into the clean run and tools files, never back.
#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cleaning/cleaning_rules.h"
#include "app/main_window/palette.h"
#include "app/settings/settings_win.h"
#include "app/tray/tray_icon_win.h"
#include "app/tray/tray_picture_win.h"
#include "app/main_window/window_geometry.h"
#include "common/protected_place.h"
#include "controls/busy_progress_ctrl_win.h"
#include "controls/color_static_win.h"
#include "controls/history_bar_graph_win.h"
#include "controls/line_graph_win.h"
#include "controls/paint_tools_win.h"
#include "controls/picture_static_win.h"
#include "history/clean_follow_up.h"
#include "history/clean_record.h"
#include "history/event_log_win.h"
#include "history/event_writer.h"
#include "history/history_store_win.h"
#include "memory/clean_run_win.h"
#include "memory/cleaning_methods.h"
#include "win32/dialog.h"
#include "win32/handles.h"
#include "win32/hotkey.h"

inline Box ToBox(const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

// Sent to the main window when a cleaning run's work is over; both parameters 0.
inline constexpr UINT WM_CLEANUP_DONE = 0x110A;

// Plays the alert sound to its end (PlaySoundA, synchronous). Tests install a player to hear whether
// the alert fired: the sound is the alert's only effect that lasts beyond the tick. An empty player
// puts PlaySoundA back.
void PlayAlertSound(const std::string& path);
void SetAlertSoundPlayer(std::function<void(const std::string& path)> player);

struct ToolEntry;
namespace remote {
// Only named in private members here; main_dlg_requests_win.cpp includes the protocol.
enum class Answer : uint16_t;
enum class Outcome : uint16_t;
enum class CleanMode : uint16_t;
struct Request;
class RequestServer;
} // namespace remote

class CMainDlg : public win32::Dialog, private CleanProgress {
public:
    // Posted to itself by an exit request, so the request is answered before the exit waits.
    static constexpr UINT WM_REQUESTED_EXIT = WM_APP + 1;
    // Posted to itself on a DPI change: fonts follow once the system has laid the dialog out anew.
    static constexpr UINT WM_APPLY_DPI = WM_APP + 2;
    // Posted to itself when the handlers that opened modal loops have returned after an exit.
    static constexpr UINT WM_FINISH_EXIT = WM_APP + 3;
    // Posted by the request server's thread when a request waits for its answer.
    static constexpr UINT WM_REMOTE_REQUEST = WM_APP + 4;

    // The rules run on every second display tick, on the figures it read: a timer of their own
    // would wake the resident once more each second. Their id still brings them alone.
    enum Timer : UINT_PTR { kDisplayTimer = 1, kRulesTimer = 2, kHiddenStartTimer = 3, kLauncherTimer = 4,
                            kOrganiseTimer = 5 };
    static constexpr UINT kDisplayMs = 500, kHiddenStartMs = 50, kOrganiseMs = 250;

    // firstArgument: the first command-line argument, when there is one.
    explicit CMainDlg(std::optional<std::string> firstArgument = std::nullopt);
    ~CMainDlg() override;

    CTrayIcon& Tray() { return tray_; }
    bool IsExpanded() const { return expanded_; }
    CleanRun& Cleaning() { return run_; }

protected:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    bool OnPaint() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
    void OnDestroy() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
    void OnLookChanged() override;
    void OnOK() override;     // the organise command
    void OnCancel() override; // hide and remember hidden

private:
    // The members the controls exchange with.
    struct Fields {
        bool cleanClipboard = true;    // IDC_CHECKCLIPBOARD
        bool autoDefrag = true;        // IDC_CHECKAUTODEFRAG
        bool soundAlert = true;        // IDC_CHECKSOUND
        bool buildReport = true;       // IDC_CHECKLOG
        bool runAfterBoot = true;      // IDC_CHECKAUTORUN
        bool askBeforeClean = true;    // IDC_CHECKAUTODEFRAGTIP
        bool twelveHour = false;       // IDC_12H_CHECK
        bool toolsWithoutWarning = false; // IDC_CHECKALERTNOTICE
        std::string alertText = "15";  // IDC_ALERT_EDIT
        std::string sliderMin, sliderMax;
    };
    struct Texts {
        std::string pramTotal, pramFree, ramFree, pageFree, vramFree, curTime, tipsCpu, tipsRam, cpuLoad, memoryUse;
        std::array<std::string, 7> weekdays;
    };

    // main_dlg_win.cpp.
    void ReadControls();
    void WriteControls();

    // Set-up (main_dlg_setup_win.cpp).
    void SetUpSlider();
    void SetUpGauges();
    void StyleLabels();
    void SetUpProcessorLines();
    void SetUpGeometry();
    void ApplyControlTexts();
    void LoadTickTexts();
    void SetUpUserType();
    void SetUpStartState();
    // What a screen reader is told of the drawn controls (main_dlg_accessible_win.cpp).
    void DescribeControls();
    // The control whose value a label's text is: a reader hears of the change.
    controls::ControlWindow* ValueShownBy(int labelId);
    void InitGauge(BusyProgressCtrl& gauge, int upper, controls::Colour highlight) const;
    static constexpr int kGraphCaptionHeight = 13; // pixels at 96 DPI
    void MoveOffScreen();

    // Timers (main_dlg_tick_win.cpp).
    MemoryFigures OnDisplayTick();
    void OnRulesTick(const MemoryFigures& figures);
    void OnHiddenStartTick();
    void OnLauncherTick();
    void ShowItemText(int id, const std::string& text);
    void LetTickLabelsAsk();
    void ShowTickFigures();
    void RefreshMemoryFigures();
    void RefreshMemoryFigures(const MemoryFigures& figures, const MemoryStatus& status);
    void ShowMemoryFigures(const MemoryFigures& figures, const MemoryStatus& status);
    void StepMemoryGraph(const MemoryStatus& status);
    // Does what the rules decided: the alert, the question or the clean, the tray's picture.
    void ApplyRules(const RulesActions& actions, const MemoryStatus& status);
    void RefreshTrayPicture();
    void RefreshTrayPicture(const MemoryStatus& status);

    // The cleaning run's commands and display (main_dlg_clean_win.cpp).
    void ShowPercent(const std::string& text) override;
    void ShowGauge(int position) override;
    void Done() override;
    void Organise();
    void OrganiseFromTray();
    // Both false when no run started: another holds it, or the worker could not start. The console
    // program's requests name no trigger.
    bool StartOrganise(int eighths, CleanTrigger trigger = CleanTrigger::Console);
    void OnOrganiseTick();
    void CleanUp();
    bool StartCleanUpRun(CleanTrigger trigger = CleanTrigger::Console);
    void CleanHalf();
    void CleanFromTray(int eighths);
    // The worker's part of the chosen methods: the system operations around the classic steps.
    CleanUpPlan WorkerPlan(const CleaningPlan& chosen);
    void CleanQuarter();
    void OnCleanUpDone();
    // Appends the record to the history and hands it to the event log; false when the history could
    // not keep it, which is said once.
    bool RecordClean(const CleanRecord& record);
    // A clean that ran: its record waits for the minute after it (main_dlg_follow_up_win.cpp).
    void FollowUp(CleanRecord record, uint32_t startTick);
    // A clean begins: the one before it is measured no further.
    void EndFollowUp(FollowUpEnd why);
    // The record of a measured minute goes to the history and to the rules.
    void FollowedUp(const CleanRecord& record);
    // The report's line on the run just ended: "measuring", then what the minute brought.
    std::string FollowUpLine(uint32_t number) const;
    std::string HistoryFolderShown() const;
    void InitCleanGauge(controls::Colour highlight);
    void ShowRunEnded();
    void EnableCleaningButtons(bool enable);
    void EnableToolButtons(bool enable);

    // Ending the program from any path, whatever modal is open (main_dlg_exit_win.cpp).
    // Counts this window's handlers on the stack: an exit asked for from inside a modal loop one
    // of them opened finishes after the outermost has returned.
    class HandlerScope {
    public:
        explicit HandlerScope(CMainDlg& dialog) : dialog_(dialog) { ++dialog_.handlerDepth_; }
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        CMainDlg& dialog_;
    };
    bool OnExitMessage(UINT msg, WPARAM wp);
    void RequestExit();
    void StopForExit();
    void FinishExit();

    // Requests of the console program (main_dlg_requests_win.cpp).
    void OpenRequests();
    void CloseRequests();
    void OnRequestWaiting();
    // The answer, and for a clean refused as too soon the seconds until one is taken again.
    std::pair<remote::Answer, uint16_t> OnRequest(const remote::Request& request);
    // Sends the figures of a clean the console program asked for; false when none was asked for.
    bool ReplyToRequestedClean(remote::Outcome outcome);

    // The hotkey that cleans (main_dlg_hotkey_win.cpp).
    static constexpr int kCleanHotkeyId = 1;
    void SetUpHotkey();
    // Holds the stored value's combination, or none; ERROR_SUCCESS or why it could not.
    DWORD HoldHotkey(uint32_t stored);
    // Holds and stores the control's combination when it is not the one held; false when it was
    // refused, which has been said: then nothing may be stored.
    bool ApplyHotkey();
    void OrganiseFromHotkey();

    // The interface's language (main_dlg_language_win.cpp): the box, the tray's submenu, and every
    // text of the window and the tray taken again at once.
    void SetUpLanguages();
    void LanguageChosenInBox();
    // True for a command of the tray's Language submenu, which it has then handled.
    bool LanguageChosenInTray(int id);
    void ApplyLanguage();

    // Commands (main_dlg_commands_win.cpp).
    void Save();
    void ChooseCleaningMethods();
    void EnableSave();
    void RunAfterBootClicked();
    void SetUpAutostartBox();
    // A click on the disabled autostart box reaches the window: it says why the box is disabled.
    bool ExplainAutostartRefusal(POINT client);
    void AskBeforeCleanClicked();
    void ToolsWarningClicked();
    void TwelveHourClicked();
    void UserTypeChanged();
    void AmountChanged();
    void AlertValueChanged();
    void UpdateAmountLabel();
    void WidenOrNarrow();
    void HideAndRemember();
    void Hide();
    void ShowMainWindow();
    void Exit();
    void Help();

    // Tools (main_dlg_tools_win.cpp).
    void OpenTool(const ToolEntry& tool);
    bool ToolWarningAccepted();

    // DPI (main_dlg_dpi_win.cpp).
    void OnDpiChanged(int dpi, const RECT& suggested);
    void ApplyDpiToFonts();
    void ApplyDpiToGlyphs();
    // The statics let go of the glyphs before this window's copies are deleted.
    void DetachGlyphs();
    // Each glyph is named by the title of its section.
    void NameGlyphs();

    // The look: panels, label styles, the palette (main_dlg_paint_win.cpp).
    void PaintPanels(HDC dc);
    // The window's own colours, light or dark, or the system's while high contrast is on.
    void ChoosePalette();
    // After a change of the look: everything takes the new palette.
    void ApplyPalette();
    // The tray picture's colours for the taskbar and the look.
    void ChooseTrayColours();
    void ApplyPaletteToGraphs();
    void ApplySectionTitles();
    controls::PaintTools panelTools_;
    palette::MonitorPalette palette_{};

    std::optional<std::string> firstArgument_;
    Fields fields_;
    Texts texts_;
    bool expanded_ = false;
    bool alertChangeSeen_ = false; // the first EN_CHANGE comes from the set-up itself
    bool exiting_ = false;
    bool inRulesTick_ = false;        // its question is a modal loop the running timer reaches
    bool rulesTurn_ = false;          // the next display tick runs the rules too
    SettingsChangeWatch settingsWatch_; // the rules tick reads the settings again only after a change
    TickSettings tickSettings_;          // the rules tick's own view of the stored settings
    CleaningRules rules_;                // decides the rules tick; its question's arming lives here
    std::string holdTip_;                // the tooltip's line for what holds automatic cleaning
    std::map<std::string, std::string> holdTipTexts_; // looked up once each, when first shown
    int dpi_ = 96;
    std::array<win32::UniqueGdi<HBITMAP>, 5> glyphs_; // the section glyphs drawn for dpi_
    std::array<CPictureStatic, 5> glyphPictures_;      // the same, named for a screen reader
    int32_t shownFreePercent_ = -1;                     // the memory graph's figure, for a reader
    PlaceVerdict autostartPlace_ = PlaceVerdict::Protected; // elsewhere the box is disabled
    bool exitPending_ = false; // asked for inside a modal loop; finishes when it has unwound
    bool delayListNoticeGiven_ = false; // the launcher found Delay.ini held by another program
    int handlerDepth_ = 0;
    bool controlsMayHaveChanged_ = true; // a command came since the tick last read the controls
    struct ShownText {
        CColorStatic* label;
        std::optional<std::string> text; // none before the tick first set it
    };
    std::map<int, ShownText> shownTexts_; // the tick's labels and the texts it gave them
    struct TickFigures {
        MemoryFigures figures;
        MemoryStatus status;
        int32_t load = 0;
    };
    std::optional<TickFigures> figuresToShow_; // read by a tick, not yet in the labels
    win32::UniqueIcon windowIcon_;
    RECT fullRect_{}, compactRect_{}, currentRect_{};
    RECT compactClient_{}, expandedClient_{};
    std::vector<HWND> rightHalf_; // its visible controls, hidden while the window is compact
    void ShowRightHalf(bool show);

    CTrayIcon tray_;
    CTrayPicturePainter trayPainter_;
    win32::RegisteredHotkey hotkey_;
    uint32_t storedHotkey_ = 0; // the hotkey control's value as stored, 0 for none
    std::array<CColorStatic, 17> labels_; // in the order of the label style table
    CColorStatic& Label(int id);
    std::array<BusyProgressCtrl, 4> gauges_; // physical, page file, virtual, clean progress
    CHistoryBarGraph memoryGraph_;
    CLineGraph cpuGraph_;
    int cpuSeries_ = 0;
    CleanRun run_{*this};
    RunOutcome runOutcome_; // written by the run's worker, read after its Done
    CleanTrigger runTrigger_ = CleanTrigger::Button; // what started the run in progress
    HistoryWriter history_;
    PagingMinutes pagingMinutes_; // the display tick's paging counts, for the minute before a clean
    CleanFollowUp followUp_;
    uint32_t followUps_ = 0; // cleans followed up so far; the report asks after its own
    std::optional<std::pair<uint32_t, std::string>> lastFollowUpWords_;
    EventWriter events_{WriteToApplicationLog};
    struct RequestedClean {
        uint32_t id;
        remote::CleanMode mode;
        uint16_t eighths;
    };
    std::optional<RequestedClean> requestedClean_; // the run in progress answers this caller
    std::unique_ptr<remote::RequestServer> requests_;
    std::optional<uint32_t> lastCleanEnd_; // TickCount at the end of the last clean of any kind
    std::string cpuClock_;
    int userType_ = 2;
    bool showStatus_ = true;
};
