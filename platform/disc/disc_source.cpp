#include "platform/disc/disc_source.h"

#include "platform/ascii_case.h"
#include "platform/disc/bincue_folder.h"
#include "platform/disc/cdio_log.h"
#include "platform/disc/cdio_sector_reader.h"
#include "platform/disc/cue_sheet.h"
#include "platform/disc/iso_image_sector_reader.h"
#include "platform/io/host_names.h"
#include "platform/paths/path_parts.h"

#include <array>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>

namespace platform {
namespace {

constexpr std::size_t rawSectorSize = 2352;

bool IsPlainFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string Extension(const std::string& path) {
    return AsciiLower(ExtensionPart(path, kHostSeparators));
}

// `cdio_open` succeeds on a drive without a disc, and on a cue sheet whose
// tracks make no sense: a disc is there only when it has tracks and a mode,
// and the first track holds data.
bool HoldsDataDisc(CdIo_t* cdio, std::string& problem) {
    const track_t tracks = cdio_get_num_tracks(cdio);
    const discmode_t mode = cdio_get_discmode(cdio);
    if (tracks == CDIO_INVALID_TRACK || tracks == 0 || mode == CDIO_DISC_MODE_NO_INFO ||
        mode == CDIO_DISC_MODE_ERROR) {
        problem = "there is no disc in it";
        return false;
    }
    const track_format_t format = cdio_get_track_format(cdio, cdio_get_first_track_num(cdio));
    if (format != TRACK_FORMAT_DATA && format != TRACK_FORMAT_XA) {
        problem = "the disc holds no data";
        return false;
    }
    return true;
}

std::unique_ptr<SectorReader> OpenCdio(const std::string& source, driver_id_t driver,
                                       std::unique_ptr<BinCueFolder> folder, std::string& problem) {
    RouteCdioLog();
    CdioHandle handle(cdio_open(source.c_str(), driver));
    if (!handle) {
        problem = "it cannot be opened";
        return nullptr;
    }
    if (!HoldsDataDisc(handle.get(), problem))
        return nullptr;
    return std::make_unique<CdioSectorReader>(std::move(handle), std::move(folder));
}

std::optional<std::string> ReadCueSheet(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text;
    text.resize(kLargestCueSheet + 1);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return std::nullopt;
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

std::unique_ptr<SectorReader> OpenBinCue(const std::string& cueText, const std::string& image,
                                         std::string& problem) {
    if (!IsPlainFile(image)) {
        problem = "its image file " + image + " is missing";
        return nullptr;
    }
    std::unique_ptr<BinCueFolder> folder = BinCueFolder::Make(cueText, image, problem);
    if (!folder)
        return nullptr;
    const std::string cue = folder->CuePath();
    return OpenCdio(cue, DRIVER_BINCUE, std::move(folder), problem);
}

std::unique_ptr<SectorReader> OpenCueSheet(const std::string& path, std::string& problem,
                                           std::vector<std::string>& files) {
    const std::optional<std::string> text = ReadCueSheet(path);
    if (!text) {
        problem = "its cue sheet cannot be read";
        return nullptr;
    }
    const std::optional<std::string> written = CueImageFile(*text, problem);
    if (!written)
        return nullptr;
    const std::optional<std::string> image = LocateCueImage(FolderOf(path), *written);
    if (!image) {
        problem = "the image file " + *written + " named by its cue sheet is missing";
        return nullptr;
    }
    files.push_back(*image);
    return OpenBinCue(*text, *image, problem);
}

// The mode of a raw image's data track, from the header of sector 16 (where
// every data disc keeps its first volume descriptor); nothing when the image
// is not made of raw 2352-byte sectors.
std::optional<int> RawSectorMode(const std::string& image) {
    constexpr std::array<unsigned char, 12> sync = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::array<unsigned char, 16> header{};
    std::ifstream file(image, std::ios::binary);
    file.seekg(16 * rawSectorSize);
    file.read(reinterpret_cast<char*>(header.data()), header.size());
    if (!file || !std::equal(sync.begin(), sync.end(), header.begin()) ||
        (header[15] != 1 && header[15] != 2))
        return std::nullopt;
    return header[15];
}

// A .bin on its own: its cue sheet beside it (found without regard to case),
// else one data track over the whole image, in the mode its sectors show.
std::unique_ptr<SectorReader> OpenBinImage(const std::string& path, std::string& problem,
                                           std::vector<std::string>& files) {
    const std::string folder = FolderOf(path);
    const std::string cueName = std::string(NameWithoutExtension(path, kHostSeparators)) + ".cue";
    if (const std::optional<std::string> cue = FindHostName(folder, cueName)) {
        const std::optional<std::string> text = ReadCueSheet(folder + "/" + *cue);
        if (text && CueImageFile(*text, problem)) {
            files.push_back(folder + "/" + *cue);
            return OpenBinCue(*text, path, problem);
        }
    }
    const std::optional<int> mode = RawSectorMode(path);
    if (!mode) {
        problem = "it is not an image of raw CD sectors";
        return nullptr;
    }
    const std::string cueText = "FILE \"disc.bin\" BINARY\n  TRACK 01 MODE" +
                                std::to_string(*mode) + "/2352\n    INDEX 01 00:00:00\n";
    return OpenBinCue(cueText, path, problem);
}

std::unique_ptr<SectorReader> OpenIsoImage(const std::string& path, std::string& problem) {
    RouteCdioLog();
    IsoImageHandle image(iso9660_open_ext(path.c_str(), ISO_EXTENSION_NONE));
    if (!image) {
        problem = "it is not an ISO 9660 image";
        return nullptr;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        problem = "it cannot be read";
        return nullptr;
    }
    const auto sectors = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(status.st_size) / kDataSectorSize,
                                std::numeric_limits<std::uint32_t>::max()));
    return std::make_unique<IsoImageSectorReader>(std::move(image), sectors);
}

} // namespace

std::unique_ptr<SectorReader> OpenOpticalDrive(const std::string& device, std::string& problem) {
    return OpenCdio(device, DRIVER_DEVICE, nullptr, problem);
}

std::unique_ptr<SectorReader> OpenDiscImage(const std::string& path, std::string& problem,
                                            std::vector<std::string>& files) {
    if (!IsPlainFile(path)) {
        problem = "its image " + path + " is missing";
        return nullptr;
    }
    files = {path};
    const std::string extension = Extension(path);
    if (extension == ".cue")
        return OpenCueSheet(path, problem, files);
    if (extension == ".bin")
        return OpenBinImage(path, problem, files);
    return OpenIsoImage(path, problem);
}

} // namespace platform
