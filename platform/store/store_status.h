#pragma once
#include <string>

namespace platform::store {

enum class Outcome {
    ok,
    notFound,     // the file does not exist
    accessDenied, // the location refuses this process (rights, read-only, blocked path)
    unusable,     // there, but not something a stored file can be: a folder, a device,
                  // a pipe, or larger than kMaxStoredFileBytes
    failed,       // anything else: disk full, I/O error, ...
};

// The result of one file operation: what happened, and for anything but
// success a sentence naming the file and the reason, fit for a report.
struct Status {
    Outcome outcome = Outcome::ok;
    std::string message;

    bool ok() const { return outcome == Outcome::ok; }
};

} // namespace platform::store
