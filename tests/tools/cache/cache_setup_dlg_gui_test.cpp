// The cache dialog walked through against the registry: the first opening backs up once and
// suggests a position, saved choices come back clamped, saving writes the tables, restoring writes
// back the backup, and only OK stores the page-file switch.
#include "tools/cache/cache_setup_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <tuple>

#include "common/resource_text.h"
#include "resources/resource.h"
#include "support/cache_registry_fixture_win.h"
#include "support/recording_host_win.h"
#include "tools/cache/cache_tables.h"

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

    void Open(int memoryMB)
    {
        dialog_ = std::make_unique<win32::Modeless<CCacheSetupDlg>>([memoryMB] { return memoryMB; });
        ASSERT_TRUE(dialog_->CreateModeless());
    }
    int Position(int slider) const { return static_cast<int>(SendMessageA(dialog_->Item(slider), TBM_GETPOS, 0, 0)); }
    std::string Text(int id) const { return dialog_->GetItemText(id); }
    void Click(int id) const { SendMessageA(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Drag(int slider, int position) const
    {
        SendMessageA(dialog_->Item(slider), TBM_SETPOS, TRUE, position);
        NMHDR header{dialog_->Item(slider), static_cast<UINT_PTR>(slider), static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(dialog_->hwnd(), WM_NOTIFY, slider, reinterpret_cast<LPARAM>(&header));
    }

    CacheRegistryBackup backup_;
    RecordingHost host_;
    std::unique_ptr<win32::Modeless<CCacheSetupDlg>> dialog_;
};

TEST_F(CacheSetupDlgTest, BacksUpOnceSavesRestoresAndStoresThePageFileSwitch)
{
    const BYTE twoBytes[] = {1, 2};
    ASSERT_TRUE(WriteValue(HKEY_LOCAL_MACHINE, kMemoryPath, "", REG_BINARY, twoBytes, sizeof twoBytes));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kCdfsPath, "CacheSize", 300));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "ClearPageFileAtShutdown", 1));
    Open(512);
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 4);
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM"));
    EXPECT_TRUE(dialog_->IsChecked(IDC_PAGECLEAN_CHECK));
    EXPECT_EQ(Settings("CacheSize"), 300u);
    EXPECT_FALSE(Settings("MMDefault")) << "only four bytes are backed up";

    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kMemoryPath, "", 6000));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "HDUSEValue", 0xFFFFFFFF));
    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "CDUSEValue", 9));
    Open(192);
    EXPECT_FALSE(Settings("MMDefault")) << "later openings never refresh the backup";
    EXPECT_EQ(Position(IDC_SLIDER_HDCACHE), 0) << "saved choices are clamped by the sliders";
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(0));
    EXPECT_EQ(Position(IDC_SLIDER_CDCACHE), 3);

    for (const auto& [c, h, clear] : {std::tuple{1, 3, false}, std::tuple{3, 2, true}}) {
        dialog_->SetChecked(IDC_PAGECLEAN_CHECK, clear);
        Drag(IDC_SLIDER_CDCACHE, c);
        Drag(IDC_SLIDER_HDCACHE, h);
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAfterDrag(c));
        EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), cache::HardDiskLabel(h));
        Click(IDC_BUTTONSURECACHE);
        EXPECT_EQ(Cdfs("CacheSize"), cache::kCdCacheSize[c]);
        EXPECT_EQ(Cdfs("Prefetch"), cache::kCdPrefetch[c]);
        EXPECT_EQ(Cdfs("PrefetchTail"), cache::kCdPrefetch[c]);
        EXPECT_EQ(Memory(""), cache::kHardDiskCache[h]);
        EXPECT_EQ(Memory("ClearPageFileAtShutdown").has_value(), clear);
        EXPECT_EQ(Settings("CDUSEValue"), static_cast<DWORD>(c));
        EXPECT_EQ(Settings("HDUSEValue"), static_cast<DWORD>(h));
        EXPECT_EQ(Text(IDC_STATIC_CDCHOICE), cache::CdLabelAtSetup(c)) << "set up again after saving";
    }
    EXPECT_EQ(Memory("LargeSystemCache"), 1u);
    ASSERT_EQ(host_.boxes.size(), 2u) << "one message for every save";
    EXPECT_EQ(host_.boxes[0].text, UiText("MessageCacheSetupEnd"));

    ASSERT_TRUE(WriteDword(HKEY_LOCAL_MACHINE, kSettingsPath, "MMDefault", 5000)); // as a four-byte one is kept
    Click(IDC_RESTORECACHE_BUTTON);
    EXPECT_EQ(Cdfs("CacheSize"), 300u);
    EXPECT_EQ(Cdfs("Prefetch"), 4128u) << "not backed up, so the saved value stays";
    EXPECT_EQ(Memory(""), 5000u);
    EXPECT_EQ(Memory("LargeSystemCache"), 0u);
    EXPECT_EQ(Memory("ClearPageFileAtShutdown"), 1u) << "restoring leaves the page-file switch";
    EXPECT_FALSE(Settings("HDUSEValue") || Settings("CDUSEValue"));
    EXPECT_EQ(host_.boxes.back().text, UiText("MessageCacheRestore"));
    EXPECT_EQ(Text(IDC_STATIC_HDCHOICE), UiText("IDC_STATIC_HDSM")) << "the sliders are set up again";

    for (const auto& [button, checked] : {std::pair{IDOK, false}, std::pair{IDCANCEL, true}, std::pair{IDOK, true}}) {
        Open(192);
        dialog_->SetChecked(IDC_PAGECLEAN_CHECK, checked);
        Click(button);
        EXPECT_EQ(dialog_->Result(), button);
        EXPECT_EQ(Memory("ClearPageFileAtShutdown").has_value(), button == IDOK && checked) << button << checked;
    }
    EXPECT_FALSE(Settings("HDUSEValue")) << "closing saves no cache choice";
}

} // namespace
