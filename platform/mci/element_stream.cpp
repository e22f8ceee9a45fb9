#include "platform/mci/element_stream.h"

#include "platform/files/drive_file_stream.h"
#include "platform/io/host_file_stream.h"
#include "platform/paths/drive_path.h"
#include "platform/winerror.h"

#include <mutex>
#include <utility>

namespace platform::mci {
namespace {

MCIERROR MediaError(DWORD fileError) {
    switch (fileError) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_INVALID_NAME:
        return MCIERR_FILE_NOT_FOUND;
    case ERROR_ACCESS_DENIED:
        return MCIERR_INVALID_FILE;
    default:
        return MCIERR_FILE_READ;
    }
}

// Read from the threads that read a disc's entries as well as the GUI thread.
struct InstalledOpener {
    std::mutex mutex;
    MediaOpener opener;
};

InstalledOpener& installedOpener() {
    static InstalledOpener installed;
    return installed;
}

MediaOpener currentOpener() {
    const std::lock_guard guard(installedOpener().mutex);
    return installedOpener().opener;
}

} // namespace

MCIERROR OpenMediaStream(const std::string& element, std::unique_ptr<MediaStream>& stream) {
    if (const MediaOpener opener = currentOpener())
        return opener(element, stream);
    if (NamesDrive(element))
        return MediaError(OpenDriveFileStream(element, stream));
    return MediaError(OpenHostFileStream(element, stream));
}

MediaOpener SetMediaOpener(MediaOpener opener) {
    const std::lock_guard guard(installedOpener().mutex);
    return std::exchange(installedOpener().opener, std::move(opener));
}

} // namespace platform::mci
