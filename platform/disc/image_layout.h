#pragma once
// Where each sector of a disc image lies in its files: what every image
// format's description (cue sheet, cdrdao table, Nero footer, CloneCD sheet,
// Alcohol descriptor) comes down to.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// What a file keeps of each sector.
enum class SectorFormat {
    Raw,     // all 2352 bytes: sync, header, then the mode's fields
    Mode2,   // 2336 bytes: the Mode 2 subheader, then the payload
    Payload, // 2324 bytes: the Form 2 payload alone (a Form 1 sector's data comes first)
    Data,    // 2048 bytes: user data alone, so no Form 2 sector can be read
};

// The format of sectors `size` bytes long in an image file; 2448 is raw with
// 96 bytes of subchannel after each sector. Nothing for any other size.
std::optional<SectorFormat> SectorFormatOfSize(std::uint32_t size);

// A run of sectors that lie one after the other in one file.
struct ImageExtent {
    std::uint32_t lsn;     // the first sector's number on the disc
    std::uint32_t sectors; // never 0
    std::size_t file;      // index into ImageLayout::files
    std::uint64_t offset;  // of the first sector in the file
    std::uint32_t stride;  // bytes from one sector to the next
    SectorFormat format;

    bool operator==(const ImageExtent&) const = default;
};

// Images of CDs: no more sectors than the longest CD holds, with room to spare.
inline constexpr std::uint32_t kLargestImageSectors = 100 * 60 * 75;

struct ImageFile {
    std::string path;
    std::uint64_t size;
};

// The image file a description names as `written`, found on the host, or
// nothing when it is not there.
using FindImageFile = std::function<std::optional<ImageFile>(std::string_view written)>;

class ImageLayout {
public:
    // Adds a run of `sectors` sectors (cut to what the file holds from
    // `offset`, and to what a CD holds); false, with `problem`, for a run
    // that does not fit or holds no sector at all.
    bool Add(std::uint32_t lsn, std::uint32_t sectors, std::size_t file, std::uint64_t offset,
             std::uint32_t stride, SectorFormat format, std::string& problem);
    // The index of `file` in files(), added when new.
    std::size_t FileIndex(const ImageFile& file);

    const std::vector<ImageFile>& Files() const { return files_; }
    const std::vector<ImageExtent>& Extents() const { return extents_; }
    // One past the last sector any extent holds.
    std::uint32_t Sectors() const;
    // The extent holding `lsn`, or null.
    const ImageExtent* Find(std::uint32_t lsn) const;

private:
    std::vector<ImageFile> files_;
    std::vector<ImageExtent> extents_;
};

} // namespace platform
