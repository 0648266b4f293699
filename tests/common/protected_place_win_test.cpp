#include "common/protected_place_win.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/autostart_seams_win.h"
#include "support/folder_link_win.h"

namespace {

bool OnlyAdministrators(const std::string& sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                                     nullptr))
        << sddl;
    const bool result = descriptor && OnlyAdministratorsCanChange(AccessFromDescriptor(descriptor));
    LocalFree(descriptor);
    return result;
}

// Descriptors as Windows stores them, read through the security API.
TEST(ProtectedPlaceWin, ReadsOwnerAndEntriesOfRealDescriptors)
{
    const std::string adminsOnly =
        "O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:PAI"
        "(A;;FA;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)(A;OICIIO;GA;;;CO)"
        "(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
    const struct {
        std::string sddl;
        bool onlyAdministrators;
    } rows[] = {
        {adminsOnly, true},
        {adminsOnly + "(A;OICI;0x1301bf;;;BU)", false},
        {adminsOnly + "(A;OICIIO;FA;;;BU)(D;;FA;;;WD)", true}, // for children only, and a denial
        {"O:BA", false},                                         // no list lets everyone in
        {"O:S-1-5-21-1-2-3-1001D:(A;;FA;;;SY)", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(OnlyAdministrators(row.sddl), row.onlyAdministrators) << row.sddl;
}

// The check for real, only ownership pretended (Wine has none): where the file really lies, a link
// on the way, a share, and reading through the handle whose place was checked.
TEST(ProtectedPlaceWin, ReadsOnlyWhereTheFileReallyLiesWithoutLinks)
{
    const testing_support::ScratchDir dir("place");
    std::filesystem::create_directory(dir.path() / "real");
    const std::string file = dir.File("real\\Delay.ini"), linked = dir.File("link\\Delay.ini");
    testing_support::WriteWholeFile(file, "[Item0]");
    const testing_support::FolderLink link(dir.File("link"), dir.File("real"));
    std::string bytes;
    {
        const testing_support::PretendPlaces places;
        std::string upper = file;
        CharUpperA(upper.data());
        EXPECT_EQ(CheckPlace(upper).finalPath, file) << "protected, and named as it really is";
        // The same file by drive Z:, through Wine's link of its drive C: and by the real folder.
        std::string throughZ = "Z:" + testing_support::UnixPath(file);
        std::replace(throughZ.begin(), throughZ.end(), '/', '\\');
        EXPECT_EQ(CheckPlace(throughZ).verdict, PlaceVerdict::ThroughLink) << throughZ;
        throughZ.replace(throughZ.find("\\dosdevices\\c:"), 14, "\\drive_c");
        EXPECT_EQ(CheckPlace(throughZ).finalPath, file) << throughZ;
        EXPECT_TRUE(ReadProtectedFile(file, bytes).Ok());
        EXPECT_EQ(bytes, "[Item0]");
        EXPECT_EQ(ReadProtectedFile(linked, bytes).verdict, PlaceVerdict::ThroughLink);
        EXPECT_EQ(CheckPlace("\\\\server\\share\\Delay.ini").verdict, PlaceVerdict::NetworkPath);
        EXPECT_EQ(ReadProtectedFile(dir.File("real\\absent.ini"), bytes).read, FileRead::Missing);
    }
    EXPECT_EQ(ReadProtectedFile(file, bytes).verdict, PlaceVerdict::UsersMayChange) << "as Wine reports every file";
    EXPECT_EQ(bytes, "");
}

} // namespace
