#include "platform/disc/cdrdao_table.h"

#include "platform/ascii_case.h"
#include "platform/disc/sheet_text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform {
namespace {

constexpr std::uint32_t samplesPerSector = 588;
constexpr std::size_t largestTrackCount = 99;

struct TrackMode {
    std::string_view name;
    std::uint32_t size;
};
constexpr std::array<TrackMode, 9> trackModes = {{{"AUDIO", 2352},
                                                  {"MODE0", 2336},
                                                  {"MODE1", 2048},
                                                  {"MODE1_RAW", 2352},
                                                  {"MODE2", 2336},
                                                  {"MODE2_FORM1", 2048},
                                                  {"MODE2_FORM2", 2324},
                                                  {"MODE2_FORM_MIX", 2336},
                                                  {"MODE2_RAW", 2352}}};
constexpr std::uint32_t subchannelSize = 96;

// A length: "mm:ss:ff", or a number of audio samples.
std::optional<std::uint32_t> Length(std::string_view word) {
    if (word.find(':') != std::string_view::npos)
        return SectorsOfTime(word);
    const std::optional<std::uint32_t> samples = DecimalNumber(word);
    if (!samples)
        return std::nullopt;
    return *samples / samplesPerSector;
}

// The text without its comments ("//" to the end of the line, outside quotes).
std::string_view WithoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (!quoted && line.substr(i).starts_with("//"))
            return line.substr(0, i);
    }
    return line;
}

class TableReader {
public:
    TableReader(const FindImageFile& find, std::string& problem) : find_(find), problem_(problem) {}

    bool Line(std::string_view line) {
        line = WithoutComment(line);
        // CD-TEXT blocks hold words of their own, in braces.
        for (const char c : line)
            depth_ += c == '{' ? 1 : c == '}' ? -1 : 0;
        if (depth_ > 0 || line.find('}') != std::string_view::npos)
            return depth_ >= 0 || Fail("this is not a cdrdao table of contents");
        const std::string keyword = AsciiUpper(NextWord(line));
        if (keyword == "TRACK")
            return Track(line);
        if (keyword == "DATAFILE" || keyword == "FILE" || keyword == "AUDIOFILE")
            return File(keyword, line);
        if (keyword == "ZERO" || keyword == "SILENCE" || keyword == "PREGAP")
            return Gap(line);
        if (keyword == "START")
            return Start(line);
        return true;
    }

    std::optional<ImageLayout> Done() {
        if (tracks_ == 0 || layout_.Extents().empty())
            return Fail("this is not a cdrdao table of contents"), std::nullopt;
        if (!firstHoldsData_)
            return Fail("the disc holds no data"), std::nullopt;
        ImageLayout shifted;
        for (const ImageFile& file : layout_.Files())
            shifted.FileIndex(file);
        for (ImageExtent extent : layout_.Extents()) {
            if (extent.lsn < origin_) {
                const std::uint32_t skipped = std::min(origin_ - extent.lsn, extent.sectors);
                extent.lsn += skipped;
                extent.sectors -= skipped;
                extent.offset += std::uint64_t{skipped} * extent.stride;
            }
            if (extent.sectors > 0 &&
                !shifted.Add(extent.lsn - origin_, extent.sectors, extent.file, extent.offset,
                             extent.stride, extent.format, problem_))
                return std::nullopt;
        }
        return shifted;
    }

private:
    bool Fail(std::string problem) {
        problem_ = std::move(problem);
        return false;
    }

    bool Track(std::string_view line) {
        const std::string mode = AsciiUpper(NextWord(line));
        const std::string subchannel = AsciiUpper(NextWord(line));
        const auto found = std::find_if(trackModes.begin(), trackModes.end(),
                                        [&](const TrackMode& each) { return each.name == mode; });
        if (found == trackModes.end() || tracks_ >= largestTrackCount)
            return Fail("its track " + std::to_string(tracks_ + 1) + " has a mode no CD track has");
        size_ = found->size + (subchannel.empty() ? 0 : subchannelSize);
        if (!SectorFormatOfSize(size_))
            return Fail("its track " + std::to_string(tracks_ + 1) + " has a mode no CD track has");
        if (tracks_ == 0) {
            firstHoldsData_ = mode != "AUDIO";
            origin_ = position_;
        }
        trackStart_ = position_;
        ++tracks_;
        return true;
    }

    bool File(const std::string& keyword, std::string_view line) {
        const std::string_view name = NextWord(line);
        std::string_view word = NextWord(line);
        std::uint64_t offset = 0;
        if (word.starts_with('#')) {
            const std::optional<std::uint32_t> bytes = DecimalNumber(word.substr(1));
            if (!bytes)
                return Fail("this is not a cdrdao table of contents");
            offset = *bytes;
            word = NextWord(line);
        }
        if (keyword != "DATAFILE" && !word.empty()) { // start, in the file's sectors
            const std::optional<std::uint32_t> start = Length(word);
            if (!start)
                return Fail("this is not a cdrdao table of contents");
            offset += std::uint64_t{*start} * size_;
            word = NextWord(line);
        }
        const std::optional<ImageFile> file = find_(name);
        if (tracks_ == 0 || name.empty())
            return Fail("this is not a cdrdao table of contents");
        if (!file)
            return Fail("the image file " + std::string(name) + " named by its table is missing");
        std::uint64_t sectors = offset < file->size ? (file->size - offset) / size_ : 0;
        if (!word.empty()) {
            const std::optional<std::uint32_t> length = Length(word);
            if (!length)
                return Fail("this is not a cdrdao table of contents");
            sectors = std::min<std::uint64_t>(sectors, *length);
        }
        if (sectors == 0)
            return true;
        sectors = std::min<std::uint64_t>(sectors, kLargestImageSectors);
        if (!layout_.Add(position_, static_cast<std::uint32_t>(sectors), layout_.FileIndex(*file),
                         offset, size_, *SectorFormatOfSize(size_), problem_))
            return false;
        return Advance(sectors);
    }

    bool Gap(std::string_view line) {
        std::string_view word = NextWord(line);
        if (!word.empty() && std::isalpha(static_cast<unsigned char>(word.front())))
            word = NextWord(line); // ZERO's own mode
        const std::optional<std::uint32_t> length = Length(word);
        if (tracks_ == 0 || !length)
            return Fail("this is not a cdrdao table of contents");
        return Advance(*length);
    }

    bool Start(std::string_view line) {
        const std::string_view word = NextWord(line);
        std::uint64_t start = position_;
        if (!word.empty()) {
            const std::optional<std::uint32_t> length = Length(word);
            if (!length)
                return Fail("this is not a cdrdao table of contents");
            start = trackStart_ + *length;
        }
        if (tracks_ == 1)
            origin_ =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(start, kLargestImageSectors));
        return true;
    }

    bool Advance(std::uint64_t sectors) {
        position_ +=
            static_cast<std::uint32_t>(std::min<std::uint64_t>(sectors, kLargestImageSectors));
        if (position_ > kLargestImageSectors)
            return Fail("its tracks run past the end of a CD");
        return true;
    }

    const FindImageFile& find_;
    std::string& problem_;
    ImageLayout layout_;
    int depth_ = 0;
    std::size_t tracks_ = 0;
    std::uint32_t size_ = 0;
    std::uint32_t position_ = 0, trackStart_ = 0, origin_ = 0;
    bool firstHoldsData_ = false;
};

} // namespace

std::optional<ImageLayout> CdrdaoLayout(std::string_view text, const FindImageFile& find,
                                        std::string& problem) {
    if (text.size() > kLargestSheet || !IsSheetText(text)) {
        problem = "this is not a cdrdao table of contents";
        return std::nullopt;
    }
    TableReader reader(find, problem);
    while (!text.empty())
        if (!reader.Line(NextLine(text)))
            return std::nullopt;
    return reader.Done();
}

} // namespace platform
