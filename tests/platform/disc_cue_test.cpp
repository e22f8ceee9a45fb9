// Cue sheets: which image file they name, and where it is found.
#include "platform/disc/cue_sheet.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using platform::CueImageFile;
using platform::LocateCueImage;

namespace {

std::optional<std::string> ImageOf(const std::string& text) {
    std::string problem;
    std::optional<std::string> image = CueImageFile(text, problem);
    EXPECT_EQ(image.has_value(), problem.empty()) << "a problem is given exactly on failure";
    return image;
}

TEST(CueSheet, NamesTheImageOfItsFileLineAsWritten) {
    EXPECT_EQ(ImageOf("FILE \"My Disc.bin\" BINARY\r\n  TRACK 01 MODE2/2352\r\n"), "My Disc.bin");
    EXPECT_EQ(ImageOf("REM made by hand\nfile disc.BIN binary\ntrack 01 mode1/2352\n"
                      "  INDEX 01 00:00:00\n"),
              "disc.BIN");
    EXPECT_EQ(ImageOf("FILE \"vcd.bin\" BINARY\n  TRACK 01 MODE2/2352\n"
                      "FILE \"vcd.bin\" BINARY\n  TRACK 02 MODE2/2352\n"),
              "vcd.bin")
        << "the same file named twice is still one image";
}

TEST(CueSheet, RefusesWhatIsNotACueSheetOfOneBinaryImage) {
    for (const std::string& text : {
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n"
                         "FILE \"b.bin\" BINARY\n  TRACK 02 MODE2/2352\n"),
             std::string("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n"),
             std::string("FILE \"a.bin\" BINARY\n"),
             std::string("TRACK 01 MODE2/2352\nFILE \"a.bin\" BINARY\n"),
             std::string("FILE \"\" BINARY\n  TRACK 01 MODE2/2352\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n") +
                 std::string("\0\x01", 2),
             std::string("\x7f"
                         "ELF\x02\x01\x01 FILE TRACK"),
             std::string(),
             std::string(platform::kLargestCueSheet, ' ') +
                 "FILE a.bin BINARY\nTRACK 01 MODE1/2352\n",
         })
        EXPECT_FALSE(ImageOf(text)) << text;
}

TEST(CueSheet, FindsItsImageWhateverCaseAndWhicheverSeparatorThePathUses) {
    QTemporaryDir folder;
    const std::string root = folder.path().toStdString();
    std::filesystem::create_directories(root + "/Images/Sub");
    std::ofstream(root + "/Images/Sub/Disc.Bin") << "x";
    std::ofstream(root + "/beside.bin") << "x";
    EXPECT_EQ(LocateCueImage(root, "images\\sub\\DISC.BIN"), root + "/Images/Sub/Disc.Bin");
    EXPECT_EQ(LocateCueImage(root, "Images/Sub/Disc.Bin"), root + "/Images/Sub/Disc.Bin");
    EXPECT_EQ(LocateCueImage(root + "/Images/Sub", "..\\..\\BESIDE.BIN"),
              root + "/Images/Sub/../../beside.bin");
    EXPECT_EQ(LocateCueImage(root, "D:\\Burn\\Beside.bin"), root + "/beside.bin")
        << "a path from another machine: the name beside the cue sheet";
    EXPECT_EQ(LocateCueImage(root, root + "/Images/Sub/disc.bin"), root + "/Images/Sub/Disc.Bin");
    EXPECT_FALSE(LocateCueImage(root, "missing.bin"));
    EXPECT_FALSE(LocateCueImage(root, ""));
}

} // namespace
