#include "platform/drives/drives.h"

#include "drives_test_support.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {
using platform::DWORD;
using platform::GetDriveTypeA;
using platform::GetLogicalDriveStringsA;

constexpr char kThreeRoots[] = "C:\\\0D:\\\0E:\\\0"; // and the array's own final zero

TEST(GetLogicalDriveStrings, WritesEveryRootAndAFinalZero) {
    drives_test::ScopedDriveSources sources({"/dev/sr0", "/dev/sr1"});
    char buffer[260];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(GetLogicalDriveStringsA(sizeof buffer, buffer), 12u);
    EXPECT_EQ(std::string(buffer, 13), std::string(kThreeRoots, sizeof kThreeRoots));
    EXPECT_EQ(buffer[13], 'x');
}

TEST(GetLogicalDriveStrings, AsksForMoreRoomWithoutWritingWhenTheBufferIsTooSmall) {
    drives_test::ScopedDriveSources sources({"/dev/sr0", "/dev/sr1"});
    char buffer[13];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetLogicalDriveStringsA(12, buffer), 13u); // no room for the final zero
    EXPECT_EQ(GetLogicalDriveStringsA(0, buffer), 13u);
    EXPECT_EQ(GetLogicalDriveStringsA(260, nullptr), 13u);
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
    EXPECT_EQ(GetLogicalDriveStringsA(13, buffer), 12u);
}

TEST(GetLogicalDriveStrings, ListsOnlyCWithoutOpticalDrives) {
    drives_test::ScopedDriveSources sources;
    char buffer[8];
    ASSERT_EQ(GetLogicalDriveStringsA(sizeof buffer, buffer), 4u);
    EXPECT_EQ(std::string(buffer, 5), std::string("C:\\\0", 5));
}

TEST(GetDriveType, TellsTheHomeFolderFromCdromDrives) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    sources.mappings->stored['G'] = "/discs/vcd.cue";
    EXPECT_EQ(GetDriveTypeA("C:\\"), platform::DRIVE_FIXED);
    EXPECT_EQ(GetDriveTypeA("D:\\"), platform::DRIVE_CDROM);
    EXPECT_EQ(GetDriveTypeA("G:\\"), platform::DRIVE_CDROM);
    EXPECT_EQ(GetDriveTypeA("E:\\"), platform::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(GetDriveTypeA("Z:\\"), platform::DRIVE_NO_ROOT_DIR);
}

TEST(GetDriveType, AcceptsTheRootInEveryUsualSpelling) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    for (const char* root : {"D:\\", "D:", "d:\\", "d:", "D:/"})
        EXPECT_EQ(GetDriveTypeA(root), platform::DRIVE_CDROM) << root;
}

TEST(GetDriveType, NamesNoRootForAnythingButADriveRoot) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    for (const char* odd : {"", "D", ":\\", "D:\\MPEGAV\\", "D:\\\\", "DD:\\", "1:\\", "\\\\D:\\",
                            " D:\\", "/dev/sr0"})
        EXPECT_EQ(GetDriveTypeA(odd), platform::DRIVE_NO_ROOT_DIR) << odd;
    EXPECT_EQ(GetDriveTypeA(nullptr), platform::DRIVE_NO_ROOT_DIR);
}

TEST(LookupDrive, GivesTheLinuxPathBehindALetter) {
    drives_test::ScopedDriveSources sources({"/dev/sr0"});
    sources.mappings->stored['D'] = "/discs/vcd.iso";
    const auto home = platform::LookupDrive('c');
    ASSERT_TRUE(home);
    EXPECT_EQ(home->kind, platform::DriveKind::HomeFolder);
    EXPECT_EQ(home->path, std::getenv("HOME"));
    const auto image = platform::LookupDrive('D');
    ASSERT_TRUE(image);
    EXPECT_EQ(image->kind, platform::DriveKind::MappedImage);
    EXPECT_EQ(image->path, "/discs/vcd.iso");
    EXPECT_EQ(platform::LookupDrive('E')->path, "/dev/sr0");
    EXPECT_FALSE(platform::LookupDrive('F'));
    EXPECT_FALSE(platform::LookupDrive('?'));
}

} // namespace
