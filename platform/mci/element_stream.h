#pragma once
// The bytes of the element a driver plays. An element name becomes a stream
// in one place only, OpenMediaStream, so that files on discs read the same way
// as host files.
#include "platform/io/media_stream.h"
#include "platform/mci/mci.h"

#include <functional>
#include <memory>
#include <string>

namespace platform::mci {

using MediaOpener =
    std::function<MCIERROR(const std::string& element, std::unique_ptr<MediaStream>& stream)>;

// Opens `element`: a drive path ("E:\MPEGAV\AVSEQ01.DAT") through the drive
// table, as the file calls read it (on a disc, a Form 2 file reads as the
// payloads of its sectors), or else a path of this machine. 0 and the stream,
// or MCIERR_FILE_NOT_FOUND (also for a drive without a disc),
// MCIERR_INVALID_FILE (not a plain file) or MCIERR_FILE_READ. Safe on any thread.
MCIERROR OpenMediaStream(const std::string& element, std::unique_ptr<MediaStream>& stream);

// Puts `opener` in the place of host files for every later OpenMediaStream
// (an empty one restores host files) and returns the one it replaces. Set it
// on the GUI thread while no device is open.
MediaOpener SetMediaOpener(MediaOpener opener);

} // namespace platform::mci
