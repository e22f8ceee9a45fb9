// Every kind of image a Video CD is found in: the same disc written as BIN/CUE
// with each sector size, as a cdrdao table, a Nero image, CloneCD and Alcohol
// images, and as lone image files, reads sector for sector as the raw BIN/CUE
// does, lists its tracks and plays track 1 to its end.
#include "platform/disc/disc_source.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/files_test_support.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace platform;
using Strings = std::vector<std::string>;

namespace {

constexpr std::size_t rawSize = 2352;
constexpr DWORD longTrackFrames = 5000; // LongPalVcdClip: 200 s at 25 fps

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
    std::ifstream(path, std::ios::binary)
        .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::string BinOf(const std::string& cue) {
    return std::filesystem::path(cue).replace_extension(".bin").string();
}

// Where the tracks of the authored disc start (INDEX 00 and INDEX 01 of its cue
// sheet, in sectors), read from the sheet so that the test follows vcdxbuild.
std::vector<std::pair<std::uint32_t, std::uint32_t>> TrackStarts(const std::string& cue) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> starts;
    std::ifstream in(cue);
    std::string word;
    bool pregap = false;
    while (in >> word) {
        if (word == "TRACK") {
            starts.emplace_back();
            pregap = false;
        }
        if (word != "INDEX" || starts.empty())
            continue;
        int number = 0, minutes = 0, seconds = 0, frames = 0;
        char colon = 0;
        in >> number >> minutes >> colon >> seconds >> colon >> frames;
        const auto sector = static_cast<std::uint32_t>((minutes * 60 + seconds) * 75 + frames);
        if (number == 0)
            starts.back().first = sector;
        if (number == 1)
            starts.back().second = sector;
        if (number == 1 && !pregap)
            starts.back().first = sector;
        pregap = pregap || number == 0;
    }
    return starts;
}

class DiscFormats : public ::testing::Test {
protected:
    std::string Folder() const { return FFolder.path().toStdString(); }
    std::string Raw() const { return TestMedia::AuthoredVcdImage("2352"); }

    // The CloneCD images of the raw BIN: a sheet, the image (a link), a .sub.
    std::string CloneCd() const {
        const std::string sheet = Folder() + "/clone.ccd";
        std::filesystem::create_symlink(BinOf(Raw()), Folder() + "/clone.img");
        WriteBytes(Folder() + "/clone.sub", std::vector<std::uint8_t>(96 * 16, 0));
        const auto sectors = std::filesystem::file_size(BinOf(Raw())) / rawSize;
        std::ofstream(sheet)
            << "[CloneCD]\r\nVersion=3\r\n[Disc]\r\nTocEntries=4\r\nSessions=1\r\n"
               "DataTracksScrambled=0\r\n[Session 1]\r\nPreGapMode=2\r\n"
               "[Entry 0]\r\nSession=1\r\nPoint=0xa2\r\nADR=0x01\r\nControl=0x04\r\n"
               "PLBA="
            << sectors << "\r\n[TRACK 1]\r\nMODE=2\r\nINDEX 1=0\r\n";
        return sheet;
    }

    // An Alcohol descriptor of the raw BIN, one block a track, naming "*.mdf".
    std::string Alcohol() const {
        const std::string descriptor = Folder() + "/alcohol.mds";
        std::filesystem::create_symlink(BinOf(Raw()), Folder() + "/alcohol.mdf");
        const auto starts = TrackStarts(Raw());
        const auto end =
            static_cast<std::uint32_t>(std::filesystem::file_size(BinOf(Raw())) / rawSize);
        std::vector<std::uint8_t> bytes(88 + 24 + 80 * starts.size() + 8 * starts.size() + 16 + 16);
        auto put = [&](std::size_t at, std::uint64_t value, std::size_t size) {
            for (std::size_t i = 0; i < size; ++i)
                bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        };
        std::copy_n("MEDIA DESCRIPTOR", 16, bytes.begin());
        put(20, 1, 2);
        put(80, 88, 4);
        const std::size_t blocks = 88 + 24, extras = blocks + 80 * starts.size();
        const std::size_t footer = extras + 8 * starts.size(), name = footer + 16;
        put(88 + 10, starts.size(), 1);
        put(88 + 20, blocks, 4);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const std::size_t at = blocks + 80 * i;
            const std::uint32_t first = starts[i].first;
            const std::uint32_t next = i + 1 < starts.size() ? starts[i + 1].first : end;
            put(at, 0xAB, 1);
            put(at + 4, i + 1, 1);
            put(at + 12, extras + 8 * i, 4);
            put(at + 16, rawSize, 2);
            put(at + 36, first, 4);
            put(at + 40, std::uint64_t{first} * rawSize, 8);
            put(at + 48, 1, 4);
            put(at + 52, footer, 4);
            put(extras + 8 * i + 4, next - first, 4);
        }
        put(footer, name, 4);
        std::copy_n("*.mdf", 5, bytes.begin() + static_cast<std::ptrdiff_t>(name));
        WriteBytes(descriptor, bytes);
        return descriptor;
    }

    // The raw BIN cut down to what each sector keeps at `size` bytes: 2324 (the
    // payload) or 2048 (a copy made as if of a data disc).
    std::string Cooked(std::size_t size, const std::string& name) const {
        const std::vector<std::uint8_t> raw = ReadBytes(BinOf(Raw()));
        std::vector<std::uint8_t> cooked;
        for (std::size_t at = 0; at + rawSize <= raw.size(); at += rawSize)
            cooked.insert(cooked.end(), raw.begin() + static_cast<std::ptrdiff_t>(at + 24),
                          raw.begin() + static_cast<std::ptrdiff_t>(at + 24 + size));
        WriteBytes(Folder() + "/" + name, cooked);
        return Folder() + "/" + name;
    }

    std::string Lone(const std::string& kind, const std::string& name) const {
        const std::string path = Folder() + "/" + name;
        std::filesystem::create_symlink(BinOf(TestMedia::AuthoredVcdImage(kind)), path);
        return path;
    }

    std::unique_ptr<SectorReader> Open(const std::string& path) {
        std::string problem;
        std::vector<std::string> files;
        std::unique_ptr<SectorReader> reader = OpenDiscImage(path, problem, files);
        EXPECT_TRUE(reader) << path << ": " << problem;
        return reader;
    }

    QTemporaryDir FFolder;
};

// Sector 16's data and Form 2 payloads across both video tracks, the first
// and the last sector of each included, against the raw BIN/CUE.
void ExpectSameSectors(SectorReader& reader, SectorReader& reference, const std::string& kind) {
    std::vector<std::uint8_t> got(kForm2PayloadSize * 4), wanted(kForm2PayloadSize * 4);
    ASSERT_TRUE(reader.ReadData(16, 1, got.data())) << kind;
    ASSERT_TRUE(reference.ReadData(16, 1, wanted.data()));
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 2048, wanted.begin())) << kind;
    const auto starts = TrackStarts(TestMedia::AuthoredVcdImage("2352"));
    ASSERT_EQ(starts.size(), 3u);
    const std::uint32_t end = reference.Sectors();
    for (const std::uint32_t lsn : {starts[1].second, starts[1].second + 2000, starts[2].first - 4,
                                    starts[2].second, end - 160}) {
        got.assign(got.size(), 0);
        ASSERT_TRUE(reference.ReadForm2(lsn, 4, wanted.data())) << lsn;
        ASSERT_TRUE(reader.ReadForm2(lsn, 4, got.data())) << kind << " at " << lsn;
        EXPECT_EQ(got, wanted) << kind << " at " << lsn;
    }
}

TEST_F(DiscFormats, EveryKindOfImageReadsAsTheRawBinaryImageDoes) {
    const std::unique_ptr<SectorReader> reference = Open(Raw());
    ASSERT_TRUE(reference);
    const std::vector<std::pair<std::string, std::string>> images = {
        {"BIN/CUE of 2336-byte sectors", TestMedia::AuthoredVcdImage("2336")},
        {"cdrdao table", TestMedia::AuthoredVcdImage("toc")},
        {"Nero image", TestMedia::AuthoredVcdImage("nrg")},
        {"CloneCD sheet", CloneCd()},
        {"CloneCD image", Folder() + "/clone.img"},
        {"Alcohol descriptor", Alcohol()},
        {"lone raw .bin", Lone("2352", "lone.bin")},
        {"lone 2336-byte .img", Lone("2336", "lone2336.img")},
        {"lone 2324-byte .bin", Cooked(2324, "cooked.bin")},
    };
    for (const auto& [kind, path] : images) {
        SCOPED_TRACE(kind);
        const std::unique_ptr<SectorReader> reader = Open(path);
        if (reader)
            ExpectSameSectors(*reader, *reference, kind);
    }
}

TEST_F(DiscFormats, AMultiFileSheetOfCookedSectorsReadsAsOneDisc) {
    // Track 1 (the file system) raw, the video tracks cooked to their payloads.
    const auto starts = TrackStarts(Raw());
    const std::vector<std::uint8_t> raw = ReadBytes(BinOf(Raw()));
    const std::size_t split = std::size_t{starts[1].first} * rawSize;
    WriteBytes(Folder() + "/one.bin",
               {raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(split)});
    std::vector<std::uint8_t> cooked;
    for (std::size_t at = split; at + rawSize <= raw.size(); at += rawSize)
        cooked.insert(cooked.end(), raw.begin() + static_cast<std::ptrdiff_t>(at + 24),
                      raw.begin() + static_cast<std::ptrdiff_t>(at + 24 + kForm2PayloadSize));
    WriteBytes(Folder() + "/Two.BIN", cooked);
    auto time = [](std::uint32_t sectors) {
        char text[16];
        std::snprintf(text, sizeof text, "%02u:%02u:%02u", sectors / 4500, sectors / 75 % 60,
                      sectors % 75);
        return std::string(text);
    };
    const std::uint32_t base = starts[1].first;
    std::ofstream(Folder() + "/multi.cue")
        << "FILE \"one.bin\" BINARY\n  TRACK 01 MODE2/2352\n    INDEX 01 00:00:00\n"
        << "FILE \"two.bin\" BINARY\n  TRACK 02 MODE2/2324\n    INDEX 00 00:00:00\n    INDEX 01 "
        << time(starts[1].second - base) << "\n  TRACK 03 MODE2/2324\n    INDEX 00 "
        << time(starts[2].first - base) << "\n    INDEX 01 " << time(starts[2].second - base)
        << "\n";
    const std::unique_ptr<SectorReader> reference = Open(Raw());
    const std::unique_ptr<SectorReader> reader = Open(Folder() + "/multi.cue");
    ASSERT_TRUE(reader && reference);
    EXPECT_EQ(reader->Sectors(), reference->Sectors());
    ExpectSameSectors(*reader, *reference, "multi-file cue sheet");
}

TEST_F(DiscFormats, ACopyMadeAsOfADataDiscIsRefusedForTheVideoItLost) {
    for (const std::string name : {"copied.iso", "copied.img"}) {
        const std::string path = Cooked(2048, name);
        std::string problem;
        std::vector<std::string> files;
        EXPECT_FALSE(OpenDiscImage(path, problem, files));
        EXPECT_NE(problem.find(path), std::string::npos) << problem;
        EXPECT_NE(problem.find("the video was lost in the copy"), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos);
    }
}

TEST_F(DiscFormats, ABrokenImageIsRefusedNamingItsFileInOneLine) {
    const std::string nrg = Folder() + "/empty.nrg";
    WriteBytes(nrg, std::vector<std::uint8_t>(4096, 0));
    const std::string toc = Folder() + "/gone.toc";
    std::ofstream(toc) << "CD_ROM_XA\nTRACK MODE2_RAW\nDATAFILE \"gone.img\"\n";
    const std::string mds = Folder() + "/bad.mds";
    WriteBytes(mds, std::vector<std::uint8_t>(200, 'M'));
    const std::string ccd = Folder() + "/alone.ccd";
    std::ofstream(ccd) << "[CloneCD]\nVersion=3\n";
    for (const auto& [path, why] :
         std::vector<std::pair<std::string, std::string>>{{nrg, "it has no Nero footer"},
                                                          {toc, "gone.img"},
                                                          {mds, "not an Alcohol media descriptor"},
                                                          {ccd, "alone.img is missing"}}) {
        std::string problem;
        std::vector<std::string> files;
        EXPECT_FALSE(OpenDiscImage(path, problem, files)) << path;
        EXPECT_NE(problem.find(path), std::string::npos) << problem;
        EXPECT_NE(problem.find(why), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
    }
}

class DiscFormatPlayback : public MpvDeviceTest {
protected:
    // Track 1 plays through its last seconds to its end.
    void ExpectTrackOnePlays(const std::string& image, const std::string& track, DWORD frames) {
        FSources.mappings->stored['E'] = image;
        const MCIDEVICEID device = OpenDevice(track);
        ASSERT_TRUE(device) << image;
        EXPECT_EQ(MciCommands::Status(device, MCI_STATUS_LENGTH), frames) << image;
        ASSERT_EQ(MciCommands::PlayFrom(device, frames > 100 ? frames - 100 : 0, FNotes.Window()),
                  0u);
        ASSERT_TRUE(FNotes.WaitFor(1)) << image;
        EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}))
            << image;
        MciCommands::Send(device, MCI_CLOSE);
        FDevice = 0;
        FNotes.Received.clear();
    }

    drives_test::ScopedDriveSources FSources;
};

TEST_F(DiscFormatPlayback, TrackOneOfEachAuthoredImagePlaysToItsEnd) {
    for (const std::string kind : {"2336", "toc", "nrg"})
        ExpectTrackOnePlays(TestMedia::AuthoredVcdImage(kind), "E:\\MPEGAV\\AVSEQ01.DAT",
                            longTrackFrames);
}

TEST_F(DiscFormatPlayback, TheSuperVideoCdFromAnotherAuthoringToolListsAndPlays) {
    const std::string image = "/work/shared/discs/videocd.nrg";
    if (!std::filesystem::exists(image))
        GTEST_SKIP() << image << " is not here";
    FSources.mappings->stored['E'] = image;
    EXPECT_EQ(files_test::ListNames("E:\\MPEG2\\*.*"),
              (Strings{".", "..", "AVSEQ01.MPG", "AVSEQ02.MPG", "AVSEQ03.MPG", "AVSEQ04.MPG"}));
    const MCIDEVICEID device = OpenDevice("E:\\MPEG2\\AVSEQ01.MPG");
    ASSERT_TRUE(device);
    ASSERT_EQ(MciCommands::PlayFrom(device, 0, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
}

} // namespace
