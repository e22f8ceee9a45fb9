// Damaged and foreign input behind a drive letter: the folder tests and
// listings fail cleanly (no crash, no exit, nothing found), whatever the bytes.
#include "platform/diagnostics.h"
#include "platform/disc/iso_records.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/files_test_support.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <random>

using namespace platform;
using namespace files_test;
using Strings = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::size_t rawSector = 2352;
constexpr std::size_t form1Data = 24; // sync, header and subheader before a Form 1 sector's data

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

// What the disc scan would list on `letter`: the entries of the first of
// MPEG2, MPEGAV and the root that is a folder; empty when none is, or when it
// cannot be listed.
Strings ScanFinds(char letter) {
    const std::string drive = std::string(1, letter) + ":\\";
    for (const std::string& folder : {drive + "MPEG2\\", drive + "MPEGAV\\", drive}) {
        if (IsFolder(folder)) {
            Strings names = ListNames(folder + "*.*");
            std::erase_if(names,
                          [](const std::string& name) { return name == "." || name == ".."; });
            return names;
        }
    }
    return {};
}

class DamagedDiscs : public ::testing::Test {
protected:
    void SetUp() override {
        // Damage is reported; the tests look only at what the calls answer.
        FPrevious = SetProblemSink([](const std::string&) {});
    }
    void TearDown() override { SetProblemSink(FPrevious); }

    // A folder of its own for each damaged image: a file rewritten in place
    // within one tick of the file system's clock could pass for unchanged.
    std::string NewFolder() {
        const std::string folder = FFolder.path().toStdString() + "/" + std::to_string(++FImages);
        std::filesystem::create_directory(folder);
        return folder;
    }

    // A copy of the Video CD image, changed by `damage`, mapped to D:.
    void MapDamagedVcd(const std::function<void(std::string& bin)>& damage) {
        const TestMedia::CueBin vcd = TestMedia::VcdImage();
        const std::string folder = NewFolder();
        const std::string bin = folder + "/" + std::filesystem::path(vcd.bin).filename().string();
        static const std::string whole = ReadWholeFile(vcd.bin);
        std::string data = whole;
        damage(data);
        WriteFile(bin, data);
        std::filesystem::copy_file(vcd.cue, folder + "/vcd.cue");
        FSources.mappings->stored['D'] = folder + "/vcd.cue";
    }

    // The raw sector whose data holds `text`.
    static std::size_t SectorHolding(const std::string& bin, const std::string& text) {
        const std::size_t at = bin.find(text);
        EXPECT_NE(at, std::string::npos) << text;
        return at / rawSector;
    }

    QTemporaryDir FFolder;
    drives_test::ScopedDriveSources FSources;
    ProblemSink FPrevious;
    int FImages = 0;
};

TEST_F(DamagedDiscs, ATruncatedImageShowsOnlyTheTracksThatLieWhollyInside) {
    const std::size_t size = std::filesystem::file_size(TestMedia::VcdImage().bin);
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{1000}, 16 * rawSector + 100, 200 * rawSector}) {
        MapDamagedVcd([cut](std::string& bin) { bin.resize(cut); });
        EXPECT_EQ(ScanFinds('D'), Strings{}) << "cut at " << cut;
    }
    for (const std::size_t cut : {size * 3 / 4, size * 9 / 10}) {
        MapDamagedVcd([cut](std::string& bin) { bin.resize(cut); });
        EXPECT_EQ(ScanFinds('D'), Strings{"AVSEQ01.DAT"}) << "cut at " << cut;
    }
    MapDamagedVcd([](std::string&) {});
    EXPECT_EQ(ScanFinds('D'), (Strings{"AVSEQ01.DAT", "AVSEQ02.DAT"})) << "the whole image";
}

TEST_F(DamagedDiscs, RandomBytesOverTheFolderSectorsNeverCrashTheScan) {
    std::mt19937 random(20240501);
    for (int run = 0; run < 20; ++run) {
        MapDamagedVcd([&](std::string& bin) {
            // The MPEGAV folder, and in every other run the root as well.
            std::vector<std::size_t> sectors = {SectorHolding(bin, "AVSEQ01.DAT;1")};
            if (run % 2)
                sectors.push_back(SectorHolding(bin, "MPEGAV"));
            for (const std::size_t sector : sectors) {
                for (std::size_t at = 0; at < 2048; ++at)
                    bin[sector * rawSector + form1Data + at] = static_cast<char>(random());
            }
        });
        const Strings found = ScanFinds('D');
        EXPECT_TRUE(std::none_of(found.begin(), found.end(),
                                 [](const std::string& name) { return name == "AVSEQ01.DAT"; }))
            << "run " << run;
    }
}

TEST_F(DamagedDiscs, RandomBytesOverADataDiscsFoldersAndDescriptorsNeverCrashTheScan) {
    const std::string readme = TestMedia::TextFile("readme.txt", "Hello.\n");
    const std::string iso = ReadWholeFile(TestMedia::DataDiscImage(
        {{"MPEGAV/README.TXT", readme}, {"clip.mpg", readme}, {"Other.Mpeg", readme}}));
    std::mt19937 random(7);
    for (int run = 0; run < 20; ++run) {
        const std::string path = NewFolder() + "/damaged.iso";
        FSources.mappings->stored['F'] = path;
        std::string data = iso;
        // Descriptors (16, 17, ...) in some runs, folders (after them) in others.
        const std::size_t first = run % 3 == 0 ? 16 : 18 + run % 5;
        for (std::size_t at = first * 2048; at < (first + 2) * 2048; ++at)
            data[at] = static_cast<char>(random());
        WriteFile(path, data);
        const Strings found = ScanFinds('F');
        if (first == 16) {
            EXPECT_EQ(found, Strings{}) << "run " << run << ": no volume descriptor is left";
        }
        // Whatever a damaged folder says, what reaches the track list is a name.
        for (const std::string& name : found) {
            EXPECT_FALSE(name.empty()) << "run " << run;
            EXPECT_TRUE(std::all_of(name.begin(), name.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x20; }))
                << "run " << run << ": a control character in a name";
        }
        EXPECT_EQ(ScanFinds('F'), found) << "run " << run << ": the same bytes read alike";
    }
    // The undamaged image, for comparison: the damage is what hides the files.
    FSources.mappings->stored['F'] = NewFolder() + "/whole.iso";
    WriteFile(FSources.mappings->stored['F'], iso);
    EXPECT_EQ(ScanFinds('F'), Strings{"README.TXT"});
}

TEST_F(DamagedDiscs, AnMpegavFolderWithoutTracksShowsNone) {
    const std::string readme = TestMedia::TextFile("README.TXT", "No video here.\n");
    FSources.mappings->stored['D'] =
        TestMedia::DataDiscImage({{"MPEGAV/README.TXT", readme}, {"root.mpg", readme}});
    EXPECT_FALSE(IsFolder("D:\\MPEG2\\"));
    EXPECT_TRUE(IsFolder("D:\\MPEGAV\\"));
    DWORD error = 0;
    EXPECT_TRUE(ListAll("D:\\MPEGAV\\*.dat", &error).empty());
    EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(DamagedDiscs, CueSheetsThatLeadNowhereAreDrivesWithoutADisc) {
    const std::string folder = FFolder.path().toStdString();
    struct Case {
        const char* name;
        std::string text;
    };
    for (const Case& c : {
             Case{"missing-bin.cue", "FILE \"nowhere.bin\" BINARY\n  TRACK 01 MODE2/2352\n"},
             Case{"text.cue", "These are the liner notes, not a cue sheet.\n"},
             Case{"empty.cue", ""},
             Case{"binary.cue", ReadWholeFile(TestMedia::ShortPalVcdClip())},
             Case{"wild-numbers.cue", "FILE \"wild.bin\" BINARY\n  TRACK 999999999 MODE2/2352\n"
                                      "    INDEX 01 99:99:99\n  TRACK 00 MODE9/1\n"},
             Case{"audio.cue", "FILE \"wild.bin\" BINARY\n  TRACK 01 AUDIO\n"
                               "    INDEX 01 00:00:00\n"},
         }) {
        // An image for the cue sheets that name one: the Video CD's bytes.
        std::filesystem::copy_file(TestMedia::VcdImage().bin, folder + "/wild.bin",
                                   std::filesystem::copy_options::overwrite_existing);
        WriteFile(folder + "/" + c.name, c.text);
        FSources.mappings->stored['D'] = folder + "/" + c.name;
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
        const DWORD error = AttributesError("D:\\MPEGAV\\");
        SetErrorMode(previous);
        EXPECT_NE(error, 0u) << c.name;
        EXPECT_EQ(ScanFinds('D'), Strings{}) << c.name;
    }
}

// Folder records built by hand, for the checks a damaged folder must fail.
Bytes Record(const std::string& name, std::uint32_t extent, std::uint32_t size,
             std::uint8_t flags = 0, const Bytes& systemUse = {}) {
    Bytes record(33 + name.size() + (name.size() % 2 == 0 ? 1 : 0), 0);
    record.insert(record.end(), systemUse.begin(), systemUse.end());
    record[0] = static_cast<std::uint8_t>(record.size());
    for (int i = 0; i < 4; ++i) {
        record[2 + i] = static_cast<std::uint8_t>(extent >> (8 * i));
        record[10 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    record[18] = 99; // 1999-01-01
    record[19] = 1;
    record[20] = 1;
    record[25] = flags;
    record[32] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), record.begin() + 33);
    return record;
}

Bytes Folder(std::initializer_list<Bytes> records) {
    Bytes folder = Record(std::string(1, '\0'), 20, 2048, 2);
    const Bytes parent = Record(std::string(1, '\1'), 20, 2048, 2);
    folder.insert(folder.end(), parent.begin(), parent.end());
    for (const Bytes& record : records)
        folder.insert(folder.end(), record.begin(), record.end());
    folder.resize((folder.size() + 2047) / 2048 * 2048, 0);
    return folder;
}

const IsoVolume volume{{}, false, 1000, {}};

TEST(IsoFolderRecords, ReadNamesSizesAndTheForm2Attribute) {
    const Bytes form2 = {0, 0, 0, 0, 0x15, 0x55, 'X', 'A', 1, 0, 0, 0, 0, 0};
    const std::optional<std::vector<IsoRecord>> records =
        ParseIsoFolder(Folder({Record("AVSEQ01.DAT;1", 300, 20480, 0, form2),
                               Record("README.;1", 30, 7), Record("MPEGAV", 21, 2048, 2)}),
                       volume);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[0].name, "AVSEQ01.DAT");
    EXPECT_TRUE((*records)[0].form2);
    EXPECT_EQ((*records)[0].extent, 300u);
    EXPECT_EQ((*records)[1].name, "README");
    EXPECT_FALSE((*records)[1].form2);
    EXPECT_EQ((*records)[1].size, 7u);
    EXPECT_TRUE((*records)[2].folder);
}

TEST(IsoFolderRecords, ARecordPastTheEndOfTheDiscIsLeftOutAlone) {
    // As in an image cut short: the last track's data is gone, the first's is whole.
    const std::optional<std::vector<IsoRecord>> records = ParseIsoFolder(
        Folder({Record("AVSEQ01.DAT;1", 300, 20480), Record("AVSEQ02.DAT;1", 999, 4096),
                Record("AVSEQ03.DAT;1", 5000, 10)}),
        volume);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ((*records)[0].name, "AVSEQ01.DAT");
}

TEST(IsoFolderRecords, AnyMalformedRecordMakesTheFolderUnreadable) {
    // Records of 40 bytes after the 68 of "." and "..": the 50th runs past its sector.
    const Bytes record = Record("A.DAT;1", 30, 10);
    ASSERT_EQ(record.size(), 40u);
    Bytes crossing = Folder({});
    crossing.resize(68);
    for (int i = 0; i < 60; ++i)
        crossing.insert(crossing.end(), record.begin(), record.end());
    crossing.resize(2 * 2048, 0);
    Bytes shortRecord = Folder({Record("A.DAT;1", 30, 10)});
    shortRecord[68] = 20; // shorter than the fixed part of a record
    Bytes longName = Folder({Record("A.DAT;1", 30, 10)});
    longName[68 + 32] = 200; // a name longer than its record
    for (const auto& [why, folder] : std::vector<std::pair<const char*, Bytes>>{
             {"crossing a sector", crossing},
             {"too short", shortRecord},
             {"name past the record", longName},
             {"a slash in the name", Folder({Record("A/B.DAT;1", 30, 10)})},
             {"a control character", Folder({Record("A\x01.DAT;1", 30, 10)})},
             {"only a version", Folder({Record(";1", 30, 10)})}}) {
        EXPECT_FALSE(ParseIsoFolder(folder, volume)) << why;
    }
    EXPECT_FALSE(ParseIsoFolder(Folder({Record("ABC", 30, 10)}), IsoVolume{{}, true, 1000, {}}))
        << "a Joliet name of an odd length";
}

} // namespace
