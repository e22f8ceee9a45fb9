#include "platform/mci/mci.h"

#include <algorithm>
#include <cstring>
#include <QCoreApplication>

namespace platform {
namespace {

struct ErrorText {
    MCIERROR code;
    const char* text;
};

// Written for the person watching the player: what went wrong and, where
// there is one, what to do about it.
constexpr ErrorText errorTexts[] = {
    {MCIERR_INVALID_DEVICE_ID, QT_TRANSLATE_NOOP("MCIErrors", "The media device is not open.")},
    {MCIERR_UNRECOGNIZED_COMMAND,
     QT_TRANSLATE_NOOP("MCIErrors", "The media device does not know this command.")},
    {MCIERR_INVALID_DEVICE_NAME,
     QT_TRANSLATE_NOOP(
         "MCIErrors",
         "The media device type registered for this kind of file has no driver. Repair the file "
         "association from the About box.")},
    {MCIERR_CANNOT_LOAD_DRIVER,
     QT_TRANSLATE_NOOP(
         "MCIErrors",
         "The driver registered for this kind of file does not exist. Repair the file association "
         "from the About box.")},
    {MCIERR_DRIVER_INTERNAL, QT_TRANSLATE_NOOP("MCIErrors", "The media driver failed to start.")},
    {MCIERR_MISSING_PARAMETER,
     QT_TRANSLATE_NOOP("MCIErrors", "The media command lacks a required value.")},
    {MCIERR_UNSUPPORTED_FUNCTION,
     QT_TRANSLATE_NOOP("MCIErrors", "The media device cannot do this.")},
    {MCIERR_FILE_NOT_FOUND, QT_TRANSLATE_NOOP("MCIErrors", "The media file cannot be found.")},
    {MCIERR_DEVICE_NOT_READY,
     QT_TRANSLATE_NOOP("MCIErrors", "The media file did not finish loading in time.")},
    {MCIERR_EXTENSION_NOT_FOUND,
     QT_TRANSLATE_NOOP(
         "MCIErrors",
         "No media device is registered for this file's extension. Repair the file association "
         "from the About box; that needs the file win.ini in the player's settings folder to be "
         "one it can read and write.")},
    {MCIERR_OUTOFRANGE, QT_TRANSLATE_NOOP("MCIErrors", "The position lies outside the media.")},
    {MCIERR_FLAGS_NOT_COMPATIBLE,
     QT_TRANSLATE_NOOP("MCIErrors",
                       "The media command was given options that exclude each other.")},
    {MCIERR_BAD_TIME_FORMAT,
     QT_TRANSLATE_NOOP("MCIErrors", "The media device cannot count time in this format.")},
    {MCIERR_INVALID_FILE,
     QT_TRANSLATE_NOOP("MCIErrors", "The file is not in a format the media device can play.")},
    {MCIERR_NULL_PARAMETER_BLOCK,
     QT_TRANSLATE_NOOP("MCIErrors", "The media command was given no values.")},
    {MCIERR_NONAPPLICABLE_FUNCTION,
     QT_TRANSLATE_NOOP("MCIErrors", "The media device cannot do this in its present state.")},
    {MCIERR_FILENAME_REQUIRED,
     QT_TRANSLATE_NOOP("MCIErrors", "The media device needs a file name to open.")},
    {MCIERR_NO_WINDOW,
     QT_TRANSLATE_NOOP("MCIErrors", "The window given for the video does not exist.")},
    {MCIERR_CREATEWINDOW, QT_TRANSLATE_NOOP("MCIErrors", "The video window cannot be created.")},
    {MCIERR_FILE_READ, QT_TRANSLATE_NOOP("MCIErrors", "The media file cannot be read.")},
};

} // namespace

// The text in the user's language, as UTF-8. A text cut to fit the buffer is
// cut between characters, never inside one.
BOOL mciGetErrorStringA(MCIERROR error, char* buffer, UINT length) {
    const char* source = nullptr;
    for (const ErrorText& entry : errorTexts)
        if (entry.code == error)
            source = entry.text;
    if (!buffer || length == 0)
        return 0;
    const QByteArray text =
        source ? QCoreApplication::translate("MCIErrors", source).toUtf8() : QByteArray();
    std::size_t copied = std::min<std::size_t>(text.size(), length - 1);
    while (copied > 0 && copied < static_cast<std::size_t>(text.size()) &&
           (static_cast<unsigned char>(text[copied]) & 0xC0) == 0x80)
        --copied;
    std::memcpy(buffer, text.constData(), copied);
    buffer[copied] = '\0';
    return source ? 1 : 0;
}

} // namespace platform
