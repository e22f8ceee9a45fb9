#include "platform/registry/transaction.h"

#include <cassert>
#include <utility>

namespace platform {
namespace {

using Files = std::map<std::string, registry::PendingHive>;

thread_local Files* openTransaction = nullptr;

} // namespace

RegistryTransaction::RegistryTransaction() {
    assert(!openTransaction && "registry transactions do not nest");
    openTransaction = new Files;
}

RegistryTransaction::~RegistryTransaction() {
    delete std::exchange(openTransaction, nullptr);
}

LONG RegistryTransaction::Commit() {
    Files* files = std::exchange(openTransaction, nullptr);
    LONG result = ERROR_SUCCESS;
    for (auto& [path, pending] : *files) {
        if (!pending.changed)
            continue;
        const registry::HiveFile file(path, pending.rootName);
        if (const LONG saved = file.Save(*pending.hive);
            saved != ERROR_SUCCESS && result == ERROR_SUCCESS)
            result = saved;
    }
    delete files;
    return result;
}

namespace registry {

PendingHive* PendingHiveOf(const HiveFile& file, LONG& error) {
    error = ERROR_SUCCESS;
    if (!openTransaction)
        return nullptr;
    const auto [entry, added] = openTransaction->try_emplace(file.path());
    PendingHive& pending = entry->second;
    if (!added)
        return &pending;
    pending.rootName = file.rootName();
    pending.writable = file.CheckWritable() == ERROR_SUCCESS;
    if (!pending.writable) {
        // Changes that change nothing still succeed; the others are refused.
        pending.hive = file.Read();
        return &pending;
    }
    if (const store::Status locked = pending.lock.Acquire(file.path()); !locked.ok())
        error = ERROR_CANTWRITE;
    else
        error = file.Load(pending.hive, {});
    if (error == ERROR_SUCCESS)
        return &pending;
    openTransaction->erase(entry);
    return nullptr;
}

std::shared_ptr<const Hive> PendingChangesOf(const std::string& path) {
    if (!openTransaction)
        return nullptr;
    const auto found = openTransaction->find(path);
    return found == openTransaction->end() ? nullptr : found->second.hive;
}

} // namespace registry
} // namespace platform
