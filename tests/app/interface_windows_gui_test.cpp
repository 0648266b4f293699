// Every window in each shipped language: each text a window shows from Kelvane.ini has a glyph
// for each character in the font its control draws with, font linking included (a missing glyph
// shows as a box); the keyboard reaches every command (a tab stop that can be seen, a mnemonic
// used once); a screen reader finds every control of the main window named, its gauges and graphs
// valued with the figures drawn. ctest runs this once beside the English Kelvane.ini (gui_tests)
// and once beside the Chinese one (gui_tests_zh).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <utility>
#include <string>

#include "app/cleaning/cleaning_dialogs_win.h"
#include "app/cleaning/programs_pauses_dlg_win.h"
#include "app/main_window/tool_table_win.h"
#include "common/interface_language_win.h"
#include "common/resource_text.h"
#include "common/spoken_text.h"
#include "support/cache_registry_fixture_win.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"
#include "support/message_pump_win.h"
#include "support/policy_scope_win.h"
#include "support/screen_reader_win.h"
#include "tools/startup/run_setup_dlg_win.h"
#include "win32/utf16.h"
#include "win32/window_text.h"

namespace {

// A noncharacter: no font has a glyph for it, so every font draws it as its missing-glyph box.
constexpr wchar_t kNoGlyph[] = L"\xFDD0";

// GDI applies the system's font linking when drawing, as it does for the controls.
bool DrawsAsBox(HFONT font, wchar_t character)
{
    constexpr int kCell = 64; // wider and taller than any character of the interface's fonts
    DibCanvas canvas(2 * kCell, kCell);
    canvas.Clear(controls::Rgb(255, 255, 255));
    win32::SelectObjectScope selected(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOutW(canvas.dc(), 2, 2, &character, 1);
    TextOutW(canvas.dc(), kCell + 2, 2, kNoGlyph, 1);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            if (canvas.At(x, y) != canvas.At(kCell + x, y))
                return false;
    return true;
}

// Why a control's text does not fit it, measured in its own font as the control draws it; empty
// when it fits. Buttons keep their frame's margins and a check box its box; a text label may wrap.
std::string Cut(HWND control, const std::string& className, LONG_PTR style, const std::string& text)
{
    RECT place{};
    GetClientRect(control, &place);
    const int width = place.right, height = place.bottom;
    const auto needed = [&](int wrapWidth, bool wrap) {
        win32::WindowDc dc(control);
        win32::SelectObjectScope font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        RECT box{0, 0, std::max(wrapWidth, 1), 0};
        const std::wstring wide = win32::Utf16(text);
        DrawTextW(dc.get(), wide.c_str(), -1, &box, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
        return box;
    };
    std::string why;
    const auto check = [&](const RECT& box, int room, int roomHeight) {
        if (box.right > room || box.bottom > roomHeight)
            why = std::to_string(box.right) + "x" + std::to_string(box.bottom) + " in " + std::to_string(room) + "x" +
                  std::to_string(roomHeight);
    };
    if (className == WC_BUTTONA) {
        const LONG_PTR type = style & BS_TYPEMASK;
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                         type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        if (style & BS_PUSHLIKE || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
            check(needed(width, false), width - 6, height);
        else if (box)
            check(needed(width - 17, (style & BS_MULTILINE) != 0), width - 17, height);
        else if (type == BS_GROUPBOX)
            check(needed(width, false), width - 12, height);
    } else if (className == WC_STATICA) {
        const LONG_PTR type = style & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_RIGHT || type == SS_CENTER)
            check(needed(width, true), width, height);
        else if (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE)
            check(needed(width, false), width, height);
    }
    return why;
}

class InterfaceWindows : public testing_support::MainDlgTest {
protected:
    // A control without a font (null) draws in the system font, as the probe's DC does then.
    void Check(const std::string& where, HFONT font, const std::wstring& text)
    {
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        const std::string key(reinterpret_cast<const char*>(&description), sizeof description);
        std::wstring missing; // each character once per font
        for (const wchar_t character : text)
            if (!std::iswspace(character) && checked_.emplace(key, character).second && DrawsAsBox(font, character))
                missing += character;
        EXPECT_TRUE(missing.empty()) << where << " draws these as boxes: " << missing;
    }
    // Every control in its own font; a picture's text is its resource, a slider's and a spin
    // button's only their name for a screen reader. Captions and menus are drawn in the system's
    // fonts, not the program's. Each visible tab stop lies in the window, each button but OK, Cancel,
    // the default one, the clock's "12H" and Help (F1) has a mnemonic, and no two controls share one.
    void CheckWindow(HWND window)
    {
        ++windows_;
        notes_ += (GetWindowLongPtrW(GetDlgItem(window, IDC_POLICY_NOTE), GWL_STYLE) & WS_VISIBLE) != 0;
        RECT client, place, inside;
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        std::map<std::string, int> owners;
        for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            char name[64] = {};
            GetClassNameA(control, name, sizeof name);
            const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
            const int id = GetDlgCtrlID(control);
            const std::string text = win32::WindowText(control), key = MnemonicOf(text);
            GetWindowRect(control, &place);
            if ((style & WS_VISIBLE) && !(style & SS_NOPREFIX)) { // the windows are not shown here
                EXPECT_TRUE(!(style & WS_TABSTOP) || IntersectRect(&inside, &place, &client)) << "out of sight: " << id;
                EXPECT_TRUE(key.empty() || owners.emplace(key, id).second) << key << ": " << owners[key] << ", " << id;
                const LONG_PTR type = style & BS_TYPEMASK;
                const bool exempt = id == IDOK || id == IDCANCEL || id == IDC_12H_CHECK || id == IDC_HELP_BT ||
                                    type == BS_DEFPUSHBUTTON; // Enter, Escape, fixed texts, F1
                EXPECT_TRUE(std::string(name) != WC_BUTTONA || type == BS_GROUPBOX || exempt || !key.empty()) << text;
            }
            // A text of the texts file fits its control; data (SS_NOPREFIX) may be cut by design.
            if ((style & WS_VISIBLE) && !(style & SS_NOPREFIX) && !text.empty())
                EXPECT_EQ(Cut(control, name, style, text), "") << "cut: " << id << " \"" << text << "\"";
            const LONG_PTR picture = style & SS_TYPEMASK;
            if ((std::string(name) == WC_STATICA && (picture == SS_BITMAP || picture == SS_ICON)) ||
                std::string(name) == TRACKBAR_CLASSA || std::string(name) == UPDOWN_CLASSA)
                continue;
            Check(std::string(name) + " " + std::to_string(id),
                  reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), win32::Utf16(text));
        }
    }
    void CheckEveryWindow();
    std::set<std::pair<std::string, wchar_t>> checked_; // by font description
    int windows_ = 0, notes_ = 0;
};

// Every language shipped, one after another in this process, as the user switches them.
TEST_F(InterfaceWindows, EveryWindowDrawsItsTextsAndTheKeyboardReachesEveryCommand)
{
    ASSERT_FALSE(UiText("Title1").empty()) << "no Kelvane.ini beside the test program";
    const std::vector<LanguageFile> languages = AvailableLanguages();
    ASSERT_GE(languages.size(), 12u) << "no lang folder beside the test program";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    for (const LanguageFile& language : languages) {
        SCOPED_TRACE(language.name);
        SetInterfaceLanguage(language.folder);
        windows_ = notes_ = 0;
        CheckEveryWindow();
    }
    SetInterfaceLanguage({});
}

void InterfaceWindows::CheckEveryWindow()
{
    testing_support::CacheRegistryBackup cacheBackup;
    // A policy in each window that has settings: its line is measured with the other texts.
    const testing_support::PolicyScope policies;
    for (const char* name : {kRamAlertValue, kCleanMethods, kAutoCleanInterval, kNoStartupChanges})
        policies.Set(name, 1);
    Open();
    CheckWindow(Window());
    Command(IDC_TAB_BUTTON); // the widened window renames its button
    CheckWindow(Window());

    // Each dialog the main window opens, as it opens them. The About box's button, fixed English
    // before it had a key, shows the texts' word in either language.
    host_.modal = [this](win32::Dialog& dialog) {
        if (dialog.CreateModeless(Window()))
            CheckWindow(dialog.hwnd());
        if (dialog.TemplateId() == IDD_ABOUTBOX)
            EXPECT_EQ(dialog.GetItemText(IDOK), UiText("IDOKINABOUT"));
        dialog.EndDialog(IDOK);
        return IDOK;
    };
    for (const ToolEntry& tool : Tools())
        Command(tool.button);
    Command(IDC_METHODS_BT);
    ShowCleaningReport(MeasureCleanStart());
    for (const bool standby : {false, true})
        AskBeforeAutomaticClean({}, standby);
    win32::Modeless<CProgramsPausesDlg> programsPage(CleaningMethodSettings{});
    ASSERT_TRUE(programsPage.CreateModeless(Window()));
    CheckWindow(programsPage.hwnd());
    win32::Modeless<CRunSetupDlg> startMode;
    startMode.mode = StartDelayed;
    ASSERT_TRUE(startMode.CreateModeless(Window()));
    CheckWindow(startMode.hwnd());
    cacheBackup.Restore();
    EXPECT_EQ(windows_, 15) << "main window twice, the tools, history and memory window, methods and their "
                               "second page, report, both questions, start mode";
    EXPECT_EQ(notes_, 4) << "the widened main window, methods and their second page, startup manager";
}

// A figure changed is told once, while the window can be seen. The main window's children as the
// system's tree lists them (Wine lists window objects that only say which window they are), each
// read through its own client object: a role and a name each, the gauges and graphs valued with the
// figures drawn beside them.
TEST_F(InterfaceWindows, ScreenReaderFindsEveryControlNamedAndEveryFigureValued)
{
    Open();
    Command(IDC_TAB_BUTTON);
    static std::map<HWND, int> changes;
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) { ++changes[window]; }, GetCurrentProcessId(),
        0, WINEVENT_OUTOFCONTEXT);
    // Free memory in MB, and how often its gauge and the memory graph tell of it.
    for (const auto& [shown, availMB, told] : {std::tuple{true, 50, 2}, {true, 50, 0}, {true, 100, 2}, {false, 150, 0}}) {
        const MemoryFigures figures{0, 256 * testing_support::kMB, availMB * testing_support::kMB};
        SetMemoryStatusSource([figures] { return figures; });
        ShowWindow(Window(), shown ? SW_SHOWNA : SW_HIDE);
        changes.clear();
        Tick(CMainDlg::kDisplayTimer);
        testing_support::PumpMessagesFor(50);
        EXPECT_EQ(changes[Item(IDC_PHYS_GAUGE)] + changes[Item(IDC_MEMGRAPH)], told) << availMB;
    }
    UnhookWinEvent(hook);

    const testing_support::ScreenReaderView window(Window());
    ASSERT_NE(window.object, nullptr);
    long count = 0, got = 0;
    window.object->get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    AccessibleChildren(window.object, 0, count, children.data(), &got);
    const std::map<int, int> figureBeside{{IDC_PHYS_GAUGE, IDC_PHYS_PERCENT}, {IDC_PAGE_GAUGE, IDC_PAGE_PERCENT},
                                          {IDC_VIRT_GAUGE, IDC_VIRT_PERCENT}, {IDC_CLEAN_GAUGE, IDC_CLEAN_PERCENT},
                                          {IDC_CPUGRAPH, IDC_CPU_LOAD}};
    std::map<long, std::pair<int, int>> kinds; // by role: how many, how many with a value
    for (long i = 0; i < got; ++i) {
        HWND control = nullptr;
        WindowFromAccessibleObject(reinterpret_cast<IAccessible*>(children[i].pdispVal), &control);
        children[i].pdispVal->Release();
        if (!control || !(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE))
            continue;
        const int id = GetDlgCtrlID(control);
        const testing_support::ScreenReaderView view(control);
        const std::string name = view.Text(&IAccessible::get_accName), value = view.Text(&IAccessible::get_accValue);
        kinds[view.Role()].first += 1;
        kinds[view.Role()].second += !value.empty();
        // A picture's resource number would be read out as a string of U+FFFF.
        EXPECT_TRUE(!name.empty() && name.find("\xEF\xBF\xBF") == std::string::npos) << "no name to speak: " << id;
        if (figureBeside.count(id))
            EXPECT_EQ(value, SpokenText(Text(figureBeside.at(id)))) << id;
    }
    EXPECT_EQ(kinds[ROLE_SYSTEM_PROGRESSBAR], std::pair(4, 4)) << "every gauge with its figure";
    EXPECT_EQ(kinds[ROLE_SYSTEM_GRAPHIC], std::pair(7, 2)) << "two graphs with their figures, five section pictures";
    EXPECT_EQ(kinds[ROLE_SYSTEM_STATICTEXT].first, 17) << "the monitor's labels";
}

} // namespace
