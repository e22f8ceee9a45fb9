#include "platform/drives/cdrom_info.h"
#include "platform/drives/drive_table.h"

#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {
using platform::BuildDriveTable;
using platform::DriveKind;
using platform::ParseCdromInfo;
using Devices = std::vector<std::string>;

// Two drives as the kernel prints them: sr0 was registered first, so it comes last.
constexpr const char* kTwoDrives = "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\n"
                                   "drive name:\t\tsr1\tsr0\n"
                                   "drive speed:\t\t48\t24\n";

std::string Letters(const platform::DriveTable& table) {
    std::string letters;
    for (const platform::Drive& drive : table.drives)
        letters += drive.letter;
    return letters;
}

TEST(CdromInfo, ListsTheDrivesInRegistrationOrderAndOnlyUnderDev) {
    EXPECT_EQ(ParseCdromInfo(kTwoDrives), (Devices{"/dev/sr0", "/dev/sr1"}));
    EXPECT_TRUE(
        ParseCdromInfo("CD-ROM information, Id: cdrom.c 3.20\n\nNo device found.\n").empty());
    EXPECT_TRUE(ParseCdromInfo("drive name:\t\t\ndrive speed:\t\t\n").empty());
    EXPECT_EQ(ParseCdromInfo("drive name:\t../../etc/passwd\tsr0\t/x\t..\tsr0"),
              Devices{"/dev/sr0"});
}

TEST(CdromInfo, AMachineWithoutTheFileHasNoOpticalDrive) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("info").toStdString();
    EXPECT_TRUE(platform::ReadCdromInfo(path).empty());
    std::ofstream(path) << kTwoDrives;
    EXPECT_EQ(platform::ReadCdromInfo(path), (Devices{"/dev/sr0", "/dev/sr1"}));
}

TEST(DriveTable, GivesCToTheHomeFolderAndTheNextFreeLettersToOpticalDrives) {
    EXPECT_EQ(Letters(BuildDriveTable("/home/ann", {}, {})), "C");
    const auto two = BuildDriveTable("/home/ann", {"/dev/sr0", "/dev/sr1"}, {});
    ASSERT_EQ(Letters(two), "CDE");
    EXPECT_EQ(two.Find('c')->kind, DriveKind::HomeFolder);
    EXPECT_EQ(two.Find('C')->path, "/home/ann");
    EXPECT_EQ(two.Find('D')->path, "/dev/sr0");
    EXPECT_EQ(two.Find('e')->kind, DriveKind::OpticalDrive);

    QTemporaryDir folder;
    const std::string vcd = folder.path().toStdString();
    const auto mapped = BuildDriveTable("/home/ann", {"/dev/sr0", "/dev/sr1"},
                                        {{'D', vcd}, {'F', "/gone/vcd.CUE"}});
    ASSERT_EQ(Letters(mapped), "CDEFG");
    EXPECT_EQ(mapped.Find('D')->kind, DriveKind::MappedFolder);
    EXPECT_EQ(mapped.Find('E')->path, "/dev/sr0");
    EXPECT_EQ(mapped.Find('F')->kind, DriveKind::MappedImage);
    EXPECT_EQ(mapped.Find('G')->path, "/dev/sr1");
}

TEST(DriveTable, SetsAsideMappingsThatCannotTakeTheirLetter) {
    const auto table = BuildDriveTable("/home/ann", {"/dev/sr0"},
                                       {{'A', "/a.iso"}, {'C', "/discs"}, {'E', "discs/vcd.bin"}});
    ASSERT_EQ(Letters(table), "ACD");
    ASSERT_EQ(table.ignored.size(), 2u);
    EXPECT_EQ(table.ignored[0].reason, "C: is the home folder");
    EXPECT_EQ(table.ignored[1].reason, "the target is not an absolute path");
}

TEST(DriveTable, RunsOutOfLettersAtZ) {
    Devices devices;
    for (int n = 0; n < 30; ++n)
        devices.push_back("/dev/sr" + std::to_string(n));
    EXPECT_EQ(Letters(BuildDriveTable("/home/ann", devices, {})), "CDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(DriveTable, KnowsDiscImagesByTheirExtensionInAnyCase) {
    for (const char* image : {"/d/vcd.cue", "/d/VCD.Bin", "x.ISO", "/d/vcd.img", "a.NRG", "b.toc",
                              "c.Ccd", "d.mds", "e.MDF"})
        EXPECT_TRUE(platform::IsDiscImageName(image)) << image;
    for (const char* other : {"/d/vcd.sub", "/d/iso", "/d.iso/vcd", "/d/vcd.cue.txt"})
        EXPECT_FALSE(platform::IsDiscImageName(other)) << other;
}

} // namespace
