// Files on drive letters as the media driver reads them: Form 2 tracks as the
// MPEG streams they hold, data files as they are, read errors as errors.
#include "platform/mci/element_stream.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/files_test_support.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace platform;
using files_test::ReadWholeFile;

namespace {

constexpr std::size_t form2Payload = 2324;

std::unique_ptr<MediaStream> Open(const std::string& element) {
    std::unique_ptr<MediaStream> stream;
    EXPECT_EQ(mci::OpenMediaStream(element, stream), 0u) << element;
    return stream;
}

// Everything up to the end, in reads of `chunk` bytes; "<read error>" at the
// end when a read failed.
std::string ReadAll(MediaStream& stream, std::size_t chunk = 65536) {
    std::string data, buffer(chunk, '\0');
    for (;;) {
        const std::int64_t count = stream.Read(buffer.data(), chunk);
        if (count < 0)
            return data + "<read error>";
        if (count == 0)
            return data;
        data.append(buffer, 0, static_cast<std::size_t>(count));
    }
}

// The payloads without the empty sectors before and after the track's data.
std::string WithoutEmptySectors(const std::string& payloads) {
    const std::string empty(form2Payload, '\0');
    std::size_t first = 0, end = payloads.size();
    while (first < end && payloads.compare(first, form2Payload, empty) == 0)
        first += form2Payload;
    while (end > first && payloads.compare(end - form2Payload, form2Payload, empty) == 0)
        end -= form2Payload;
    return payloads.substr(first, end - first);
}

class DiscStreams : public ::testing::Test {
protected:
    void Map(char letter, const std::string& target) { FSources.mappings->stored[letter] = target; }

    QTemporaryDir FFolder;
    drives_test::ScopedDriveSources FSources;
};

TEST_F(DiscStreams, SuperVideoCdTracksReadAsTheirSourceFilesByteForByte) {
    Map('E', TestMedia::SvcdImage().cue);
    for (const auto& [element, clip] :
         {std::pair{"E:\\MPEG2\\AVSEQ01.MPG", TestMedia::NtscSvcdClip()},
          std::pair{"e:\\mpeg2\\avseq02.mpg", TestMedia::ShortNtscSvcdClip()}}) {
        const auto stream = Open(element);
        ASSERT_TRUE(stream);
        const std::string data = ReadAll(*stream);
        EXPECT_EQ(std::int64_t(data.size()), stream->Size()) << element;
        EXPECT_TRUE(data == ReadWholeFile(clip)) << element;
    }
}

TEST_F(DiscStreams, VideoCdTracksReadAsTheirSourceFilesBetweenEmptySectors) {
    Map('E', TestMedia::VcdImage().cue);
    for (const auto& [element, clip] :
         {std::pair{"E:\\MPEGAV\\AVSEQ01.DAT", TestMedia::PalVcdClip()},
          std::pair{"E:\\MPEGAV\\AVSEQ02.DAT", TestMedia::ShortPalVcdClip()}}) {
        const auto stream = Open(element);
        ASSERT_TRUE(stream);
        const std::string data = ReadAll(*stream);
        EXPECT_EQ(std::int64_t(data.size()), stream->Size()) << element;
        EXPECT_EQ(data.size() % form2Payload, 0u) << element;
        EXPECT_TRUE(WithoutEmptySectors(data) == ReadWholeFile(clip)) << element;
    }
}

TEST_F(DiscStreams, ReadsOfAnySizeFromAnyOffsetAgreeWithTheWholeTrack) {
    Map('E', TestMedia::VcdImage().cue);
    const std::string whole = ReadAll(*Open("E:\\MPEGAV\\AVSEQ01.DAT"));
    ASSERT_GT(whole.size(), 100 * form2Payload);

    const auto stream = Open("E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(ReadAll(*stream, 1000), whole) << "reads that straddle sectors";
    struct Piece {
        std::int64_t offset;
        std::size_t length;
    };
    const auto size = static_cast<std::int64_t>(whole.size());
    for (const Piece& piece : {Piece{0, 1}, Piece{2323, 2}, Piece{32 * 2324 - 5, 10},
                               Piece{50 * 2324 + 17, 200000}, Piece{3, 7}, Piece{size - 9, 9}}) {
        ASSERT_TRUE(stream->Seek(piece.offset));
        std::string buffer(piece.length, '\0');
        ASSERT_EQ(stream->Read(buffer.data(), buffer.size()), std::int64_t(piece.length));
        EXPECT_TRUE(buffer == whole.substr(piece.offset, piece.length)) << piece.offset;
    }
    char byte = 0;
    EXPECT_EQ(stream->Read(&byte, 1), 0) << "at the end";
    ASSERT_TRUE(stream->Seek(size + 5000));
    EXPECT_EQ(stream->Read(&byte, 1), 0) << "past the end";
    EXPECT_FALSE(stream->Seek(-1));
}

TEST_F(DiscStreams, DataFilesAndHostFilesReadAsTheyAre) {
    const std::string clip = TestMedia::PalVcdClip();
    Map('F', TestMedia::DataDiscImage({{"Movie.Mpeg", clip}}));
    const auto onDisc = Open("F:\\MOVIE.MPEG");
    ASSERT_TRUE(onDisc);
    EXPECT_EQ(onDisc->Size(), std::int64_t(std::filesystem::file_size(clip)));
    EXPECT_TRUE(ReadAll(*onDisc, 5000) == ReadWholeFile(clip));

    std::filesystem::create_directories(HomeFolder() + "/Videos");
    std::filesystem::copy_file(clip, HomeFolder() + "/Videos/clip.mpg",
                               std::filesystem::copy_options::overwrite_existing);
    const auto onHome = Open("C:\\VIDEOS\\Clip.MPG");
    ASSERT_TRUE(onHome);
    EXPECT_TRUE(ReadAll(*onHome) == ReadWholeFile(clip));
    const auto onHost = Open(HomeFolder() + "/Videos/clip.mpg");
    ASSERT_TRUE(onHost) << "a path of this machine still opens as it is";
}

TEST_F(DiscStreams, WhatIsNotAReadableFileFailsToOpenWithItsOwnError) {
    Map('E', TestMedia::VcdImage().cue);
    drives_test::ScopedDriveSources absent({"/dev/quelvo-absent-sr9"});
    absent.mappings->stored['E'] = TestMedia::VcdImage().cue;
    std::unique_ptr<MediaStream> stream;
    struct Case {
        const char* element;
        MCIERROR error;
    };
    for (const Case& c : {Case{"E:\\MPEGAV\\AVSEQ09.DAT", MCIERR_FILE_NOT_FOUND},
                          Case{"E:\\MPEG2\\AVSEQ01.MPG", MCIERR_FILE_NOT_FOUND},
                          Case{"E:\\MPEGAV\\", MCIERR_INVALID_FILE},
                          Case{"E:\\MPEGAV\\*.DAT", MCIERR_FILE_NOT_FOUND},
                          Case{"D:\\MPEGAV\\AVSEQ01.DAT", MCIERR_FILE_NOT_FOUND},
                          Case{"Q:\\MPEGAV\\AVSEQ01.DAT", MCIERR_FILE_NOT_FOUND}}) {
        EXPECT_EQ(mci::OpenMediaStream(c.element, stream), c.error) << c.element;
    }
}

TEST_F(DiscStreams, AnImageCutShortWhileATrackIsOpenFailsTheReadInsteadOfEndingTheTrack) {
    const TestMedia::CueBin vcd = TestMedia::VcdImage();
    const std::string folder = FFolder.path().toStdString();
    const std::string bin = folder + "/" + std::filesystem::path(vcd.bin).filename().string();
    std::filesystem::copy_file(vcd.bin, bin);
    std::filesystem::copy_file(vcd.cue, folder + "/short.cue");
    Map('E', folder + "/short.cue");
    const auto stream = Open("E:\\MPEGAV\\AVSEQ01.DAT");
    ASSERT_TRUE(stream);
    // Cut in the middle of the first track, half-way through a sector, as a
    // removed stick or a failing disk would leave it.
    std::filesystem::resize_file(bin, std::filesystem::file_size(bin) * 2 / 5 + 1000);

    const std::string data = ReadAll(*stream);
    EXPECT_TRUE(data.ends_with("<read error>"));
    EXPECT_LT(data.size(), std::size_t(stream->Size()));
    char byte = 0;
    EXPECT_EQ(stream->Read(&byte, 1), -1) << "the error stays";
}

} // namespace
