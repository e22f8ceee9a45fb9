#include "platform/drives/drives.h"

#include "drives_test_support.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {
using platform::GetDriveTypeA;
using platform::GetLogicalDriveStringsA;

TEST(GetLogicalDriveStrings, WritesEveryRootOrAsksForTheRoomItNeeds) {
    drives_test::ScopedDriveSources sources({"/dev/sr0", "/dev/sr1"});
    const std::string roots("C:\\\0D:\\\0E:\\\0\0", 13);
    char buffer[20];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetLogicalDriveStringsA(12, buffer), 13u); // no room for the final zero
    EXPECT_EQ(GetLogicalDriveStringsA(20, nullptr), 13u);
    EXPECT_EQ(std::string(buffer, 20), std::string(20, 'x'));
    EXPECT_EQ(GetLogicalDriveStringsA(13, buffer), 12u);
    EXPECT_EQ(std::string(buffer, 14), roots + 'x');
}

TEST(GetDriveType, TellsTheHomeFolderFromCdromDrivesAndRefusesAllButRoots) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    sources.mappings->stored['G'] = "/discs/vcd.cue";
    EXPECT_EQ(GetDriveTypeA("C:\\"), platform::DRIVE_FIXED);
    for (const char* root : {"D:\\", "D:", "d:\\", "D:/", "G:\\"})
        EXPECT_EQ(GetDriveTypeA(root), platform::DRIVE_CDROM) << root;
    for (const char* odd :
         {"E:\\", "Z:", "", "D", ":\\", "D:\\MPEGAV\\", "D:\\\\", "1:\\", " D:", "/dev/sr0"})
        EXPECT_EQ(GetDriveTypeA(odd), platform::DRIVE_NO_ROOT_DIR) << odd;
    EXPECT_EQ(GetDriveTypeA(nullptr), platform::DRIVE_NO_ROOT_DIR);
}

TEST(LookupDrive, GivesWhatStandsBehindALetter) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    sources.mappings->stored['D'] = "/discs/vcd.iso";
    EXPECT_EQ(platform::LookupDrive('c')->path, std::getenv("HOME"));
    EXPECT_EQ(platform::LookupDrive('D')->kind, platform::DriveKind::MappedImage);
    EXPECT_EQ(platform::LookupDrive('E')->path, "/dev/sr0");
    EXPECT_FALSE(platform::LookupDrive('F'));
    EXPECT_FALSE(platform::LookupDrive('?'));
}

} // namespace
