#pragma once
// The media errors' texts as the user reads them, written out here once so
// that a test expecting one does not take it from the lookup it checks.
#include "platform/mci/mci.h"

#include <string>
#include <utility>
#include <vector>

namespace PinnedErrorTexts {

inline const std::vector<std::pair<platform::MCIERROR, std::string>>& All() {
    using namespace platform;
    static const std::vector<std::pair<MCIERROR, std::string>> texts = {
        {MCIERR_INVALID_DEVICE_ID, "The media device is not open."},
        {MCIERR_UNRECOGNIZED_COMMAND, "The media device does not know this command."},
        {MCIERR_INVALID_DEVICE_NAME,
         "The media device type registered for this kind of file has no driver. Repair the file "
         "association from the About box."},
        {MCIERR_CANNOT_LOAD_DRIVER,
         "The driver registered for this kind of file does not exist. Repair the file association "
         "from the About box."},
        {MCIERR_DRIVER_INTERNAL, "The media driver failed to start."},
        {MCIERR_MISSING_PARAMETER, "The media command lacks a required value."},
        {MCIERR_UNSUPPORTED_FUNCTION, "The media device cannot do this."},
        {MCIERR_FILE_NOT_FOUND, "The media file cannot be found."},
        {MCIERR_DEVICE_NOT_READY, "The media file did not finish loading in time."},
        {MCIERR_EXTENSION_NOT_FOUND,
         "No media device is registered for this file's extension. Repair the file association "
         "from the About box; that needs the file win.ini in the player's settings folder to be "
         "one it can read and write."},
        {MCIERR_OUTOFRANGE, "The position lies outside the media."},
        {MCIERR_FLAGS_NOT_COMPATIBLE,
         "The media command was given options that exclude each other."},
        {MCIERR_BAD_TIME_FORMAT, "The media device cannot count time in this format."},
        {MCIERR_INVALID_FILE, "The file is not in a format the media device can play."},
        {MCIERR_NULL_PARAMETER_BLOCK, "The media command was given no values."},
        {MCIERR_NONAPPLICABLE_FUNCTION, "The media device cannot do this in its present state."},
        {MCIERR_FILENAME_REQUIRED, "The media device needs a file name to open."},
        {MCIERR_NO_WINDOW, "The window given for the video does not exist."},
        {MCIERR_CREATEWINDOW, "The video window cannot be created."},
        {MCIERR_FILE_READ, "The media file cannot be read."},
    };
    return texts;
}

// The text of `error`; empty for a code without one.
inline std::string Of(platform::MCIERROR error) {
    for (const auto& [code, text] : All())
        if (code == error)
            return text;
    return {};
}

} // namespace PinnedErrorTexts
