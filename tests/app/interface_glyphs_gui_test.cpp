// Every text a window shows from Kelvane.ini has a glyph for each character in the font its
// control draws with, font linking included: a missing glyph shows as a box. ctest runs this once
// beside the English Kelvane.ini (gui_tests) and once beside the Chinese one (gui_tests_zh).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <utility>
#include <string>

#include "app/cleaning_dialogs_win.h"
#include "app/tool_table_win.h"
#include "common/resource_text.h"
#include "support/cache_registry_fixture_win.h"
#include "support/dib_canvas_win.h"
#include "support/main_dlg_fixture_win.h"
#include "tools/startup/run_setup_dlg_win.h"

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

class InterfaceGlyphs : public testing_support::MainDlgTest {
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
    // Every control in its own font; a picture's text is its resource. Captions and menus are drawn
    // in the system's fonts, not the program's.
    void CheckWindow(HWND window)
    {
        ++windows_;
        for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            char name[64] = {};
            GetClassNameA(control, name, sizeof name);
            const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
            if (std::string(name) == WC_STATICA && (type == SS_BITMAP || type == SS_ICON))
                continue;
            std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
            text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
            Check(std::string(name) + " " + std::to_string(GetDlgCtrlID(control)),
                  reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), text);
        }
    }
    std::set<std::pair<std::string, wchar_t>> checked_; // by font description
    int windows_ = 0;
};

TEST_F(InterfaceGlyphs, EveryWindowHasAGlyphForEachCharacterItShows)
{
    ASSERT_FALSE(UiText("Title1").empty()) << "no Kelvane.ini beside the test program";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    testing_support::CacheRegistryBackup cacheBackup;
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
    win32::Modeless<CRunSetupDlg> startMode;
    startMode.mode = StartDelayed;
    ASSERT_TRUE(startMode.CreateModeless(Window()));
    CheckWindow(startMode.hwnd());
    cacheBackup.Restore();
    EXPECT_EQ(windows_, 13) << "main window twice, the tools and history, methods, report, both questions, start mode";
}

} // namespace
