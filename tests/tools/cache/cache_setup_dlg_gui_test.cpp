// The cache settings dialog driven with messages against the real registry.
#include "tools/cache/cache_setup_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/screenshot_win.h"
#include "tools/cache/cache_registry_fixture_win.h"
#include "win32/handles.h"
#include "win32/ui_host.h"

namespace {

using namespace testing_support;

class RecordingHost : public win32::UiHost {
public:
    struct Box {
        std::string text, caption;
        UINT type;
    };
    std::vector<Box> boxes;
    int ShowMessage(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({text, caption, type});
        return IDOK;
    }
};

class CacheSetupDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        CacheRegistryBackup::StartFresh();
        win32::SetUiHost(&host_);
    }
    void TearDown() override
    {
        dialog_.reset();
        win32::SetUiHost(nullptr);
        backup_.Restore();
    }

    CCacheSetupDlg& Open(int memoryMB = 192)
    {
        dialog_ = std::make_unique<CCacheSetupDlg>([memoryMB] { return memoryMB; });
        EXPECT_TRUE(dialog_->CreateModeless());
        return *dialog_;
    }
    int Position(int slider) const
    {
        return static_cast<int>(SendMessageA(dialog_->Item(slider), TBM_GETPOS, 0, 0));
    }
    std::string Text(int id) const { return dialog_->GetItemText(id); }
    void Click(int id) const
    {
        SendMessageA(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog_->Item(id)));
    }
    // A drag that ends at `position`: the slider moves, then releases the mouse capture.
    void Drag(int slider, int position) const
    {
        HWND control = dialog_->Item(slider);
        SendMessageA(control, TBM_SETPOS, TRUE, position);
        NMHDR header{control, static_cast<UINT_PTR>(slider), static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(dialog_->hwnd(), WM_NOTIFY, slider, reinterpret_cast<LPARAM>(&header));
    }

    CacheRegistryBackup backup_;
    RecordingHost host_;
    std::unique_ptr<CCacheSetupDlg> dialog_;
};

TEST_F(CacheSetupDlgTest, FirstOpeningSuggestsAPositionFromTheMemorySize)
{
    const struct {
        int memoryMB;
        int position;
    } cases[] = {{192, 1}, {512, 4}, {32, 0}, {256, 3}};
    for (const auto& c : cases) {
        CacheRegistryBackup::StartFresh();
        Open(c.memoryMB);
        EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), c.position) << c.memoryMB << " MB";
        EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
        EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 0);
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "CD/DVD-ROM 228KB");
        EXPECT_EQ(Settings("CacheBackupBOOL"), 1u) << "the backup is taken on opening";
    }
    EXPECT_EQ(dialog_->GetCaption(), UiText("IDC_BUTTONOT1"));
    EXPECT_EQ(Text(IDC_STATIC_HDLOW), " 4 MB");
    EXPECT_EQ(Text(IDC_STATIC_HDHIGH), "64 MB");
    EXPECT_EQ(Text(IDC_STATIC_CDLOW), "228 KB");
    EXPECT_EQ(Text(IDC_STATIC_CDHIGH), "4128 KB");
    EXPECT_EQ(Text(IDOK), UiText("IDOKINCACHE"));
    EXPECT_FALSE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));
}

TEST_F(CacheSetupDlgTest, SavedChoicesAreShownAndClampedBySliders)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 2));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "CDUSEValue", 9));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "ClearPageFileAtShutdown", 1));
    Open(512);
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 2);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), "16MB");
    EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 3);
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "DVD-RW 4128KB");
    EXPECT_TRUE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));

    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 0xFFFFFFFF));
    dialog_.reset();
    Open(512);
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 0);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), "4MB");
}

TEST_F(CacheSetupDlgTest, LabelsFollowTheSlidersOnlyWhenTheyReleaseTheMouse)
{
    Open();
    SendMessageA(dialog_->Item(IDC_SLIDER_HDCACHE), TBM_SETPOS, TRUE, 3);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM")) << "a keyboard move changes no label";
    Drag(IDC_SLIDER_HDCACHE, 3);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), "32MB");
    Drag(IDC_SLIDER_CDCACHE, 2);
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "CD-RW 2144 KB");
    Drag(IDC_SLIDER_CDCACHE, 7);
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "DVD-RW 4128 KB");
}

TEST_F(CacheSetupDlgTest, SaveWritesTheChoiceAndTellsSoEachTime)
{
    Open();
    Drag(IDC_SLIDER_HDCACHE, 3);
    Drag(IDC_SLIDER_CDCACHE, 2);
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    for (int round = 0; round < 2; ++round) {
        Click(IDC_BUTTONSURECACHE);
        EXPECT_EQ(Cdfs("CacheSize"), 1238u);
        EXPECT_EQ(Cdfs("Prefetch"), 2144u);
        EXPECT_EQ(Cdfs("PrefetchTail"), 2144u);
        EXPECT_EQ(Memory(""), 32768000u);
        EXPECT_EQ(Memory("LargeSystemCache"), 1u);
        EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
        EXPECT_EQ(Settings("HDUSEValue"), 3u);
        EXPECT_EQ(Settings("CDUSEValue"), 2u);
        ASSERT_EQ(host_.boxes.size(), static_cast<size_t>(round + 1));
        EXPECT_EQ(host_.boxes.back().text, UiText("MessageCacheSetupEnd"));
        EXPECT_EQ(host_.boxes.back().caption, "Tidewell");
        EXPECT_EQ(host_.boxes.back().type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        // The set-up after saving shows the saved choice with the set-up's own format.
        EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), "32MB");
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "CD-RW 2144KB");
        EXPECT_TRUE(IsWindow(dialog_->hwnd())) << "the dialog stays open";
    }
}

TEST_F(CacheSetupDlgTest, RestoreReturnsToTheBackupAndTheSuggestion)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kCdfsPath, "CacheSize", 300));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 5000));
    Open(512);
    Drag(IDC_SLIDER_HDCACHE, 1);
    Drag(IDC_SLIDER_CDCACHE, 3);
    Click(IDC_BUTTONSURECACHE);
    ASSERT_EQ(Cdfs("CacheSize"), 2476u);

    Click(IDC_RESTORECACHE_BUTTON);
    EXPECT_EQ(Cdfs("CacheSize"), 300u);
    EXPECT_EQ(Memory(""), 5000u);
    EXPECT_EQ(Memory("LargeSystemCache"), 0u);
    EXPECT_FALSE(Settings("HDUSEValue"));
    ASSERT_EQ(host_.boxes.size(), 2u);
    EXPECT_EQ(host_.boxes.back().text, UiText("MessageCacheRestore"));
    EXPECT_EQ(host_.boxes.back().caption, "Tidewell");
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 4);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
    EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 0);

    // Reopening after a restore shows the same.
    dialog_.reset();
    Open(512);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), "CD/DVD-ROM 228KB");
}

TEST_F(CacheSetupDlgTest, OkStoresThePageFileSwitchAndCancelDoesNot)
{
    Open();
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    SendMessageA(dialog_->hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(dialog_->hwnd()));
    EXPECT_EQ(dialog_->Result(), IDCANCEL);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown")) << "cancel writes nothing";
    EXPECT_FALSE(Settings("HDUSEValue"));

    Open();
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    Click(IDOK);
    EXPECT_EQ(dialog_->Result(), IDOK);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
    EXPECT_FALSE(Settings("HDUSEValue")) << "closing saves no cache choice";
    EXPECT_TRUE(host_.boxes.empty());

    Open();
    EXPECT_TRUE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, false);
    Click(IDOK);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown"));
}

TEST_F(CacheSetupDlgTest, BackgroundIsTheToolPanel)
{
    Open();
    ShowWindow(dialog_->hwnd(), SW_SHOW);
    UpdateWindow(dialog_->hwnd());
    RECT client;
    GetClientRect(dialog_->hwnd(), &client);
    win32::WindowDc dc(dialog_->hwnd());
    ASSERT_TRUE(PumpUntil([&] { return GetPixel(dc.get(), 2, 2) == RGB(215, 215, 215); }));
    EXPECT_EQ(GetPixel(dc.get(), 12, client.bottom - 12), RGB(255, 255, 255));
}

TEST(CacheScreenshot, CacheSettings)
{
    if (!ScreenshotsWanted())
        GTEST_SKIP() << "no screenshot folder";
    CacheRegistryBackup backup;
    CacheRegistryBackup::StartFresh();
    {
        CCacheSetupDlg dialog([] { return 512; });
        ASSERT_TRUE(dialog.CreateModeless());
        ShowWindow(dialog.hwnd(), SW_SHOW);
        win32::WindowDc dc(dialog.hwnd());
        EXPECT_TRUE(PumpUntil([&] { return GetPixel(dc.get(), 2, 2) == RGB(215, 215, 215); }));
        EXPECT_TRUE(SaveScreenshot(dialog.hwnd(), "cache"));
    }
    backup.Restore();
}

} // namespace
