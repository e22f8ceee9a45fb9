#include "platform/disc/cue_sheet.h"

#include "platform/ascii_case.h"
#include "platform/disc/sheet_text.h"
#include "platform/io/host_names.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct SheetTrack {
    std::uint32_t size = 0; // bytes a sector
    bool data = true;
    std::optional<std::uint32_t> index0, index1; // sectors from the start of the file
    std::uint32_t pregap = 0, postgap = 0;       // sectors the file does not hold
};

struct SheetFile {
    ImageFile file;
    std::vector<SheetTrack> tracks;
};

constexpr std::size_t largestTrackCount = 99;

// The sector size a TRACK line's mode gives ("MODE2/2336", "AUDIO", ...).
std::optional<std::uint32_t> SizeOfMode(const std::string& mode) {
    if (mode == "AUDIO")
        return 2352;
    if (mode == "CDG")
        return 2448;
    const std::size_t slash = mode.find('/');
    const std::string_view kind = std::string_view(mode).substr(0, slash);
    if (slash == std::string::npos || (kind != "MODE1" && kind != "MODE2" && kind != "CDI"))
        return std::nullopt;
    const std::optional<std::uint32_t> size = DecimalNumber(mode.substr(slash + 1));
    if (!size || !SectorFormatOfSize(*size))
        return std::nullopt;
    return size;
}

class SheetReader {
public:
    SheetReader(const FindImageFile& find, std::string& problem) : find_(find), problem_(problem) {}

    bool Line(std::string_view line) {
        const std::string keyword = AsciiUpper(NextWord(line));
        if (keyword == "FILE")
            return File(line);
        if (keyword == "TRACK")
            return Track(line);
        if (keyword == "INDEX")
            return Index(line);
        if (keyword == "PREGAP" || keyword == "POSTGAP")
            return Gap(keyword, line);
        return true;
    }

    std::vector<SheetFile> files;

private:
    bool Fail(std::string problem) {
        problem_ = std::move(problem);
        return false;
    }

    bool NotACueSheet() { return Fail("this is not a cue sheet of a binary disc image"); }

    SheetTrack* Current() {
        return files.empty() || files.back().tracks.empty() ? nullptr : &files.back().tracks.back();
    }

    bool File(std::string_view line) {
        const std::string_view name = NextWord(line);
        const std::string type = AsciiUpper(NextWord(line));
        if (type != "BINARY" || name.empty())
            return NotACueSheet();
        if (!files.empty() && files.back().tracks.empty())
            return NotACueSheet();
        const std::optional<ImageFile> file = find_(name);
        if (!file)
            return Fail("the image file " + std::string(name) +
                        " named by its cue sheet is missing");
        files.push_back({*file, {}});
        return true;
    }

    bool Track(std::string_view line) {
        const std::optional<std::uint32_t> number = DecimalNumber(NextWord(line));
        const std::string mode = AsciiUpper(NextWord(line));
        const std::optional<std::uint32_t> size = SizeOfMode(mode);
        if (files.empty() || !number || tracks_ >= largestTrackCount)
            return NotACueSheet();
        if (!size)
            return Fail("its track " + std::to_string(*number) + " has a mode no CD track has");
        if (const SheetTrack* last = Current(); last && !last->index1)
            return Fail("a track before track " + std::to_string(*number) + " has no INDEX 01");
        ++tracks_;
        SheetTrack track;
        track.size = *size;
        track.data = mode != "AUDIO" && mode != "CDG";
        files.back().tracks.push_back(track);
        return true;
    }

    bool Index(std::string_view line) {
        SheetTrack* track = Current();
        const std::optional<std::uint32_t> number = DecimalNumber(NextWord(line));
        const std::optional<std::uint32_t> at = SectorsOfTime(NextWord(line));
        if (!track || !number || !at)
            return NotACueSheet();
        if (*number == 0)
            track->index0 = *at;
        else if (*number == 1)
            track->index1 = *at;
        return true;
    }

    bool Gap(const std::string& keyword, std::string_view line) {
        SheetTrack* track = Current();
        const std::optional<std::uint32_t> length = SectorsOfTime(NextWord(line));
        if (!track || !length)
            return NotACueSheet();
        (keyword == "PREGAP" ? track->pregap : track->postgap) = *length;
        return true;
    }

    const FindImageFile& find_;
    std::string& problem_;
    std::size_t tracks_ = 0;
};

// Lays the sheet's tracks out on the disc: the files one after the other, with
// the gaps the files do not hold between them, and sector 0 where track 1's
// INDEX 01 is.
std::optional<ImageLayout> LayOut(const std::vector<SheetFile>& files, std::string& problem) {
    struct Placed {
        std::uint64_t position, sectors, offset;
        std::size_t file;
        std::uint32_t size;
    };
    ImageLayout layout;
    std::vector<Placed> placed;
    std::uint64_t running = 0;
    std::uint64_t origin = 0;
    for (const SheetFile& sheetFile : files) {
        const std::size_t file = layout.FileIndex(sheetFile.file);
        const std::uint64_t base = running;
        std::uint64_t gaps = 0;
        std::uint32_t end = 0;
        for (std::size_t i = 0; i < sheetFile.tracks.size(); ++i) {
            const SheetTrack& track = sheetFile.tracks[i];
            const std::uint32_t start = track.index0.value_or(*track.index1);
            const bool first = i == 0;
            if (start > *track.index1 || (!first && start < end)) {
                problem = "the indexes of its tracks go backwards";
                return std::nullopt;
            }
            // Each track's sectors take its own size, so a file may mix them.
            const std::uint64_t offset =
                first ? std::uint64_t{start} * track.size
                      : placed.back().offset + placed.back().sectors * placed.back().size;
            std::uint64_t sectors;
            if (i + 1 < sheetFile.tracks.size()) {
                const SheetTrack& next = sheetFile.tracks[i + 1];
                const std::uint32_t nextStart = next.index0.value_or(*next.index1);
                sectors = nextStart > start ? nextStart - start : 0;
            } else {
                sectors =
                    offset < sheetFile.file.size ? (sheetFile.file.size - offset) / track.size : 0;
            }
            gaps += track.pregap;
            const std::uint64_t position = base + gaps + start;
            if (placed.empty())
                origin = position + (*track.index1 - start);
            placed.push_back({position, sectors, offset, file, track.size});
            gaps += track.postgap;
            end = start + static_cast<std::uint32_t>(
                              std::min<std::uint64_t>(sectors, kLargestImageSectors));
        }
        running = base + gaps + end;
        if (running > kLargestImageSectors) {
            problem = "its tracks run past the end of a CD";
            return std::nullopt;
        }
    }
    for (Placed each : placed) {
        if (each.position < origin) {
            const std::uint64_t skipped = std::min(origin - each.position, each.sectors);
            each.position += skipped;
            each.sectors -= skipped;
            each.offset += skipped * each.size;
        }
        if (each.sectors == 0)
            continue;
        if (!layout.Add(static_cast<std::uint32_t>(each.position - origin),
                        static_cast<std::uint32_t>(
                            std::min<std::uint64_t>(each.sectors, kLargestImageSectors)),
                        each.file, each.offset, each.size, *SectorFormatOfSize(each.size), problem))
            return std::nullopt;
    }
    return layout;
}

std::vector<std::string_view> Steps(std::string_view path) {
    std::vector<std::string_view> steps;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find_first_of("\\/"), path.size());
        if (end > 0)
            steps.push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return steps;
}

std::optional<std::string> Follow(std::string folder, const std::vector<std::string_view>& steps) {
    for (const std::string_view step : steps) {
        const std::optional<std::string> name =
            step == "." || step == ".." ? std::string(step) : FindHostName(folder, step);
        if (!name)
            return std::nullopt;
        folder.append("/").append(*name);
    }
    return folder;
}

} // namespace

std::optional<ImageLayout> CueLayout(std::string_view text, const FindImageFile& find,
                                     std::string& problem) {
    const std::string notACueSheet = "this is not a cue sheet of a binary disc image";
    if (text.size() > kLargestSheet || !IsSheetText(text)) {
        problem = notACueSheet;
        return std::nullopt;
    }
    SheetReader reader(find, problem);
    while (!text.empty())
        if (!reader.Line(NextLine(text)))
            return std::nullopt;
    if (reader.files.empty() || reader.files.back().tracks.empty()) {
        problem = notACueSheet;
        return std::nullopt;
    }
    if (!reader.files.back().tracks.back().index1) {
        problem = "its last track has no INDEX 01";
        return std::nullopt;
    }
    if (!reader.files.front().tracks.front().data) {
        problem = "the disc holds no data";
        return std::nullopt;
    }
    return LayOut(reader.files, problem);
}

std::optional<std::string> LocateCueImage(const std::string& cueFolder, std::string_view written) {
    const std::vector<std::string_view> steps = Steps(written);
    if (steps.empty())
        return std::nullopt;
    const std::string start = written.starts_with('/') ? std::string() : cueFolder;
    if (std::optional<std::string> found = Follow(start, steps))
        return found;
    return Follow(cueFolder, {steps.back()});
}

} // namespace platform
