// A disc's entry table and the times of its entries, as read from the disc
// and its stream: tables good, absent and damaged, on Video CDs and SVCDs.
#include "platform/disc/disc_entries.h"
#include "platform/io/media_stream.h"
#include "platform/mci/element_stream.h"
#include "platform/mci/mpeg_timestamps.h"
#include "tests/platform/drives_test_support.h"
#include "tests/support/TestMedia.h"

#include <array>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>

using namespace platform;

namespace {

using Sector = std::array<std::uint8_t, kDataSectorSize>;

// A table sector with `entries` as (track, minutes, seconds, frames), BCD.
Sector Table(const char* id, const std::vector<std::array<std::uint8_t, 4>>& entries) {
    Sector sector{};
    std::memcpy(sector.data(), id, 8);
    sector[8] = 2;
    sector[10] = static_cast<std::uint8_t>(entries.size() >> 8);
    sector[11] = static_cast<std::uint8_t>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        std::memcpy(&sector[12 + 4 * i], entries[i].data(), 4);
    return sector;
}

TEST(EntryTable, BothIdentifiersGiveTheEntriesWithTheirSectors) {
    for (const char* id : {"ENTRYVCD", "ENTRYSVD"}) {
        const std::vector<DiscEntry> entries =
            ParseEntryTable(Table(id, {{0x02, 0x00, 0x08, 0x00}, {0x03, 0x12, 0x59, 0x74}}));
        ASSERT_EQ(entries.size(), 2u) << id;
        EXPECT_EQ(entries[0].track, 2u);
        EXPECT_EQ(entries[0].lsn, 8u * 75 - 150);
        EXPECT_EQ(entries[1].track, 3u);
        EXPECT_EQ(entries[1].lsn, (12u * 60 + 59) * 75 + 74 - 150);
    }
}

TEST(EntryTable, ADamagedTableGivesNoEntriesAtAll) {
    const std::array<std::uint8_t, 4> good{0x02, 0x00, 0x08, 0x00};
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYXYZ", {good})).empty());
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYVCD", {good, {0x02, 0x00, 0x6A, 0x00}})).empty());
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYVCD", {good, {0x02, 0x00, 0x60, 0x00}})).empty());
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYVCD", {good, {0x02, 0x00, 0x10, 0x75}})).empty());
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYVCD", {good, {0x01, 0x00, 0x10, 0x00}})).empty());
    EXPECT_TRUE(ParseEntryTable(Table("ENTRYVCD", {good, {0x02, 0x00, 0x01, 0x00}})).empty());
    Sector tooMany = Table("ENTRYVCD", {good});
    tooMany[10] = 0x01;
    tooMany[11] = 0xF5; // 501
    EXPECT_TRUE(ParseEntryTable(tooMany).empty());
    EXPECT_TRUE(ParseEntryTable(std::span(tooMany).first(11)).empty());
    Sector empty{};
    EXPECT_TRUE(ParseEntryTable(empty).empty());
}

TEST(EntryTable, FiveHundredEntriesAreAllRead) {
    std::vector<std::array<std::uint8_t, 4>> entries(kMostEntries, {0x02, 0x10, 0x00, 0x00});
    EXPECT_EQ(ParseEntryTable(Table("ENTRYVCD", entries)).size(), kMostEntries);
}

TEST(PackTimes, TheStampsOfAProgramStreamAreFoundFromAnywhereInIt) {
    std::ifstream clip(TestMedia::PalVcdClip(), std::ios::binary);
    std::vector<std::uint8_t> bytes(256 * 1024);
    clip.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const mci::PackTimes start = mci::ScanPackTimes(bytes);
    ASSERT_TRUE(start.firstVideo && start.earliest);
    EXPECT_LE(*start.earliest, *start.firstVideo);
    // From the middle of a pack on: later stamps, found all the same.
    const mci::PackTimes later = mci::ScanPackTimes(std::span(bytes).subspan(100001));
    ASSERT_TRUE(later.firstVideo);
    EXPECT_GT(mci::SecondsBetween(*start.firstVideo, *later.firstVideo), 0.1);
    EXPECT_FALSE(mci::ScanPackTimes(std::span(bytes).first(3)).earliest);
}

TEST(PackTimes, TheDifferenceCrossesTheClocksWrapTheNearWay) {
    const std::uint64_t wrap = std::uint64_t{1} << 33;
    EXPECT_DOUBLE_EQ(mci::SecondsBetween(wrap - 90000, 90000), 2.0);
    EXPECT_DOUBLE_EQ(mci::SecondsBetween(180000, 90000), -1.0);
}

class DiscEntries : public ::testing::Test {
protected:
    std::vector<std::int64_t> Offsets(const std::string& element) {
        std::unique_ptr<MediaStream> stream;
        EXPECT_EQ(mci::OpenMediaStream(element, stream), 0u) << element;
        return stream ? stream->EntryOffsets() : std::vector<std::int64_t>{};
    }

    drives_test::ScopedDriveSources FSources;
};

TEST_F(DiscEntries, AnAuthoredVideoCdAndSvcdListTheirTracksEntriesInStreamOrder) {
    for (const bool svcd : {false, true}) {
        FSources.mappings->stored['E'] = TestMedia::ChapterDisc(svcd).cue;
        const std::vector<std::int64_t> offsets =
            Offsets(svcd ? "E:\\MPEG2\\AVSEQ01.MPG" : "E:\\MPEGAV\\AVSEQ01.DAT");
        ASSERT_EQ(offsets.size(), 1 + std::size(TestMedia::kChapterSeconds)) << svcd;
        EXPECT_EQ(offsets[0], 0);
        EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
        for (const std::int64_t offset : offsets)
            EXPECT_EQ(offset % std::int64_t{kForm2PayloadSize}, 0);
    }
}

TEST_F(DiscEntries, EachTrackOfADiscWithoutExtraEntriesHasItsStartAlone) {
    FSources.mappings->stored['E'] = TestMedia::VcdImage().cue;
    EXPECT_EQ(Offsets("E:\\MPEGAV\\AVSEQ01.DAT"), std::vector<std::int64_t>{0});
    EXPECT_EQ(Offsets("E:\\MPEGAV\\AVSEQ02.DAT"), std::vector<std::int64_t>{0});
}

TEST_F(DiscEntries, ADamagedTableOrAPlainFileHasNone) {
    // A scratch across the table's count: more entries than a table holds.
    FSources.mappings->stored['E'] = TestMedia::ChapterDiscWithTable(10, "\x7F\x7F");
    EXPECT_TRUE(Offsets("E:\\MPEGAV\\AVSEQ01.DAT").empty());
    EXPECT_TRUE(Offsets(TestMedia::PalVcdClip()).empty());
}

} // namespace
