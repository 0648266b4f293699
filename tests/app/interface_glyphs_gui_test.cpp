// Every text a window shows from Kelvane.ini has a glyph for each character in the font its
// control draws with, font linking included: a missing glyph shows as a box. ctest runs this once
// beside the English Kelvane.ini (gui_tests) and once beside the Chinese one (gui_tests_zh).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "app/about_dlg_win.h"
#include "app/cleaning_methods_dlg_win.h"
#include "app/defrag_query_dlg_win.h"
#include "app/main_dlg_fixture_win.h"
#include "common/resource_text.h"
#include "controls/dib_canvas_win.h"
#include "memory/report_dlg_win.h"
#include "support/test_paths.h"
#include "tools/cache/cache_registry_fixture_win.h"
#include "tools/cache/cache_setup_dlg_win.h"
#include "tools/process/process_dlg_win.h"
#include "tools/service/service_dlg_win.h"
#include "tools/startup/autorun_dlg_win.h"
#include "tools/startup/run_setup_dlg_win.h"

namespace {

// A noncharacter: no font has a glyph for it, so every font draws it as its missing-glyph box.
constexpr wchar_t kNoGlyph[] = L"\xFDD0";

// Which characters a font draws as its box, remembered per font description. GDI applies the
// system's font linking when drawing, as it does for the controls.
class GlyphCheck {
public:
    std::wstring Missing(HFONT font, const std::wstring& text)
    {
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        auto& known = verdicts_[std::string(reinterpret_cast<const char*>(&description), sizeof description)];
        std::wstring missing;
        for (size_t i = 0; i < text.size(); ++i) {
            const size_t length = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
            const std::wstring character = text.substr(i, length);
            i += length - 1;
            if (std::iswspace(character[0]))
                continue;
            auto verdict = known.find(character);
            if (verdict == known.end())
                verdict = known.emplace(character, DrawsAsBox(font, character)).first;
            if (verdict->second)
                missing += character;
        }
        return missing;
    }

private:
    static bool DrawsAsBox(HFONT font, const std::wstring& character)
    {
        DibCanvas probe(1, 1);
        win32::SelectObjectScope probeFont(probe.dc(), font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(probe.dc(), &metrics);
        const int size = 3 * metrics.tmHeight + 4;
        DibCanvas canvas(size, size);
        win32::SelectObjectScope selected(canvas.dc(), font);
        SetBkMode(canvas.dc(), TRANSPARENT);
        return Picture(canvas, size, character) == Picture(canvas, size, kNoGlyph);
    }
    static std::vector<controls::Colour> Picture(DibCanvas& canvas, int size, const std::wstring& character)
    {
        canvas.Clear(controls::Rgb(255, 255, 255));
        TextOutW(canvas.dc(), 2, 2, character.c_str(), static_cast<int>(character.size()));
        std::vector<controls::Colour> pixels;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                pixels.push_back(canvas.At(x, y));
        return pixels;
    }

    std::map<std::string, std::map<std::wstring, bool>> verdicts_;
};

HFONT FontOf(HWND window)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

std::wstring WindowText(HWND window)
{
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The caption or menu font of the system.
HFONT SystemFont(LOGFONTW NONCLIENTMETRICSW::*which)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&(metrics.*which));
}

class InterfaceGlyphs : public testing_support::MainDlgTest {
protected:
    void Check(const std::string& where, HFONT font, const std::wstring& text)
    {
        characters_ += text.size();
        const std::wstring missing = glyphs_.Missing(font, text);
        EXPECT_TRUE(missing.empty()) << where << " draws these as boxes: " << missing;
    }
    // The caption (drawn in the caption font), every control, and the texts inside list views
    // (column titles, cells) and drop-down lists.
    void CheckWindow(HWND window)
    {
        const std::string name = ClassOf(window) + " " + std::to_string(GetDlgCtrlID(window));
        Check(name + " caption", captionFont_.get(), WindowText(window));
        EnumChildWindows(
            window,
            [](HWND control, LPARAM self) {
                reinterpret_cast<InterfaceGlyphs*>(self)->CheckControl(control);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
    }
    void CheckControl(HWND control)
    {
        const std::string where = ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control));
        const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
        const bool picture = ClassOf(control) == WC_STATICA && (style == SS_BITMAP || style == SS_ICON);
        if (!picture) // its "text" is the picture's resource number
            Check(where, FontOf(control), WindowText(control));
        wchar_t buffer[512];
        if (ClassOf(control) == WC_LISTVIEWA) {
            HWND header = ListView_GetHeader(control);
            const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
            const int rows = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
            for (int c = 0; c < columns; ++c) {
                HDITEMW title{};
                title.mask = HDI_TEXT;
                title.pszText = buffer;
                title.cchTextMax = static_cast<int>(std::size(buffer));
                if (SendMessageW(header, HDM_GETITEMW, c, reinterpret_cast<LPARAM>(&title)))
                    Check(where + " column", FontOf(header), buffer);
                for (int r = 0; r < rows; ++r) {
                    LVITEMW cell{};
                    cell.iSubItem = c;
                    cell.pszText = buffer;
                    cell.cchTextMax = static_cast<int>(std::size(buffer));
                    SendMessageW(control, LVM_GETITEMTEXTW, r, reinterpret_cast<LPARAM>(&cell));
                    Check(where + " cell", FontOf(control), buffer);
                }
            }
        } else if (ClassOf(control) == WC_COMBOBOXA) {
            const int items = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < items; ++i)
                if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(std::size(buffer)) &&
                    SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer)) != CB_ERR)
                    Check(where + " item", FontOf(control), buffer);
        }
    }
    void CheckTrayMenu()
    {
        win32::UniqueMenu menu(LoadMenuA(win32::ResourceModule(), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
        HMENU popup = GetSubMenu(menu.get(), 0);
        CResourceText texts;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            if (GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR)
                continue;
            const std::string text = texts.Text("MenuItem" + std::to_string(i));
            std::wstring wide(text.size(), L'\0');
            wide.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                            static_cast<int>(wide.size())));
            Check("tray menu item " + std::to_string(i), menuFont_.get(), wide);
        }
    }
    template <typename Tool>
    void CheckTool(Tool& tool)
    {
        ASSERT_TRUE(tool.CreateModeless(Window()));
        CheckWindow(tool.hwnd());
    }

    GlyphCheck glyphs_;
    size_t characters_ = 0;
    win32::UniqueGdi<HFONT> captionFont_{SystemFont(&NONCLIENTMETRICSW::lfCaptionFont)};
    win32::UniqueGdi<HFONT> menuFont_{SystemFont(&NONCLIENTMETRICSW::lfMenuFont)};
};

TEST_F(InterfaceGlyphs, EveryWindowHasAGlyphForEachCharacterItShows)
{
    ASSERT_FALSE(UiText("Title1").empty()) << "no Kelvane.ini beside the test program";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    testing_support::CacheRegistryBackup cacheBackup;
    testing_support::ScratchDir scratch("glyphs");

    Open();
    CheckWindow(Window());
    Command(IDC_TAB_BUTTON); // the widened window renames its button
    CheckWindow(Window());
    CheckTrayMenu();
    host_.modal = [this](win32::Dialog& dialog) {
        if (dialog.CreateModeless(Window()))
            CheckWindow(dialog.hwnd());
        dialog.EndDialog(IDOK);
        return IDOK;
    };
    ShowCleaningReport();
    win32::Modeless<CDefragQueryDlg> confirm, confirmStandby;
    confirm.SetLoadLine([this] { return Text(IDC_CPU_LOAD); });
    CheckTool(confirm);
    confirmStandby.SetStandbyReason(true);
    CheckTool(confirmStandby);
    win32::Modeless<CCleaningMethodsDlg> methods({kAllMethods, true, 40}, kAllMethods);
    CheckTool(methods);
    win32::Modeless<CAboutDlg> about;
    CheckTool(about);
    win32::Modeless<CAutorunDlg> startup(scratch.File("Delay.ini"));
    CheckTool(startup);
    win32::Modeless<CRunSetupDlg> startMode;
    startMode.mode = StartDelayed;
    CheckTool(startMode);
    win32::Modeless<CProcessDlg> processes([] { return false; });
    CheckTool(processes);
    win32::Modeless<CServiceDlg> services;
    CheckTool(services);
    win32::Modeless<CCacheSetupDlg> cache([] { return 512; });
    CheckTool(cache);
    cacheBackup.Restore();
    EXPECT_GT(characters_, 500u) << "the windows showed their texts";
}

} // namespace
