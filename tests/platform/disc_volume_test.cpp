// Drive letters on disc images and optical drives: what the disc scan sees of
// a Video CD, a Super Video CD, a data disc and a drive without a disc.
#include "platform/diagnostics.h"
#include "platform/drives/cdrom_info.h"
#include "platform/drives/optical_drives.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/files_test_support.h"
#include "tests/platform/output_capture.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace platform;
using namespace files_test;
using Strings = std::vector<std::string>;

namespace {

constexpr std::uint64_t form2Payload = 2324;

std::uint64_t FileSize(const std::string& path) {
    return std::filesystem::file_size(path);
}

class DiscLetters : public ::testing::Test {
protected:
    void Map(char letter, const std::string& target) { FSources.mappings->stored[letter] = target; }

    // A folder of this test process for copies of images.
    std::string Folder() const { return FFolder.path().toStdString(); }

    std::string Copy(const std::string& file, const std::string& name) const {
        const std::string path = Folder() + "/" + name;
        std::filesystem::copy_file(file, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    QTemporaryDir FFolder;
    drives_test::ScopedDriveSources FSources;
};

TEST_F(DiscLetters, AVideoCdImageShowsItsTracksInMpegavWithTheirVideoSizes) {
    Map('D', TestMedia::VcdImage().cue);
    EXPECT_FALSE(IsFolder("D:\\MPEG2\\"));
    EXPECT_EQ(AttributesError("D:\\MPEG2\\"), DWORD(ERROR_FILE_NOT_FOUND));
    for (const char* path : {"D:\\MPEGAV\\", "D:\\MPEGAV", "d:\\mpegav\\", "D:/MpegAV", "D:\\"})
        EXPECT_TRUE(IsFolder(path)) << path;

    const std::vector<Listed> tracks = ListAll("D:\\MPEGAV\\*.*");
    ASSERT_EQ(Names(tracks), (Strings{".", "..", "AVSEQ01.DAT", "AVSEQ02.DAT"}));
    EXPECT_TRUE(tracks[0].attributes & FILE_ATTRIBUTE_DIRECTORY);
    // Form 2 files: whole sectors of 2324 bytes, the clip and a few empty ones.
    for (const auto& [entry, clip] : {std::pair{tracks[2], TestMedia::PalVcdClip()},
                                      std::pair{tracks[3], TestMedia::ShortPalVcdClip()}}) {
        EXPECT_FALSE(entry.attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_EQ(entry.size % form2Payload, 0u) << entry.name;
        EXPECT_GE(entry.size, FileSize(clip)) << entry.name;
        EXPECT_LT(entry.size, FileSize(clip) + 100 * form2Payload) << entry.name;
    }
    const Strings root = ListNames("D:\\*.*");
    EXPECT_NE(std::find(root.begin(), root.end(), "MPEGAV"), root.end());
    EXPECT_EQ(std::find(root.begin(), root.end(), "."), root.end()) << "no dot entries in a root";
    EXPECT_EQ(ListNames("d:\\mpegav\\avseq02.dat"), Strings{"AVSEQ02.DAT"});
}

TEST_F(DiscLetters, ASuperVideoCdImageShowsItsTracksInMpeg2) {
    Map('E', TestMedia::SvcdImage().cue);
    EXPECT_TRUE(IsFolder("E:\\MPEG2\\"));
    EXPECT_EQ(ListNames("E:\\MPEG2\\*.*"), (Strings{".", "..", "AVSEQ01.MPG", "AVSEQ02.MPG"}));
    EXPECT_EQ(ListNames("E:\\mpeg2\\*.mpg"), (Strings{"AVSEQ01.MPG", "AVSEQ02.MPG"}));
}

TEST_F(DiscLetters, ADataDiscShowsItsJolietNamesInDiscOrderAndItsFileSizes) {
    const std::string clip = TestMedia::PalVcdClip();
    const std::string readme = TestMedia::TextFile("readme.txt", "Hello.\n");
    Map('F', TestMedia::DataDiscImage({{"clip.mpg", clip},
                                       {"Other.Mpeg", TestMedia::NtscSvcdClip()},
                                       {"TRACK.DAT", clip},
                                       {"readme.txt", readme},
                                       {"Extras/x.dat", readme}}));
    EXPECT_FALSE(IsFolder("F:\\MPEG2\\"));
    EXPECT_FALSE(IsFolder("F:\\MPEGAV\\"));
    EXPECT_TRUE(IsFolder("F:\\"));
    EXPECT_TRUE(IsFolder("F:\\EXTRAS"));
    const std::vector<Listed> root = ListAll("F:\\*.*");
    // The disc's order (Joliet sorts by character code), not the host's.
    EXPECT_EQ(Names(root),
              (Strings{"Extras", "Other.Mpeg", "TRACK.DAT", "clip.mpg", "readme.txt"}));
    EXPECT_EQ(root.at(0).attributes & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(root.at(3).size, FileSize(clip));
    EXPECT_EQ(root.at(4).size, 7u);
    EXPECT_EQ(ListNames("F:\\*.mpeg"), Strings{"Other.Mpeg"});
    EXPECT_EQ(ListNames("F:\\extras\\*.*"), (Strings{".", "..", "x.dat"}));
}

TEST_F(DiscLetters, WithoutJolietNamesLoseTheirVersionAndTrailingDot) {
    const std::string readme = TestMedia::TextFile("README", "Hello.\n");
    Map('G', TestMedia::DataDiscImage({{"README", readme}, {"clip.mpg", readme}}, true));
    EXPECT_EQ(ListNames("G:\\*.*"), (Strings{"CLIP.MPG", "README"}));
    EXPECT_NE(GetFileAttributesA("G:\\readme"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DiscLetters, ACueSheetFindsItsImageWhateverTheNamesAndPathsSay) {
    const TestMedia::CueBin vcd = TestMedia::VcdImage();
    const std::string bin = Copy(vcd.bin, "vcd.bin");
    const std::string cueText = ReadWholeFile(vcd.cue);
    const std::string written = cueText.substr(
        cueText.find('"') + 1, cueText.find('"', cueText.find('"') + 1) - cueText.find('"') - 1);
    auto cueNaming = [&](const std::string& name, const std::string& image) {
        const std::string path = Folder() + "/" + name;
        std::string text = cueText;
        text.replace(text.find(written), written.size(), image);
        WriteText(path, text);
        return path;
    };
    struct Case {
        std::string cue;
        const char* why;
    };
    for (const Case& c : {Case{cueNaming("Mixed.Cue", "vcd.bin"), "a cue in mixed case"},
                          Case{cueNaming("upper.cue", "VCD.BIN"), "the image in another case"},
                          Case{cueNaming("windows.cue", "C:\\Discs\\vcd.bin"), "a Windows path"},
                          Case{cueNaming("absolute.cue", bin), "an absolute path"},
                          Case{bin, "the .bin itself, with no cue sheet of its name"}}) {
        Map('D', c.cue);
        EXPECT_EQ(ListNames("D:\\MPEGAV\\*.DAT"), (Strings{"AVSEQ01.DAT", "AVSEQ02.DAT"})) << c.why;
    }
    // A .bin beside its cue sheet takes the sheet's track layout.
    const std::string sheet = cueNaming("vcd.CUE", "vcd.bin");
    Map('D', bin);
    EXPECT_TRUE(IsFolder("D:\\MPEGAV")) << sheet;
}

TEST_F(DiscLetters, AnImageReplacedUnderItsLetterIsReadAfresh) {
    const std::string readme = TestMedia::TextFile("readme.txt", "Hello.\n");
    const std::string image = Folder() + "/disc.iso";
    Map('D', image);
    std::filesystem::copy_file(TestMedia::DataDiscImage({{"FIRST.MPG", readme}}), image);
    EXPECT_EQ(ListNames("D:\\*.*"), Strings{"FIRST.MPG"});
    std::filesystem::copy_file(
        TestMedia::DataDiscImage({{"SECOND.MPG", readme}, {"EXTRA/x.txt", readme}}), image,
        std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(ListNames("D:\\*.*"), (Strings{"EXTRA", "SECOND.MPG"}));
    std::filesystem::remove(image);
    EXPECT_EQ(AttributesError("D:\\"), DWORD(ERROR_NOT_READY));
}

TEST_F(DiscLetters, ADriveWithoutADiscIsNotReadyAndSaysNothingInQuietMode) {
    FSources.mappings->stored.clear();
    drives_test::ScopedDriveSources absent({"/dev/quelvo-absent-sr9", "/dev/null"});
    for (const char* root : {"D:\\", "E:\\"}) {
        const std::string folder = std::string(root) + "MPEGAV\\";
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        CapturedOutput output;
        const DWORD error = AttributesError(folder);
        DWORD listError = 0;
        const bool listed = !ListAll(folder + "*.*", &listError).empty();
        const std::string printed = output.Text();
        SetErrorMode(previous);
        EXPECT_EQ(error, DWORD(ERROR_NOT_READY)) << root;
        EXPECT_FALSE(listed) << root;
        EXPECT_EQ(listError, DWORD(ERROR_NOT_READY)) << root;
        EXPECT_EQ(printed, "") << root;
    }
    // Outside quiet mode the missing disc is reported, as Windows would ask for one.
    std::vector<std::string> problems;
    const ProblemSink previous =
        SetProblemSink([&](const std::string& text) { problems.push_back(text); });
    EXPECT_EQ(AttributesError("D:\\MPEGAV\\"), DWORD(ERROR_NOT_READY));
    SetProblemSink(previous);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems.back().find("D:"), std::string::npos) << problems.back();
}

TEST_F(DiscLetters, AMissingOrForeignImageIsADriveWithoutADisc) {
    const std::string readme = TestMedia::TextFile("notes.txt", "Hello.\n");
    for (const std::string& image :
         {Folder() + "/missing.cue", Folder() + "/missing.iso", Copy(readme, "text.iso"),
          Copy(readme, "text.bin"), Copy(TestMedia::PalVcdClip(), "clip.bin")}) {
        Map('D', image);
        EXPECT_EQ(AttributesError("D:\\"), DWORD(ERROR_NOT_READY)) << image;
    }
}

TEST(OpticalDrives, TheSystemListNamesEachDriveOnceAndPrintsNothing) {
    CapturedOutput output;
    const std::vector<std::string> devices = ListSystemOpticalDrives();
    EXPECT_EQ(output.Text(), "");
    // Where the kernel keeps its list (also one saying there is no drive, as
    // on a build machine), that list is the answer, in its order.
    if (std::filesystem::exists(kCdromInfoPath)) {
        EXPECT_EQ(devices, ReadCdromInfo());
    }
    for (const std::string& device : devices) {
        EXPECT_EQ(std::count(devices.begin(), devices.end(), device), 1) << device;
        EXPECT_EQ(std::filesystem::canonical(device).string(), device) << "under its real name";
    }
}

} // namespace

namespace {

// An error's code in angle brackets, put together piece by piece: GCC 12
// warns falsely about "literal" + std::string&& at -O2 and above.
std::string Bracketed(DWORD code) {
    std::string text = "<";
    text += std::to_string(code);
    text += '>';
    return text;
}

// The label of the volume at `root`, or the error's code in angle brackets.
std::string LabelOf(const char* root, DWORD size = 64) {
    std::vector<char> name(size + 1, '#');
    if (!GetVolumeInformationA(root, name.data(), size))
        return Bracketed(GetLastError());
    return name.data();
}

} // namespace

TEST_F(DiscLetters, AVolumeIsNamedByItsDiscLabelAndAFolderByNothing) {
    Map('D', TestMedia::VcdImage().cue);
    Map('E', TestMedia::DataDiscImage({{"README", TestMedia::TextFile("readme", "x")}}));
    Map('F', Folder());
    EXPECT_EQ(LabelOf("D:\\"), "TESTVCD");
    EXPECT_EQ(LabelOf("d:/"), "TESTVCD");
    // A Joliet disc still answers with its primary volume's name.
    EXPECT_EQ(LabelOf("E:\\"), "DATADISC");
    EXPECT_EQ(LabelOf("F:\\"), "");
    EXPECT_EQ(LabelOf("D:\\", 7), Bracketed(ERROR_MORE_DATA));
    EXPECT_EQ(LabelOf("D:\\MPEGAV\\"), Bracketed(ERROR_INVALID_NAME));
    EXPECT_EQ(LabelOf("Q:\\"), Bracketed(ERROR_PATH_NOT_FOUND));
}
