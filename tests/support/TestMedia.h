#pragma once
// Media files made for the tests with ffmpeg: a test pattern with a 440 Hz
// tone, 10 s. Made once and shared by every test process of the build (in the
// build folder), so only the first test that asks pays for them.
#include <string>

namespace TestMedia {

// Video CD: MPEG-1 program stream, 352x288, 25 fps, flagged 4:3.
std::string PalVcdClip();
// Super Video CD: MPEG-2 program stream, 480x480, 30000/1001 fps, flagged 4:3.
std::string NtscSvcdClip();
// A copy of `clip` under `name` (in a folder of this test process).
std::string CopyAs(const std::string& clip, const std::string& name);
// A file with `text` as its contents, under `name`.
std::string TextFile(const std::string& name, const std::string& text);

} // namespace TestMedia
