#include "common/protected_place_win.h"

#include <sddl.h>

#include <gtest/gtest.h>

namespace {

bool OnlyAdministrators(const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
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
    EXPECT_TRUE(OnlyAdministrators(adminsOnly.c_str()));
    for (const char* writer : {"(A;OICI;0x1301bf;;;BU)", "(A;OICI;0x1301bf;;;AU)", "(A;OICI;FA;;;WD)",
                               "(A;OICI;FA;;;S-1-5-21-3623811015-3361044348-30300820-1001)"})
        EXPECT_FALSE(OnlyAdministrators((adminsOnly + writer).c_str())) << writer;
    EXPECT_TRUE(OnlyAdministrators((adminsOnly + "(A;OICIIO;FA;;;BU)(D;;FA;;;WD)").c_str()))
        << "entries for children only and denials grant nothing here";
    EXPECT_TRUE(OnlyAdministrators("O:BAD:")) << "an empty list lets no one in";
    EXPECT_FALSE(OnlyAdministrators("O:S-1-5-21-1-2-3-1001D:(A;;FA;;;SY)")) << "a user owns it";
}

TEST(ProtectedPlaceWin, NoAccessListLetsEveryoneChange)
{
    SECURITY_DESCRIPTOR descriptor;
    ASSERT_TRUE(InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(sid);
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &size));
    ASSERT_TRUE(SetSecurityDescriptorOwner(&descriptor, sid, FALSE));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE));
    const ObjectAccess access = AccessFromDescriptor(&descriptor);
    EXPECT_EQ(access.owner, "S-1-5-32-544");
    EXPECT_FALSE(access.hasDacl);
    EXPECT_FALSE(OnlyAdministratorsCanChange(access));
}

// Wine reports every file as owned by the user with full control, so no place it has is protected.
TEST(ProtectedPlaceWin, AFolderTheUserOwnsIsNotProtected)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    const std::string program = path;
    const auto access = ReadObjectAccess(program);
    ASSERT_TRUE(access.has_value());
    EXPECT_FALSE(access->owner.empty());
    EXPECT_FALSE(IsProtectedPlace(program));
    EXPECT_FALSE(ReadObjectAccess(program + "-missing").has_value());
}

} // namespace
