// The name part, the extension and the folder of a path, under each set of
// separators the callers use.
#include "platform/paths/path_parts.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct PartsCase {
    std::string_view path;
    std::string_view separators;
    std::string_view name;
    std::string_view extension;
    std::string_view withoutExtension;
};

TEST(PathParts, NameAndExtensionFollowTheLastSeparator) {
    constexpr std::string_view panel = "\\:"; // the display panel's rule
    const PartsCase cases[] = {
        {"D:\\MPEGAV\\AVSEQ01.DAT", kWindowsSeparators, "AVSEQ01.DAT", ".DAT", "AVSEQ01"},
        {"d:/mpegav/avseq01.dat", kWindowsSeparators, "avseq01.dat", ".dat", "avseq01"},
        {"D:AVSEQ01.DAT", kWindowsSeparators, "AVSEQ01.DAT", ".DAT", "AVSEQ01"},
        {"D:\\MPEG2.D\\TRACK", kWindowsSeparators, "TRACK", "", "TRACK"},
        {"D:\\MPEGAV\\", kWindowsSeparators, "", "", ""},
        {"ARCHIVE.TAR.GZ", kWindowsSeparators, "ARCHIVE.TAR.GZ", ".GZ", "ARCHIVE.TAR"},
        {"TRAILING.", kWindowsSeparators, "TRAILING.", ".", "TRAILING"},
        {".hidden", kWindowsSeparators, ".hidden", ".hidden", ""},
        {"", kWindowsSeparators, "", "", ""},
        {"D:\\MPEGAV/AVSEQ01.DAT", panel, "MPEGAV/AVSEQ01.DAT", ".DAT", "MPEGAV/AVSEQ01"},
        {"D:\\MPEG.AV/TRACK", panel, "MPEG.AV/TRACK", ".AV/TRACK", "MPEG"},
        {"/home/ann/discs/film.cue", kHostSeparators, "film.cue", ".cue", "film"},
        {"/home/ann/v1.2/film", kHostSeparators, "film", "", "film"},
        {"C:\\film.bin", kHostSeparators, "C:\\film.bin", ".bin", "C:\\film"},
    };
    for (const PartsCase& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " split at \"" + std::string(c.separators) + "\"");
        EXPECT_EQ(NamePart(c.path, c.separators), c.name);
        EXPECT_EQ(c.path.substr(NameStart(c.path, c.separators)), c.name);
        EXPECT_EQ(ExtensionPart(c.path, c.separators), c.extension);
        EXPECT_EQ(NameWithoutExtension(c.path, c.separators), c.withoutExtension);
    }
}

TEST(PathParts, FolderOfAHostPath) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"/home/ann/discs/film.cue", "/home/ann/discs"},
        {"/film.cue", "/"},
        {"film.cue", "."},
        {"discs/film.cue", "discs"},
        {"/home/ann/discs/", "/home/ann/discs"},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(FolderOf(path), folder) << path;
}

} // namespace
