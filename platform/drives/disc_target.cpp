#include "platform/drives/disc_target.h"

#include <filesystem>

namespace platform {
namespace fs = std::filesystem;

constexpr const char* kDiscImageKinds =
    "a disc image (.cue, .bin, .toc, .nrg, .ccd, .img, .mds, .mdf or .iso)";

DiscTarget ResolveDiscTarget(const std::string& text, bool devicesToo) {
    const std::string quoted = '"' + text + '"';
    std::error_code error;
    const fs::path target = fs::absolute(text, error).lexically_normal();
    const fs::file_status status = error ? fs::file_status() : fs::status(target, error);
    if (text.empty() || !fs::exists(status))
        throw EDriveMappingError(quoted + " does not exist");
    if (fs::is_directory(status))
        return {DriveKind::MappedFolder, target.string()};
    if (fs::is_regular_file(status) && IsDiscImageName(target.string()))
        return {DriveKind::MappedImage, target.string()};
    if (devicesToo && fs::is_block_file(status))
        return {DriveKind::OpticalDrive, target.string()};
    throw EDriveMappingError(
        quoted +
        (devicesToo ? " is neither a folder, an optical drive nor " : " is neither a folder nor ") +
        kDiscImageKinds);
}

} // namespace platform
