#pragma once
// Whole-file reads and crash-safe whole-file replacement. A reader sees the
// old contents or the new ones, never a mixture, and a crash at any moment
// leaves one of the two on disk.
#include "platform/store/store_status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::store {

// No settings or profile file a person keeps comes near this size; a larger
// one is damaged or not one of ours, and reading it would only eat memory.
constexpr std::size_t kMaxStoredFileBytes = std::size_t{16} << 20;

// Reads the whole file into `contents`; a missing file is Outcome::notFound.
// Only a regular file of at most kMaxStoredFileBytes is read; anything else
// (a folder, a pipe, a device, a link to one) is Outcome::unusable, and
// nothing ever waits on it.
Status ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the file with `contents`: a hidden temporary file in the same
// folder is written and flushed to disk, renamed over the file, and the folder
// is flushed. A symbolic link is saved through: its target is replaced, in the
// target's folder, and the link stays. Creates the folder when it is missing;
// keeps an existing file's owner, group and permissions where the system
// allows (new files are private to the user). Temporary copies that saves
// killed long ago left behind are removed first; no other file is touched.
Status WriteWholeFile(const std::string& path, std::string_view contents);

// Creates the folder of `path` if needed and checks that the file could be
// replaced and locked there, without changing anything else.
Status CheckWritable(const std::string& path);

// Renames the file to "<path>.<tag>-YYYYMMDD-HHMMSS" (local time), adding
// "-2", "-3", ... when that name is taken: an existing file is never replaced.
// `keptAs` receives the new name.
Status KeepAside(const std::string& path, std::string_view tag, std::string& keptAs);

} // namespace platform::store
