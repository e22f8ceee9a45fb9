#include "platform/drives/drive_tool.h"

#include "drives_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <sstream>

namespace {
namespace fs = std::filesystem;
using platform::kDriveToolDone;
using platform::kDriveToolFailed;
using platform::kDriveToolMisused;

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(std::vector<std::string> arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = platform::RunDriveTool(arguments, out, err);
    return {code, out.str(), err.str()};
}

class DriveToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.isValid());
        folder = scratch_.path().toStdString();
        fs::create_directory(folder + "/VCD");
        for (const char* file : {"/vcd.cue", "/VCD.BIN", "/disc.Iso", "/notes.txt"})
            std::ofstream(folder + file) << "x";
    }

    drives_test::ScopedDriveSources sources{{"/dev/sr0"}};
    std::string folder;

private:
    QTemporaryDir scratch_;
};

TEST_F(DriveToolTest, MapsFoldersAndImagesAndListsEveryLetter) {
    EXPECT_EQ(Tool({"map", "E:", folder + "/VCD"}).code, kDriveToolDone);
    EXPECT_EQ(Tool({"map", "f:", folder + "/vcd.cue"}).code, kDriveToolDone);
    EXPECT_EQ(Tool({"map", "G:", folder + "/VCD.BIN"}).code, kDriveToolDone);
    const ToolRun mapped = Tool({"map", "H:", folder + "/disc.Iso"});
    EXPECT_EQ(mapped.code, kDriveToolDone);
    EXPECT_EQ(mapped.out, "Mapped H: to " + folder + "/disc.Iso\n");
    EXPECT_EQ(mapped.err, "");

    const ToolRun list = Tool({"list"});
    EXPECT_EQ(list.code, kDriveToolDone);
    EXPECT_EQ(list.out, "C:  fixed  home     " + std::string(std::getenv("HOME")) + "\n" +
                            "D:  cdrom  optical  /dev/sr0\n" +           //
                            "E:  cdrom  folder   " + folder + "/VCD\n" + //
                            "F:  cdrom  image    " + folder + "/vcd.cue\n" +
                            "G:  cdrom  image    " + folder + "/VCD.BIN\n" +
                            "H:  cdrom  image    " + folder + "/disc.Iso\n");
}

TEST_F(DriveToolTest, StoresTheTargetAsAnAbsolutePath) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const ToolRun run = Tool({"map", "E:", "./VCD/../vcd.cue"});
    fs::current_path(before);
    EXPECT_EQ(run.code, kDriveToolDone) << run.err;
    EXPECT_EQ(sources.mappings->stored.at('E'), folder + "/vcd.cue");
}

TEST_F(DriveToolTest, UnmapsAMappedLetter) {
    sources.mappings->stored['E'] = folder + "/vcd.cue";
    const ToolRun run = Tool({"unmap", "e:"});
    EXPECT_EQ(run.code, kDriveToolDone);
    EXPECT_EQ(run.out, "Unmapped E:\n");
    EXPECT_TRUE(sources.mappings->stored.empty());
}

TEST_F(DriveToolTest, RefusesABadLetter) {
    for (const char* letter : {"5:", "E", "EE:", "E:\\", "", ":"}) {
        const ToolRun run = Tool({"map", letter, folder});
        EXPECT_EQ(run.code, kDriveToolFailed) << letter;
        EXPECT_EQ(run.err, "quelvo-drive: \"" + std::string(letter) +
                               "\" is not a drive letter (A: to Z:)\n");
        EXPECT_EQ(Tool({"unmap", letter}).code, kDriveToolFailed) << letter;
    }
    EXPECT_TRUE(sources.mappings->stored.empty());
}

TEST_F(DriveToolTest, RefusesATakenLetterAndSaysWhoHasIt) {
    sources.mappings->stored['E'] = folder + "/vcd.cue";
    EXPECT_EQ(Tool({"map", "C:", folder}).err, "quelvo-drive: C: is taken: it is the home folder " +
                                                   std::string(std::getenv("HOME")) + "\n");
    EXPECT_EQ(Tool({"map", "D:", folder}).err,
              "quelvo-drive: D: is taken: it is the optical drive /dev/sr0\n");
    const ToolRun mapped = Tool({"map", "e:", folder});
    EXPECT_EQ(mapped.code, kDriveToolFailed);
    EXPECT_EQ(mapped.err,
              "quelvo-drive: E: is taken: it is already mapped to " + folder + "/vcd.cue\n");
    EXPECT_EQ(sources.mappings->stored.at('E'), folder + "/vcd.cue");
}

TEST_F(DriveToolTest, RefusesAMissingTargetOrOneThatHoldsNoDisc) {
    const ToolRun missing = Tool({"map", "E:", folder + "/gone.cue"});
    EXPECT_EQ(missing.code, kDriveToolFailed);
    EXPECT_EQ(missing.err, "quelvo-drive: \"" + folder + "/gone.cue\" does not exist\n");
    EXPECT_EQ(Tool({"map", "E:", ""}).err, "quelvo-drive: \"\" does not exist\n");
    const ToolRun text = Tool({"map", "E:", folder + "/notes.txt"});
    EXPECT_EQ(text.code, kDriveToolFailed);
    EXPECT_EQ(text.err,
              "quelvo-drive: \"" + folder +
                  "/notes.txt\" is neither a folder nor a .cue, .bin or .iso disc image\n");
    EXPECT_EQ(Tool({"map", "E:", "/dev/null"}).code, kDriveToolFailed);
    EXPECT_TRUE(sources.mappings->stored.empty());
}

TEST_F(DriveToolTest, RefusesToUnmapWhatIsNoMapping) {
    EXPECT_EQ(Tool({"unmap", "E:"}).err, "quelvo-drive: E: is not mapped\n");
    EXPECT_EQ(Tool({"unmap", "C:"}).err,
              "quelvo-drive: C: is not a mapping: it is the home folder " +
                  std::string(std::getenv("HOME")) + "\n");
    const ToolRun optical = Tool({"unmap", "D:"});
    EXPECT_EQ(optical.code, kDriveToolFailed);
    EXPECT_EQ(optical.err, "quelvo-drive: D: is not a mapping: it is the optical drive /dev/sr0\n");
}

TEST_F(DriveToolTest, ShowsAndRemovesAMappingTheTableIgnores) {
    sources.mappings->stored['E'] = "relative/vcd.cue";
    EXPECT_NE(Tool({"list"}).out.find(
                  "E:  none   ignored  relative/vcd.cue  (the target is not an absolute path)\n"),
              std::string::npos);
    EXPECT_EQ(Tool({"unmap", "E:"}).code, kDriveToolDone);
    EXPECT_TRUE(sources.mappings->stored.empty());
}

TEST_F(DriveToolTest, ReportsAStoreThatCannotBeWritten) {
    sources.mappings->failWrites = true;
    const ToolRun map = Tool({"map", "E:", folder});
    EXPECT_EQ(map.code, kDriveToolFailed);
    EXPECT_EQ(map.err, "quelvo-drive: cannot save the mapping of E:: the hive cannot be written\n");
    EXPECT_EQ(map.out, "");

    sources.mappings->stored['E'] = folder;
    const ToolRun unmap = Tool({"unmap", "E:"});
    EXPECT_EQ(unmap.code, kDriveToolFailed);
    EXPECT_EQ(unmap.err,
              "quelvo-drive: cannot remove the mapping of E:: the hive cannot be written\n");
}

TEST_F(DriveToolTest, ShowsTheUsageOnWrongArguments) {
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {}, {"lst"}, {"list", "E:"}, {"map", "E:"}, {"map", "E:", "a", "b"}, {"unmap"}}) {
        const ToolRun run = Tool(wrong);
        EXPECT_EQ(run.code, kDriveToolMisused);
        EXPECT_TRUE(run.err.starts_with("usage: quelvo-drive list\n")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.code, kDriveToolDone);
    EXPECT_TRUE(help.out.starts_with("usage:"));
}

} // namespace
