#include "platform/drives/cdrom_info.h"
#include "platform/drives/drive_table.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {
using platform::BuildDriveTable;
using platform::DriveKind;
using platform::DriveTable;
using Devices = std::vector<std::string>;

// The kernel's text for two drives: sr0 registered first, so listed last.
constexpr const char* kTwoDrives = "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n"
                                   "\n"
                                   "drive name:\t\tsr1\tsr0\n"
                                   "drive speed:\t\t48\t24\n"
                                   "drive # of slots:\t1\t1\n"
                                   "Can close tray:\t\t1\t1\n"
                                   "\n";

std::string Letters(const DriveTable& table) {
    std::string letters;
    for (const platform::Drive& drive : table.drives)
        letters += drive.letter;
    return letters;
}

TEST(CdromInfo, ListsTheDrivesInTheOrderTheKernelRegisteredThem) {
    EXPECT_EQ(platform::ParseCdromInfo(kTwoDrives), (Devices{"/dev/sr0", "/dev/sr1"}));
    EXPECT_EQ(platform::ParseCdromInfo("drive name:\t\tsr0"), Devices{"/dev/sr0"});
}

TEST(CdromInfo, FindsNoDriveWhereTheKernelListsNone) {
    EXPECT_TRUE(platform::ParseCdromInfo("").empty());
    EXPECT_TRUE(platform::ParseCdromInfo("CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
                                         "No device found.\n")
                    .empty());
    EXPECT_TRUE(platform::ParseCdromInfo("drive name:\t\t\ndrive speed:\t\t\n").empty());
}

TEST(CdromInfo, NeverTurnsAStrangeNameIntoAPathOutsideDev) {
    EXPECT_EQ(platform::ParseCdromInfo("drive name:\t../../etc/passwd\tsr0\t/x\t.."),
              Devices{"/dev/sr0"});
    EXPECT_EQ(platform::ParseCdromInfo("drive name:\tsr0\tsr0"), Devices{"/dev/sr0"});
}

TEST(CdromInfo, AMachineWithoutTheFileHasNoOpticalDrive) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath("info").toStdString();
    EXPECT_TRUE(platform::ReadCdromInfo(path).empty());

    std::ofstream(path) << kTwoDrives;
    EXPECT_EQ(platform::ReadCdromInfo(path), (Devices{"/dev/sr0", "/dev/sr1"}));
}

TEST(DriveTable, GivesTheHomeFolderCAndTheOpticalDrivesTheLettersFromD) {
    const DriveTable none = BuildDriveTable("/home/ann", {}, {});
    ASSERT_EQ(Letters(none), "C");
    EXPECT_EQ(none.drives[0].kind, DriveKind::HomeFolder);
    EXPECT_EQ(none.drives[0].path, "/home/ann");

    const DriveTable two = BuildDriveTable("/home/ann", {"/dev/sr0", "/dev/sr1"}, {});
    ASSERT_EQ(Letters(two), "CDE");
    EXPECT_EQ(two.Find('D')->path, "/dev/sr0");
    EXPECT_EQ(two.Find('e')->path, "/dev/sr1");
    EXPECT_EQ(two.Find('E')->kind, DriveKind::OpticalDrive);
    EXPECT_EQ(two.Find('F'), nullptr);
}

TEST(DriveTable, MappedLettersComeFirstAndPushTheOpticalDrivesOn) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string vcd = folder.path().toStdString();
    const DriveTable table = BuildDriveTable("/home/ann", {"/dev/sr0", "/dev/sr1"},
                                             {{'D', vcd}, {'F', "/discs/missing.CUE"}});
    ASSERT_EQ(Letters(table), "CDEFG");
    EXPECT_EQ(table.Find('D')->kind, DriveKind::MappedFolder);
    EXPECT_EQ(table.Find('D')->path, vcd);
    EXPECT_EQ(table.Find('E')->path, "/dev/sr0");
    EXPECT_EQ(table.Find('F')->kind, DriveKind::MappedImage);
    EXPECT_EQ(table.Find('G')->path, "/dev/sr1");
    EXPECT_TRUE(table.ignored.empty());
}

TEST(DriveTable, KeepsMappingsThatCannotTakeTheirLetterAsideWithTheReason) {
    const DriveTable table =
        BuildDriveTable("/home/ann", {"/dev/sr0"},
                        {{'A', "/discs/a.iso"}, {'C', "/discs"}, {'E', "discs/vcd.bin"}});
    ASSERT_EQ(Letters(table), "ACD");
    EXPECT_EQ(table.Find('C')->kind, DriveKind::HomeFolder);
    ASSERT_EQ(table.ignored.size(), 2u);
    EXPECT_EQ(table.ignored[0].mapping.letter, 'C');
    EXPECT_EQ(table.ignored[0].reason, "C: is the home folder");
    EXPECT_EQ(table.ignored[1].mapping.letter, 'E');
    EXPECT_EQ(table.ignored[1].reason, "the target is not an absolute path");
}

TEST(DriveTable, RunsOutOfLettersAtZ) {
    Devices devices;
    for (int n = 0; n < 30; ++n)
        devices.push_back("/dev/sr" + std::to_string(n));
    const DriveTable table = BuildDriveTable("/home/ann", devices, {{'Z', "/discs"}});
    EXPECT_EQ(Letters(table), "CDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(table.Find('Y')->path, "/dev/sr21");
}

TEST(DriveTable, RecognisesDiscImagesByExtensionInAnyCase) {
    EXPECT_TRUE(platform::IsDiscImageName("/d/vcd.cue"));
    EXPECT_TRUE(platform::IsDiscImageName("/d/VCD.Bin"));
    EXPECT_TRUE(platform::IsDiscImageName("x.ISO"));
    EXPECT_FALSE(platform::IsDiscImageName("/d/vcd.img"));
    EXPECT_FALSE(platform::IsDiscImageName("/d/iso"));
    EXPECT_FALSE(platform::IsDiscImageName("/d.iso/vcd"));
    EXPECT_FALSE(platform::IsDiscImageName("/d/vcd.cue.txt"));
}

} // namespace
