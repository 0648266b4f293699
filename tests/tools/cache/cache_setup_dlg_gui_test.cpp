#include "tools/cache/cache_setup_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <utility>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/message_pump_win.h"
#include "tools/cache/cache_registry_fixture_win.h"
#include "tools/cache/cache_tables.h"
#include "support/recording_host_win.h"
#include "win32/handles.h"

namespace {

using namespace testing_support;

class CacheSetupDlgTest : public testing::Test {
protected:
    void SetUp() override { CacheRegistryBackup::StartFresh(); }
    void TearDown() override
    {
        dialog_.reset();
        backup_.Restore();
    }

    void Open(int memoryMB = 192)
    {
        dialog_ = std::make_unique<win32::Modeless<CCacheSetupDlg>>([memoryMB] { return memoryMB; });
        ASSERT_TRUE(dialog_->CreateModeless());
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
    void Drag(int slider, int position) const
    {
        HWND control = dialog_->Item(slider);
        SendMessageA(control, TBM_SETPOS, TRUE, position);
        NMHDR header{control, static_cast<UINT_PTR>(slider), static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(dialog_->hwnd(), WM_NOTIFY, slider, reinterpret_cast<LPARAM>(&header));
    }

    CacheRegistryBackup backup_;
    RecordingHost host_;
    std::unique_ptr<win32::Modeless<CCacheSetupDlg>> dialog_;
};

TEST_F(CacheSetupDlgTest, FirstOpeningSuggestsAPositionBacksUpOnceAndLabelsFollowDrags)
{
    const struct {
        int memoryMB, position;
        DWORD type;
        std::vector<BYTE> memoryDefault;
        bool backedUp;
    } cases[] = {
        {192, 1, REG_DWORD, {0x39, 0x30, 0, 0}, true}, {512, 4, REG_BINARY, {1, 2, 3, 4, 5}, false},
    };
    for (const auto& c : cases) {
        CacheRegistryBackup::StartFresh();
        ASSERT_TRUE(WriteValue(HKEY_LOCAL_MACHINE, kMemoryPath, "", c.type, c.memoryDefault.data(),
                               static_cast<DWORD>(c.memoryDefault.size())));
        Open(c.memoryMB);
        EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), c.position) << c.memoryMB << " MB";
        EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
        EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 0);
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAtSetup(0));
        EXPECT_EQ(Settings("CacheBackupBOOL"), 1u);
        EXPECT_EQ(Settings("MMDefault").has_value(), c.backedUp);
        EXPECT_FALSE(Settings("CacheSize")) << "no CDFS key, nothing of the CD to back up";
    }
    EXPECT_FALSE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));

    SendMessageA(dialog_->Item(IDC_SLIDER_HDCACHE), TBM_SETPOS, TRUE, 3);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM")) << "a keyboard move changes no label";
    Drag(IDC_SLIDER_HDCACHE, 3);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(3));
    Drag(IDC_SLIDER_CDCACHE, 2);
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAfterDrag(2));
}

TEST_F(CacheSetupDlgTest, SavedChoicesAreShownAndClampedBySliders)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 2));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "CDUSEValue", 9));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "ClearPageFileAtShutdown", 1));
    Open(512);
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 2);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(2));
    EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 3);
    EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAtSetup(3));
    EXPECT_TRUE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));

    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 0xFFFFFFFF));
    Open(512);
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 0);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(0));
}

TEST_F(CacheSetupDlgTest, SaveWritesTheTablesAndRestoreWritesBackWhatWasBackedUp)
{
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kCdfsPath, "CacheSize", 300));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 5000));
    Open(512);
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 6000));
    Open(512);
    EXPECT_EQ(Settings("MMDefault"), 5000u) << "later openings never refresh the backup";

    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    for (const auto& [c, h] : {std::pair{1, 3}, std::pair{3, 2}}) {
        Drag(IDC_SLIDER_CDCACHE, c);
        Drag(IDC_SLIDER_HDCACHE, h);
        Click(IDC_BUTTONSURECACHE);
        EXPECT_EQ(Cdfs("CacheSize"), cache::kCdCacheSize[c]);
        EXPECT_EQ(Cdfs("Prefetch"), cache::kCdPrefetch[c]);
        EXPECT_EQ(Cdfs("PrefetchTail"), cache::kCdPrefetch[c]);
        EXPECT_EQ(Memory(""), cache::kHardDiskCache[h]);
        EXPECT_EQ(Settings("CDUSEValue"), static_cast<DWORD>(c));
        EXPECT_EQ(Settings("HDUSEValue"), static_cast<DWORD>(h));
        EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(h)) << "set up again after saving";
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAtSetup(c));
    }
    EXPECT_EQ(Memory("LargeSystemCache"), 1u);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
    ASSERT_EQ(host_.boxes.size(), 2u) << "one message for every save";
    EXPECT_EQ(host_.boxes[0].text, UiText("MessageCacheSetupEnd"));

    Click(IDC_RESTORECACHE_BUTTON);
    EXPECT_EQ(Cdfs("CacheSize"), 300u);
    EXPECT_EQ(Cdfs("Prefetch"), 4128u) << "not backed up, so the saved value stays";
    EXPECT_EQ(Memory(""), 5000u);
    EXPECT_EQ(Memory("LargeSystemCache"), 0u);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u) << "restoring leaves the page-file switch";
    EXPECT_FALSE(Settings("HDUSEValue"));
    EXPECT_FALSE(Settings("CDUSEValue"));
    EXPECT_EQ(host_.boxes.back().text, UiText("MessageCacheRestore"));
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 4);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
    EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 0);
    EXPECT_TRUE(IsWindow(dialog_->hwnd())) << "the dialog stays open";
}

TEST_F(CacheSetupDlgTest, OkStoresThePageFileSwitchAndCancelDoesNot)
{
    Open();
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    SendMessageA(dialog_->hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog_->Result(), IDCANCEL);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown")) << "cancel writes nothing";

    Open();
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, true);
    Click(IDOK);
    EXPECT_EQ(dialog_->Result(), IDOK);
    EXPECT_FALSE(IsWindow(dialog_->hwnd()));
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u);
    EXPECT_FALSE(Settings("HDUSEValue")) << "closing saves no cache choice";

    Open();
    dialog_->SetChecked(IDC_PAGECLEAN_CHECK, false);
    Click(IDOK);
    EXPECT_FALSE(Memory("ClearPageFileAtShutdown"));
    EXPECT_TRUE(host_.boxes.empty());
}

} // namespace
