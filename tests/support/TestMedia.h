#pragma once
// Media files made for the tests with ffmpeg: a test pattern with a 440 Hz
// tone, mostly 10 s. Made once and shared by every test process of the build (in the
// build folder), so only the first test that asks pays for them.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace TestMedia {

// Video CD: MPEG-1 program stream, 352x288, 25 fps, flagged 4:3.
std::string PalVcdClip();
// Super Video CD: MPEG-2 program stream, 480x480, 30000/1001 fps, flagged 4:3.
std::string NtscSvcdClip();
// A track of real length: 3 min 20 s (5000 frames) of the PalVcdClip pattern.
std::string LongPalVcdClip();
// Three seconds of the tone alone, in an MPEG program stream.
std::string ToneOnlyClip();
// Two seconds of another pattern, for a second track.
std::string ShortPalVcdClip();
std::string ShortNtscSvcdClip();

// A BIN/CUE image made by vcdimager; the cue sheet names the .bin beside it.
struct CueBin {
    std::string cue;
    std::string bin;
};
// Video CD 2.0 "TESTVCD": MPEGAV\AVSEQ01.DAT (PalVcdClip) and AVSEQ02.DAT (ShortPalVcdClip).
CueBin VcdImage();
// Video CD 2.0 "LONGVCD": AVSEQ01.DAT is LongPalVcdClip, AVSEQ02.DAT ShortPalVcdClip.
CueBin LongVcdImage();
// Super Video CD "TESTSVCD": MPEG2\AVSEQ01.MPG (NtscSvcdClip) and AVSEQ02.MPG (ShortNtscSvcdClip).
CueBin SvcdImage();

// The Video CD "LONGVCD" of LongPalVcdClip (track 1) and ShortPalVcdClip, as
// vcdxbuild writes it: `kind` "nrg" (a Nero image), "toc" (a cdrdao table with a
// file per track and pregap), "2336" or "2352" (BIN/CUE with sectors of that
// size). The path of the file that describes the image (.nrg, .toc, .cue).
std::string AuthoredVcdImage(const std::string& kind);

// Three minutes of the test pattern as a Video CD (or Super Video CD) track,
// sounding 440 Hz on the left channel and 1000 Hz on the right, as a karaoke
// disc carries the music alone on one channel and the singer on the other.
std::string KaraokeClip(bool svcd);
// Three minutes of the Super Video CD pattern with two audio streams, as a
// karaoke SVCD may carry them: 440 Hz in the first, 1000 Hz in the second.
std::string TwoStreamClip();
// Super Video CD "TWOSTREAM" with TwoStreamClip as its one track.
CueBin TwoStreamDisc();
// Where ChapterDisc marks entry points in its track, besides its start.
inline constexpr double kChapterSeconds[] = {30.0, 75.5, 120.0};
// A disc authored by vcdxbuild with KaraokeClip as its one track and entry
// points at kChapterSeconds: Video CD 2.0, or Super Video CD.
CueBin ChapterDisc(bool svcd);

// A copy of ChapterDisc(false) (in a folder of this test process) whose entry
// table has `bytes` written over it from byte `at` of the table: the cue sheet.
std::string ChapterDiscWithTable(std::size_t at, const std::string& bytes);

// Files for a data disc: the path on the disc ("MPEGAV/README.TXT") and the
// file whose contents go there.
using DiscFiles = std::vector<std::pair<std::string, std::string>>;
// An ISO 9660 image of `files` made by genisoimage, with Rock Ridge and Joliet
// names unless `plainIso9660`, then with ISO 9660 names only.
std::string DataDiscImage(const DiscFiles& files, bool plainIso9660 = false);

// A copy of `clip` under `name` (in a folder of this test process).
std::string CopyAs(const std::string& clip, const std::string& name);
// A file with `text` as its contents, under `name`.
std::string TextFile(const std::string& name, const std::string& text);

} // namespace TestMedia
