#pragma once
// One root's hive file: reading it, and changing it under the file's lock.
// A file that does not parse is never overwritten: it is moved aside, the
// problem is reported, and the root carries on empty.
#include "platform/registry/hive.h"

#include <functional>
#include <memory>
#include <string>

namespace platform::registry {

class HiveFile {
public:
    // Decides whether and what to change: returns ERROR_SUCCESS to go on
    // (setting `changed` when the hive must be saved) or an error that aborts
    // the update with nothing saved.
    using Change = std::function<LONG(Hive& hive, bool& changed)>;

    HiveFile(std::string path, std::string rootName);

    // The hive as the file holds it now (or as this thread's open
    // transaction has changed it). Never fails: a missing, unreadable or
    // damaged file (reported) reads as an empty hive. The file is parsed
    // again only when its text has changed since it was last read.
    std::shared_ptr<const Hive> Read() const;

    // ERROR_SUCCESS when the file could be changed, else ERROR_ACCESS_DENIED.
    LONG CheckWritable() const;

    // One locked read-change-save cycle; inside a RegistryTransaction the
    // save waits for its Commit. A change that changes nothing (judged on an
    // unlocked read) neither locks nor writes, so it succeeds on a file that
    // cannot be written or whose lock another process holds.
    // ERROR_ACCESS_DENIED when the file or its folder cannot be written,
    // ERROR_CANTREAD when the file cannot be read, ERROR_BADDB when a damaged
    // file cannot be moved aside, ERROR_CANTWRITE when the file cannot be
    // locked or saved (or would outgrow the size a hive may have); otherwise
    // what `change` returns.
    LONG Update(const Change& change) const;

    const std::string& path() const { return path_; }
    const std::string& rootName() const { return rootName_; }

    // Saves `hive` over the file; the caller holds the file's lock.
    LONG Save(const Hive& hive) const;

    // Reads and parses the file; on failure (reported) `hive` is empty. A
    // damaged file is moved aside when the caller holds the lock
    // (`lockProblem` empty), else it is left as it is.
    LONG Load(std::shared_ptr<const Hive>& hive, const std::string& lockProblem) const;

private:
    // Whether `change` leaves the hive as it is, judged on an unlocked read.
    bool ChangesNothing(const Change& change) const;

    std::string path_;
    std::string rootName_;
};

// The file of `root`, HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, in the
// configuration folder as it is now.
HiveFile HiveFileOf(HKEY root);

} // namespace platform::registry
