#pragma once
// Small helpers shared by the store's files; not meant for callers outside it.
#include "platform/store/store_status.h"

#include <string>
#include <string_view>

namespace platform::store {

// Creates `folder` and every missing folder above it.
Status CreateFolders(const std::string& folder);

// Creates the folder of `path` if needed and opens (creating) the sidecar
// "<path>.lock" that carries the file's lock; the caller owns `descriptor`.
Status OpenLockFile(const std::string& path, int& descriptor);

// Turns a failed system call into a Status: "cannot <action> <path>: <reason>".
Status StatusFromErrno(int error, std::string_view action, const std::string& path);

} // namespace platform::store
