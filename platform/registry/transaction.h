#pragma once
// Several registry changes saved as one: a process killed in the middle
// leaves either all of them on disk or none.
#include "platform/registry/hive_file.h"
#include "platform/store/file_lock.h"

#include <map>
#include <memory>
#include <string>

namespace platform {

// While one is open, the registry calls of this thread change the hives in
// memory only (reads on this thread see the changes), holding the lock of
// each hive file they change until the end. Commit saves each changed hive
// with one write; a transaction dropped without Commit saves nothing.
class RegistryTransaction {
public:
    RegistryTransaction();
    ~RegistryTransaction();
    RegistryTransaction(const RegistryTransaction&) = delete;
    RegistryTransaction& operator=(const RegistryTransaction&) = delete;

    // ERROR_SUCCESS, or the error of the first save that failed.
    LONG Commit();
};

namespace registry {

// One hive file as an open transaction holds it.
struct PendingHive {
    std::string rootName;
    std::shared_ptr<const Hive> hive;
    store::FileLock lock;
    bool writable = false; // locked and loaded under the lock
    bool changed = false;
};

// The state of `file` in this thread's open transaction, taken up (locked
// and loaded) on first use; null outside a transaction, and null with
// `error` set when the file cannot be locked or loaded.
PendingHive* PendingHiveOf(const HiveFile& file, LONG& error);

// The changed hive of `path` in this thread's open transaction, if any.
std::shared_ptr<const Hive> PendingChangesOf(const std::string& path);

} // namespace registry
} // namespace platform
