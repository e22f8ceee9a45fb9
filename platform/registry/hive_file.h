#pragma once
// One root's hive file: reading it, and changing it under the file's lock.
// A file that does not parse is never overwritten: it is moved aside, the
// problem is reported, and the root carries on empty.
#include "platform/registry/hive.h"

#include <functional>
#include <string>

namespace platform::registry {

class HiveFile {
public:
    // Decides whether and what to change: returns ERROR_SUCCESS to go on
    // (setting `changed` when the hive must be saved) or an error that aborts
    // the update with nothing saved.
    using Change = std::function<LONG(Hive& hive, bool& changed)>;

    HiveFile(std::string path, std::string rootName);

    // The hive as the file holds it now. Never fails: a missing, unreadable
    // or damaged file (reported) reads as an empty hive.
    Hive Read() const;

    // ERROR_SUCCESS when the file could be changed, else ERROR_ACCESS_DENIED.
    LONG CheckWritable() const;

    // One locked read-change-save cycle. ERROR_ACCESS_DENIED when the file or
    // its folder cannot be written, ERROR_CANTREAD when the file cannot be
    // read, ERROR_BADDB when a damaged file cannot be moved aside,
    // ERROR_CANTWRITE when saving fails; otherwise what `change` returns.
    LONG Update(const Change& change) const;

private:
    // Reads and parses the file; on failure (reported) `hive` is left empty.
    // A damaged file is moved aside when the caller holds the lock
    // (`lockProblem` empty), else it is left as it is.
    LONG Load(Hive& hive, const std::string& lockProblem) const;

    std::string path_;
    std::string rootName_;
};

// The file of `root`, HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, in the
// configuration folder as it is now.
HiveFile HiveFileOf(HKEY root);

} // namespace platform::registry
