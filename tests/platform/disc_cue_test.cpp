// Cue sheets: which image files they name, where their tracks lie, and where
// the files are found.
#include "platform/disc/cue_sheet.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using platform::CueLayout;
using platform::ImageExtent;
using platform::ImageFile;
using platform::ImageLayout;
using platform::LocateCueImage;
using platform::SectorFormat;

namespace platform {
void PrintTo(const ImageExtent& e, std::ostream* out) {
    *out << "{lsn " << e.lsn << ", " << e.sectors << " sectors, file " << e.file << " at "
         << e.offset << ", stride " << e.stride << "}";
}
} // namespace platform

namespace {

constexpr std::uint64_t imageSectors = 1000;

// The layout of `text`, with every file it names `imageSectors` raw sectors long.
std::optional<ImageLayout> LayoutOf(const std::string& text, std::uint64_t sectorSize = 2352) {
    std::string problem;
    std::optional<ImageLayout> layout = CueLayout(
        text,
        [&](std::string_view written) {
            return std::optional(ImageFile{std::string(written), imageSectors * sectorSize});
        },
        problem);
    EXPECT_EQ(layout.has_value(), problem.empty()) << "a problem is given exactly on failure";
    return layout;
}

// The files a sheet names, or nothing when it is refused.
std::optional<std::string> ImageOf(const std::string& text) {
    const std::optional<ImageLayout> layout = LayoutOf(text);
    if (!layout)
        return std::nullopt;
    std::string names;
    for (const ImageFile& file : layout->Files())
        names += (names.empty() ? "" : "|") + file.path;
    return names;
}

TEST(CueSheet, NamesTheImageOfItsFileLineAsWritten) {
    EXPECT_EQ(ImageOf("FILE \"My Disc.bin\" BINARY\r\n  TRACK 01 MODE2/2352\r\n"
                      "    INDEX 01 00:00:00\r\n"),
              "My Disc.bin");
    EXPECT_EQ(ImageOf("REM made by hand\nfile disc.BIN binary\ntrack 01 mode1/2352\n"
                      "  INDEX 01 00:00:00\n"),
              "disc.BIN");
    EXPECT_EQ(ImageOf("FILE \"vcd.bin\" BINARY\n  TRACK 01 MODE2/2352\n  INDEX 01 00:00:00\n"
                      "FILE \"vcd.bin\" BINARY\n  TRACK 02 MODE2/2352\n  INDEX 01 00:00:00\n"),
              "vcd.bin")
        << "the same file named twice is still one image";
    EXPECT_EQ(ImageOf("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n  INDEX 01 00:00:00\n"
                      "FILE \"b.bin\" BINARY\n  TRACK 02 MODE2/2352\n  INDEX 01 00:00:00\n"),
              "a.bin|b.bin")
        << "a disc split over several files";
}

TEST(CueSheet, LaysTracksOutOneFileAfterTheOtherWithTheGapsNoFileHolds) {
    const std::optional<ImageLayout> layout =
        LayoutOf("FILE a.bin BINARY\n TRACK 01 MODE2/2352\n  INDEX 01 00:00:00\n"
                 " TRACK 02 MODE2/2352\n  INDEX 00 00:04:00\n  INDEX 01 00:06:00\n"
                 "FILE b.bin BINARY\n TRACK 03 MODE2/2336\n  PREGAP 00:02:00\n"
                 "  INDEX 01 00:00:00\n"
                 "FILE c.bin BINARY\n TRACK 04 MODE1/2048\n  INDEX 00 00:00:00\n"
                 "  INDEX 01 00:02:00\n");
    ASSERT_TRUE(layout);
    const std::vector<ImageExtent> expected = {
        {0, 300, 0, 0, 2352, SectorFormat::Raw},
        {300, 700, 0, 300 * 2352, 2352, SectorFormat::Raw},
        // 150 sectors of pregap lie on no file.
        {1150, 1006, 1, 0, 2336, SectorFormat::Mode2}, // 1000 x 2352 bytes of 2336-byte sectors
        {2156, 1148, 2, 0, 2048, SectorFormat::Data},
    };
    EXPECT_EQ(layout->Extents(), expected);
    EXPECT_EQ(layout->Sectors(), 3304u);
    EXPECT_EQ(layout->Find(1149), nullptr) << "a pregap no file holds";
    EXPECT_EQ(layout->Find(1150), &layout->Extents()[2]);
}

TEST(CueSheet, SectorZeroIsWhereTrackOneBegins) {
    const std::optional<ImageLayout> layout = LayoutOf(
        "FILE a.bin BINARY\n TRACK 01 MODE2/2324\n INDEX 00 00:00:00\n INDEX 01 00:02:00\n", 2324);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->Extents(),
              (std::vector<ImageExtent>{{0, 850, 0, 150 * 2324, 2324, SectorFormat::Payload}}));
}

TEST(CueSheet, RefusesWhatIsNotACueSheetOfOneBinaryImage) {
    for (const std::string& text : {
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 AUDIO\n  INDEX 01 00:00:00\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2353\n  INDEX 01 00:00:00\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n  INDEX 01 00:09:00\n"
                         "  TRACK 02 MODE2/2352\n  INDEX 01 00:02:00\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n  INDEX 01 00:00:00\n"
                         "  TRACK 02 MODE2/2352\n  INDEX 01 00:61:00\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n  INDEX 01 00:00:00\n"
                         "  TRACK 02 MODE2/2352\n  PREGAP 99:59:74\n  INDEX 01 00:00:00\n"),
             std::string("FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n"),
             std::string("FILE \"a.bin\" BINARY\n"),
             std::string("TRACK 01 MODE2/2352\nFILE \"a.bin\" BINARY\n"),
             std::string("FILE \"\" BINARY\n  TRACK 01 MODE2/2352\n"),
             std::string("FILE \"a.bin\" BINARY\n  TRACK 01 MODE2/2352\n") +
                 std::string("\0\x01", 2),
             std::string("\x7f"
                         "ELF\x02\x01\x01 FILE TRACK"),
             std::string(),
             std::string(platform::kLargestSheet, ' ') +
                 "FILE a.bin BINARY\nTRACK 01 MODE1/2352\nINDEX 01 00:00:00\n",
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
