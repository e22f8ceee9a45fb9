// The descriptions of disc images read from bytes in memory: where each
// format puts the tracks, and what makes each refuse a description.
#include "platform/disc/cdrdao_table.h"
#include "platform/disc/clone_cd_sheet.h"
#include "platform/disc/nero_image.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

void PutBigEndian(std::vector<std::uint8_t>& bytes, std::uint64_t value, std::size_t size) {
    for (std::size_t i = size; i > 0; --i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * (i - 1))));
}

// Nero chunks describing three 2336-byte tracks written track at once, with
// the footer of version 1 (32-bit fields) or 2, as they follow `sectors`
// sectors at the end of an image.
std::vector<std::uint8_t> TrackAtOnceTail(bool wide, std::uint64_t sectors) {
    std::vector<std::uint8_t> tail = {'E', 'T', 'N', wide ? std::uint8_t('2') : std::uint8_t('F')};
    const std::size_t number = wide ? 8 : 4;
    PutBigEndian(tail, 3 * (wide ? 32 : 20), 4);
    for (const auto& [first, count] : {std::pair{0u, 300u}, {300u, 1500u}, {1800u, 200u}}) {
        PutBigEndian(tail, std::uint64_t{first} * 2336, number);
        PutBigEndian(tail, std::uint64_t{count} * 2336, number);
        PutBigEndian(tail, 3, 4);
        PutBigEndian(tail, first, 4);
        PutBigEndian(tail, 0, number);
    }
    tail.insert(tail.end(), {'E', 'N', 'D', '!', 0, 0, 0, 0});
    tail.insert(tail.end(), {'N', 'E', 'R', wide ? std::uint8_t('5') : std::uint8_t('O')});
    PutBigEndian(tail, sectors * 2336, number);
    return tail;
}

std::vector<std::uint32_t> Starts(const std::optional<ImageLayout>& layout) {
    std::vector<std::uint32_t> starts;
    for (const ImageExtent& extent : layout ? layout->Extents() : std::vector<ImageExtent>{})
        starts.push_back(extent.lsn);
    return starts;
}

TEST(NeroImage, TrackAtOnceTracksLieAfterTheGapsTheFileDoesNotHold) {
    for (const bool wide : {false, true}) {
        const std::vector<std::uint8_t> tail = TrackAtOnceTail(wide, 2000);
        std::string problem;
        const std::optional<ImageLayout> layout =
            NeroLayout(tail, {"x.nrg", 2000 * 2336 + tail.size()}, problem);
        ASSERT_TRUE(layout) << problem;
        EXPECT_EQ(Starts(layout), (std::vector<std::uint32_t>{0, 450, 2100}));
        EXPECT_EQ(layout->Extents()[2].offset, 1800u * 2336);
        EXPECT_EQ(layout->Extents()[2].format, SectorFormat::Mode2);
        // The same chunks pointing before the part of the file that was read.
        EXPECT_FALSE(NeroLayout(tail, {"x.nrg", tail.size()}, problem));
    }
}

TEST(NeroImage, RefusesAFileWithoutItsFooter) {
    const std::vector<std::uint8_t> zeros(4096, 0);
    std::string problem;
    EXPECT_FALSE(NeroLayout(zeros, {"x.nrg", zeros.size()}, problem));
    EXPECT_EQ(problem, "it has no Nero footer");
}

TEST(CdrdaoTable, GapsAndZerosMoveTheTracksThatFollow) {
    std::string problem;
    const std::optional<ImageLayout> layout = CdrdaoLayout(
        "CD_ROM_XA\nTRACK MODE2_RAW\nDATAFILE \"a.img\"\n"
        "TRACK MODE2_FORM_MIX\nPREGAP 00:02:00\nDATAFILE \"b.img\" #2336 00:10:00\n"
        "TRACK MODE2_FORM2 // a comment with DATAFILE \"c.img\"\nZERO MODE2 00:00:10\n"
        "DATAFILE \"c.img\"\n",
        [](std::string_view written) {
            return std::optional(ImageFile{std::string(written), 1000 * 2352});
        },
        problem);
    ASSERT_TRUE(layout) << problem;
    EXPECT_EQ(Starts(layout), (std::vector<std::uint32_t>{0, 1150, 1910}));
    EXPECT_EQ(layout->Extents()[1].offset, 2336u);
    EXPECT_EQ(layout->Extents()[1].sectors, 750u);
    EXPECT_EQ(layout->Extents()[2].format, SectorFormat::Payload);
    EXPECT_EQ(layout->Files().size(), 3u);
}

TEST(CdrdaoTable, RefusesAudioFirstAndFilesNotFound) {
    std::string problem;
    const FindImageFile none = [](std::string_view) { return std::optional<ImageFile>(); };
    EXPECT_FALSE(CdrdaoLayout("CD_DA\nTRACK AUDIO\nFILE \"a.wav\" 0\n", none, problem));
    EXPECT_NE(problem.find("a.wav"), std::string::npos) << problem;
    EXPECT_FALSE(CdrdaoLayout("TRACK MODE9\n", none, problem));
    EXPECT_NE(problem.find("mode"), std::string::npos) << problem;
}

TEST(CloneCdSheet, TheWholeImageIsRawSectorsUpToTheLeadOut) {
    const std::string text = "[CloneCD]\r\nVersion=3\r\n[Disc]\r\nDataTracksScrambled=0\r\n"
                             "[Entry 0]\r\nPoint=0xa2\r\nPLBA=1200\r\n[TRACK 1]\r\nMODE=2\r\n";
    std::string problem;
    const std::optional<ImageLayout> layout = CloneCdLayout(text, {"x.img", 5000 * 2352}, problem);
    ASSERT_TRUE(layout) << problem;
    EXPECT_EQ(layout->Sectors(), 1200u);
    EXPECT_EQ(layout->Extents()[0].format, SectorFormat::Raw);

    std::string scrambled = text;
    scrambled.replace(scrambled.find("DataTracksScrambled=0"), 21, "DataTracksScrambled=1");
    EXPECT_FALSE(CloneCdLayout(scrambled, {"x.img", 5000 * 2352}, problem));
    EXPECT_EQ(problem, "its data tracks were copied scrambled");
    EXPECT_FALSE(CloneCdLayout("[Disc]\nTocEntries=4\n", {"x.img", 5000 * 2352}, problem));
}

} // namespace
