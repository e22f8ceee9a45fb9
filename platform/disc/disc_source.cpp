#include "platform/disc/disc_source.h"

#include "platform/ascii_case.h"
#include "platform/disc/alcohol_descriptor.h"
#include "platform/disc/cdio_log.h"
#include "platform/disc/cdio_sector_reader.h"
#include "platform/disc/cdrdao_table.h"
#include "platform/disc/clone_cd_sheet.h"
#include "platform/disc/cue_sheet.h"
#include "platform/disc/image_sector_reader.h"
#include "platform/disc/iso_image_sector_reader.h"
#include "platform/disc/lone_image.h"
#include "platform/disc/nero_image.h"
#include "platform/io/host_names.h"
#include "platform/paths/path_parts.h"

#include <fstream>
#include <limits>
#include <sys/stat.h>

namespace platform {
namespace {

using Opened = std::unique_ptr<SectorReader>;

std::optional<std::uint64_t> PlainFileSize(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}

std::string Extension(const std::string& path) {
    return AsciiLower(ExtensionPart(path, kHostSeparators));
}

// `count` bytes of `path` from `offset` (fewer at its end); nothing when it
// cannot be read.
std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& path, std::uint64_t offset,
                                                   std::size_t count) {
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(count);
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    if (file.bad() || (!file && !file.eof()))
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

std::optional<std::string> ReadText(const std::string& path) {
    const std::optional<std::vector<std::uint8_t>> bytes = ReadBytes(path, 0, kLargestSheet + 1);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::optional<ImageFile> HostImageFile(const std::string& path) {
    const std::optional<std::uint64_t> size = PlainFileSize(path);
    if (!size)
        return std::nullopt;
    return ImageFile{path, *size};
}

// Finds what a sheet in `folder` names, as cue sheets name their files.
FindImageFile FindBeside(const std::string& folder) {
    return [folder](std::string_view written) -> std::optional<ImageFile> {
        const std::optional<std::string> path = LocateCueImage(folder, written);
        return path ? HostImageFile(*path) : std::nullopt;
    };
}

// The file beside `path` with its name and the extension `extension`, in any
// letter case.
std::optional<std::string> Beside(const std::string& path, std::string_view extension) {
    const std::string folder = FolderOf(path);
    const std::string name = std::string(NameWithoutExtension(path, kHostSeparators));
    const std::optional<std::string> found = FindHostName(folder, name + std::string(extension));
    if (!found)
        return std::nullopt;
    return folder + "/" + *found;
}

// A copy that kept 2048 bytes of each sector lost every Form 2 payload: the
// video of a Video CD.
bool WasCopiedAsDataDisc(SectorReader& reader) {
    std::vector<std::uint8_t> descriptor(kDataSectorSize);
    std::vector<std::uint8_t> payload(kForm2PayloadSize);
    return reader.ReadData(16, 1, descriptor.data()) && IsVideoCdDescriptor(descriptor) &&
           !reader.ReadForm2(16, 1, payload.data());
}

bool KeepsDataAloneAtTheVolumeDescriptor(const ImageLayout& layout) {
    constexpr std::uint32_t descriptor = 16;
    for (const ImageExtent& extent : layout.Extents())
        if (extent.lsn <= descriptor && descriptor - extent.lsn < extent.sectors)
            return extent.format == SectorFormat::Data;
    return false;
}

Opened OpenLayout(std::optional<ImageLayout> layout, std::string& problem,
                  std::vector<std::string>& files) {
    if (!layout)
        return nullptr;
    for (const ImageFile& file : layout->Files())
        if (std::find(files.begin(), files.end(), file.path) == files.end())
            files.push_back(file.path);
    // Only sectors kept at 2048 bytes can have lost their video. Other images
    // are not read at all here: the disc scan opens them on the GUI thread,
    // and a stalling drive would hold it.
    const bool dataAlone = KeepsDataAloneAtTheVolumeDescriptor(*layout);
    Opened reader = ImageSectorReader::Open(std::move(*layout), problem);
    if (reader && dataAlone && WasCopiedAsDataDisc(*reader)) {
        problem = "it is a Video CD copied as a data disc, which keeps 2048 of each sector's "
                  "2324 bytes: the video was lost in the copy";
        return nullptr;
    }
    return reader;
}

std::optional<ImageLayout> SheetLayout(const std::string& path, std::string& problem,
                                       decltype(&CueLayout) parse, const FindImageFile& find) {
    const std::optional<std::string> text = ReadText(path);
    if (!text) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    return parse(*text, find, problem);
}

std::optional<ImageLayout> LoneLayout(const std::string& path, std::string& problem) {
    const std::optional<ImageFile> image = HostImageFile(path);
    const auto head = image ? ReadBytes(path, 0, kLoneImageHead) : std::nullopt;
    if (!head) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    return LoneImageLayout(*head, *image, problem);
}

std::optional<ImageLayout> NeroImageLayout(const std::string& path, std::string& problem) {
    const std::optional<ImageFile> image = HostImageFile(path);
    const std::size_t tail =
        image ? static_cast<std::size_t>(std::min<std::uint64_t>(image->size, kNeroTailSize)) : 0;
    const auto bytes = image ? ReadBytes(path, image->size - tail, tail) : std::nullopt;
    if (!bytes || bytes->size() != tail) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    return NeroLayout(*bytes, *image, problem);
}

std::optional<ImageLayout> CloneCdImageLayout(const std::string& sheet, const std::string& image,
                                              std::string& problem) {
    const std::optional<std::string> text = ReadText(sheet);
    const std::optional<ImageFile> file = HostImageFile(image);
    if (!text || !file) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    return CloneCdLayout(*text, *file, problem);
}

std::optional<ImageLayout> AlcoholImageLayout(const std::string& descriptor, std::string& problem) {
    const auto bytes = ReadBytes(descriptor, 0, kLargestDescriptor + 1);
    if (!bytes) {
        problem = "it cannot be read";
        return std::nullopt;
    }
    const std::optional<std::string> written = AlcoholDataFile(*bytes, problem);
    if (!written)
        return std::nullopt;
    const std::optional<std::string> data = *written == "*.mdf"
                                                ? Beside(descriptor, ".mdf")
                                                : LocateCueImage(FolderOf(descriptor), *written);
    const std::optional<ImageFile> file = data ? HostImageFile(*data) : std::nullopt;
    if (!file) {
        problem = "its data file " + *written + " is missing";
        return std::nullopt;
    }
    return AlcoholLayout(*bytes, *file, problem);
}

// A .bin, .img or .mdf on its own: the sheet beside it that describes it (found without
// regard to case), else one data track over the whole image in the sector size it shows.
std::optional<ImageLayout> ImageFileLayout(const std::string& path, std::string& problem,
                                           std::vector<std::string>& files) {
    if (const std::optional<std::string> cue = Beside(path, ".cue")) {
        // The sheet may name the image as it was called where it was made.
        const FindImageFile beside = FindBeside(FolderOf(path));
        const FindImageFile find = [&](std::string_view written) {
            const std::optional<ImageFile> found = beside(written);
            return found ? found : HostImageFile(path);
        };
        std::string sheetProblem;
        if (std::optional<ImageLayout> layout = SheetLayout(*cue, sheetProblem, CueLayout, find)) {
            files.push_back(*cue);
            return layout;
        }
    }
    if (const std::optional<std::string> sheet = Beside(path, ".ccd")) {
        files.push_back(*sheet);
        return CloneCdImageLayout(*sheet, path, problem);
    }
    if (const std::optional<std::string> descriptor = Beside(path, ".mds")) {
        files.push_back(*descriptor);
        return AlcoholImageLayout(*descriptor, problem);
    }
    return LoneLayout(path, problem);
}

std::optional<ImageLayout> CloneCdSheetLayout(const std::string& path, std::string& problem) {
    const std::optional<std::string> image = Beside(path, ".img");
    if (!image) {
        problem = "its image file " + std::string(NameWithoutExtension(path, kHostSeparators)) +
                  ".img is missing";
        return std::nullopt;
    }
    return CloneCdImageLayout(path, *image, problem);
}

Opened OpenCdio(const std::string& source, driver_id_t driver, std::string& problem) {
    RouteCdioLog();
    CdioHandle handle(cdio_open(source.c_str(), driver));
    if (!handle) {
        problem = "it cannot be opened";
        return nullptr;
    }
    // `cdio_open` succeeds on a drive without a disc: a disc is there only when it has
    // tracks and a mode, and the first track holds data.
    CdIo_t* cdio = handle.get();
    const track_t tracks = cdio_get_num_tracks(cdio);
    const discmode_t mode = cdio_get_discmode(cdio);
    if (tracks == CDIO_INVALID_TRACK || tracks == 0 || mode == CDIO_DISC_MODE_NO_INFO ||
        mode == CDIO_DISC_MODE_ERROR) {
        problem = "there is no disc in it";
        return nullptr;
    }
    const track_format_t format = cdio_get_track_format(cdio, cdio_get_first_track_num(cdio));
    if (format != TRACK_FORMAT_DATA && format != TRACK_FORMAT_XA) {
        problem = "the disc holds no data";
        return nullptr;
    }
    return std::make_unique<CdioSectorReader>(std::move(handle));
}

Opened OpenIsoImage(const std::string& path, std::uint64_t size, std::string& problem) {
    RouteCdioLog();
    IsoImageHandle image(iso9660_open_ext(path.c_str(), ISO_EXTENSION_NONE));
    if (!image) {
        problem = "it is not an ISO 9660 image";
        return nullptr;
    }
    const auto sectors = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(size / kDataSectorSize, std::numeric_limits<std::uint32_t>::max()));
    Opened reader = std::make_unique<IsoImageSectorReader>(std::move(image), sectors);
    if (WasCopiedAsDataDisc(*reader)) {
        problem = "it is a Video CD copied as a data disc, which keeps 2048 of each sector's "
                  "2324 bytes: the video was lost in the copy";
        return nullptr;
    }
    return reader;
}

Opened OpenImageOfKind(const std::string& path, std::uint64_t size, std::string& problem,
                       std::vector<std::string>& files) {
    const std::string extension = Extension(path);
    if (extension == ".cue")
        return OpenLayout(SheetLayout(path, problem, CueLayout, FindBeside(FolderOf(path))),
                          problem, files);
    if (extension == ".toc")
        return OpenLayout(SheetLayout(path, problem, CdrdaoLayout, FindBeside(FolderOf(path))),
                          problem, files);
    if (extension == ".nrg")
        return OpenLayout(NeroImageLayout(path, problem), problem, files);
    if (extension == ".ccd")
        return OpenLayout(CloneCdSheetLayout(path, problem), problem, files);
    if (extension == ".mds")
        return OpenLayout(AlcoholImageLayout(path, problem), problem, files);
    if (extension == ".bin" || extension == ".img" || extension == ".mdf")
        return OpenLayout(ImageFileLayout(path, problem, files), problem, files);
    return OpenIsoImage(path, size, problem);
}

} // namespace

std::unique_ptr<SectorReader> OpenOpticalDrive(const std::string& device, std::string& problem) {
    return OpenCdio(device, DRIVER_DEVICE, problem);
}

std::unique_ptr<SectorReader> OpenDiscImage(const std::string& path, std::string& problem,
                                            std::vector<std::string>& files) {
    const std::optional<std::uint64_t> size = PlainFileSize(path);
    if (!size) {
        problem = "its image " + path + " is missing";
        return nullptr;
    }
    files = {path};
    Opened reader = OpenImageOfKind(path, *size, problem, files);
    if (!reader && problem.find(path) == std::string::npos)
        problem = "its image " + path + " cannot be played: " + problem;
    return reader;
}

} // namespace platform
