#include "platform/drives/drive_tool.h"

#include "platform/store/player_presence.h"

#include "drives_test_support.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/Sandbox.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <sstream>

namespace {
using platform::kDriveToolDone;
using platform::kDriveToolFailed;
using platform::kDriveToolMisused;

struct ToolRun {
    int code;
    std::string out;
    std::string err;
};

ToolRun Tool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = platform::RunDriveTool(arguments, out, err);
    return {code, out.str(), err.str()};
}

std::string Error(const std::string& message) {
    return "quelvo-drive: " + message + "\n";
}

class DriveToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = scratch.path().toStdString();
        std::filesystem::create_directory(folder + "/VCD");
        for (const char* file : {"/vcd.cue", "/VCD.BIN", "/notes.txt"})
            std::ofstream(folder + file) << "x";
    }

    QTemporaryDir scratch;
    std::string folder;
    std::string home = std::getenv("HOME");
    drives_test::ScopedDriveSources sources{{"/dev/sr0"}};
};

TEST_F(DriveToolTest, MapsFoldersAndImagesAsAbsolutePathsAndListsEveryLetter) {
    EXPECT_EQ(Tool({"map", "E:", folder + "/VCD"}).out, "Mapped E: to " + folder + "/VCD\n");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    EXPECT_EQ(Tool({"map", "f:", "VCD/../vcd.cue"}).code, kDriveToolDone);
    std::filesystem::current_path(before);
    EXPECT_EQ(Tool({"map", "G:", folder + "/VCD.BIN"}).code, kDriveToolDone);
    EXPECT_EQ(Tool({"list"}).out,
              "C:  fixed  home     " + home + "\nD:  cdrom  optical  /dev/sr0\n" +
                  "E:  cdrom  folder   " + folder + "/VCD\n" + "F:  cdrom  image    " + folder +
                  "/vcd.cue\n" + "G:  cdrom  image    " + folder + "/VCD.BIN\n");
    EXPECT_EQ(Tool({"unmap", "e:"}).out, "Unmapped E:\n");
    EXPECT_EQ(sources.mappings->stored.size(), 2u);
}

TEST_F(DriveToolTest, RefusesBadLettersTakenLettersAndTargetsThatHoldNoDisc) {
    for (const char* letter : {"5:", "E", "EE:", "E:\\", ""}) {
        EXPECT_EQ(Tool({"map", letter, folder}).err,
                  Error('"' + std::string(letter) + "\" is not a drive letter (A: to Z:)"));
        EXPECT_EQ(Tool({"unmap", letter}).code, kDriveToolFailed);
    }
    sources.mappings->stored['E'] = folder + "/vcd.cue";
    EXPECT_EQ(Tool({"map", "C:", folder}).err, Error("C: is taken: it is the home folder " + home));
    EXPECT_EQ(Tool({"map", "D:", folder}).err,
              Error("D: is taken: it is the optical drive /dev/sr0"));
    EXPECT_EQ(Tool({"map", "e:", folder}).err,
              Error("E: is taken: it is already mapped to " + folder +
                    "/vcd.cue (quelvo-drive unmap E: frees it)"));
    EXPECT_EQ(Tool({"map", "F:", folder + "/gone.cue"}).err,
              Error('"' + folder + "/gone.cue\" does not exist"));
    EXPECT_EQ(Tool({"map", "F:", folder + "/notes.txt"}).err,
              Error('"' + folder +
                    "/notes.txt\" is neither a folder nor a disc image (.cue, .bin, .toc, .nrg, "
                    ".ccd, .img, .mds, .mdf or .iso)"));
    EXPECT_EQ(Tool({"map", "F:", "/dev/null"}).code, kDriveToolFailed);
    EXPECT_EQ(sources.mappings->stored.size(), 1u);
}

TEST_F(DriveToolTest, UnmapsOnlyMappingsIncludingOnesTheTableSetsAside) {
    EXPECT_EQ(Tool({"unmap", "E:"}).err, Error("E: is not mapped"));
    EXPECT_EQ(Tool({"unmap", "C:"}).err,
              Error("C: is not a mapping: it is the home folder " + home));
    EXPECT_EQ(Tool({"unmap", "D:"}).err,
              Error("D: is not a mapping: it is the optical drive /dev/sr0"));
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
    EXPECT_EQ(map.err, Error("cannot save the mapping of E: (the hive cannot be written)"));
    sources.mappings->stored['E'] = folder;
    EXPECT_EQ(Tool({"unmap", "E:"}).err,
              Error("cannot remove the mapping of E: (the hive cannot be written)"));
}

TEST_F(DriveToolTest, SaysWhatIsWrongWithTheArgumentsBeforeTheUsage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> wrongs = {
        {{}, "no command given"},
        {{"lst"}, "unknown command \"lst\""},
        {{"--verbose", "list"}, "unknown command \"--verbose\""},
        {{"list", "E:"}, "list takes no arguments"},
        {{"map", "E:"}, "map takes a drive letter and a target (a folder or a disc image)"},
        {{"map", "E:", "a", "b"},
         "map takes a drive letter and a target (a folder or a disc image)"},
        {{"unmap"}, "unmap takes one drive letter"}};
    for (const auto& [arguments, reason] : wrongs) {
        const ToolRun run = Tool(arguments);
        EXPECT_EQ(run.code, kDriveToolMisused);
        EXPECT_TRUE(run.err.starts_with(Error(reason) + "usage: quelvo-drive list\n")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(Tool({"--help"}).out.starts_with("usage: quelvo-drive list\n"));
}

TEST_F(DriveToolTest, TellsThatARunningPlayerListsTheChangeAtItsNextStart) {
    const ConfigSandbox profile;
    EXPECT_EQ(Tool({"map", "E:", folder}).out, "Mapped E: to " + folder + "\n");
    const platform::store::PlayerPresence player;
    EXPECT_EQ(Tool({"map", "F:", folder}).out,
              "Mapped F: to " + folder +
                  "\nQuelvo Player is running: F: joins its drive list at its next start.\n");
    EXPECT_EQ(Tool({"unmap", "E:"}).out,
              "Unmapped E:\nQuelvo Player is running: E: leaves its drive list at its next "
              "start.\n");
}

TEST(QuelvoDriveTool, ManagesMappingsInTheHiveFromTheCommandLine) {
    const QString tool =
        qEnvironmentVariable("QUELVO_BUILD_DIR") + "/tools/quelvo-drive/quelvo-drive";
    QTemporaryDir scratch;
    const ChildOptions options{{}, {{"XDG_CONFIG_HOME", scratch.filePath("config")}}};
    const auto run = [&](const QStringList& arguments) {
        const ChildResult result = RunChild(tool, arguments, options);
        EXPECT_TRUE(result.ended) << tool.toStdString();
        return std::make_pair(result.exitCode, result.output + result.errors);
    };
    EXPECT_EQ(run({"map", "K:", scratch.path()}).first, kDriveToolDone);
    EXPECT_NE(run({"list"}).second.find("K:  cdrom  folder   " + scratch.path().toStdString()),
              std::string::npos);
    EXPECT_EQ(run({"unmap", "K:"}), std::make_pair(kDriveToolDone, std::string("Unmapped K:\n")));
    EXPECT_EQ(run({"--version"}),
              std::make_pair(kDriveToolDone, std::string("quelvo-drive (Quelvo Player) v1.30\n")));
}

} // namespace
