#include "common/protected_place_win.h"

#include <sddl.h>

#include <gtest/gtest.h>

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

// Descriptors as Windows stores them, read through the security API; then a real file, which Wine
// reports as owned by the user with full control.
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
        {"O:BAD:", true},                                        // an empty list lets no one in
        {"O:BA", false},                                         // no list lets everyone in
        {"O:S-1-5-21-1-2-3-1001D:(A;;FA;;;SY)", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(OnlyAdministrators(row.sddl), row.onlyAdministrators) << row.sddl;
    SECURITY_DESCRIPTOR nullList;
    InitializeSecurityDescriptor(&nullList, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&nullList, TRUE, nullptr, FALSE);
    EXPECT_FALSE(AccessFromDescriptor(&nullList).hasDacl) << "a null list lets everyone in";

    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    const auto access = ReadObjectAccess(path);
    ASSERT_TRUE(access.has_value());
    EXPECT_FALSE(access->owner.empty());
    EXPECT_FALSE(IsProtectedPlace(path));
    EXPECT_FALSE(ReadObjectAccess(std::string(path) + "-missing").has_value());
}

} // namespace
