#include "platform/registry/hive_file.h"

#include "platform/diagnostics.h"
#include "platform/registry/hive_format.h"
#include "platform/store/atomic_file.h"
#include "platform/store/config_dir.h"
#include "platform/store/file_lock.h"

namespace platform::registry {
namespace {

LONG ErrorOf(const store::Status& status) {
    switch (status.outcome) {
    case store::Outcome::ok:
        return ERROR_SUCCESS;
    case store::Outcome::notFound:
    case store::Outcome::accessDenied:
        return ERROR_ACCESS_DENIED;
    case store::Outcome::failed:
        break;
    }
    return ERROR_CANTWRITE;
}

} // namespace

HiveFile::HiveFile(std::string path, std::string rootName)
    : path_(std::move(path)), rootName_(std::move(rootName)) {
}

Hive HiveFile::Read() const {
    std::string text;
    HiveParseError error;
    const store::Status read = store::ReadWholeFile(path_, text);
    if (read.outcome == store::Outcome::notFound)
        return Hive();
    if (read.ok())
        if (std::optional<Hive> hive = ParseHive(text, rootName_, error))
            return std::move(*hive);

    // Trouble is dealt with under the lock only, so that a file another
    // process has just replaced with a sound one is never moved aside.
    store::FileLock lock;
    const store::Status locked = lock.Acquire(path_);
    Hive hive;
    Load(hive, locked.ok() ? std::string() : locked.message);
    return hive;
}

LONG HiveFile::CheckWritable() const {
    return store::CheckWritable(path_).ok() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG HiveFile::Update(const Change& change) const {
    if (const LONG writable = CheckWritable(); writable != ERROR_SUCCESS)
        return writable;
    store::FileLock lock;
    if (const store::Status locked = lock.Acquire(path_); !locked.ok())
        return ErrorOf(locked);
    Hive hive;
    if (const LONG loaded = Load(hive, {}); loaded != ERROR_SUCCESS)
        return loaded;
    bool changed = false;
    if (const LONG decided = change(hive, changed); decided != ERROR_SUCCESS || !changed)
        return decided;
    return ErrorOf(store::WriteWholeFile(path_, FormatHive(hive, rootName_)));
}

LONG HiveFile::Load(Hive& hive, const std::string& lockProblem) const {
    std::string text;
    const store::Status read = store::ReadWholeFile(path_, text);
    if (read.outcome == store::Outcome::notFound)
        return ERROR_SUCCESS;
    if (!read.ok()) {
        ReportProblem("Registry file " + path_ + " cannot be read (" + read.message +
                      "); its settings are not used.");
        return ERROR_CANTREAD;
    }
    HiveParseError error;
    if (std::optional<Hive> parsed = ParseHive(text, rootName_, error)) {
        hive = std::move(*parsed);
        return ERROR_SUCCESS;
    }
    const std::string damage = "Registry file " + path_ + " is damaged at line " +
                               std::to_string(error.line) + " (" + error.reason + "); ";
    std::string keptAs;
    std::string problem = lockProblem;
    if (problem.empty())
        problem = store::KeepAside(path_, "corrupt", keptAs).message;
    if (!problem.empty()) {
        ReportProblem(damage + "it could not be moved aside (" + problem +
                      ") and is left untouched; its settings are not used.");
        return ERROR_BADDB;
    }
    ReportProblem(damage + "it was moved to " + keptAs + " and an empty one is used in its place.");
    return ERROR_SUCCESS;
}

HiveFile HiveFileOf(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE)
        return HiveFile(store::ConfigDir() + "/system.reg", "HKEY_LOCAL_MACHINE");
    return HiveFile(store::ConfigDir() + "/user.reg", "HKEY_CURRENT_USER");
}

} // namespace platform::registry
