#include "platform/registry/hive_file.h"

#include "platform/diagnostics.h"
#include "platform/registry/hive_format.h"
#include "platform/registry/transaction.h"
#include "platform/store/atomic_file.h"
#include "platform/store/config_dir.h"
#include "platform/store/file_lock.h"

#include <map>
#include <mutex>

namespace platform::registry {
namespace {

LONG ErrorOf(const store::Status& status) {
    switch (status.outcome) {
    case store::Outcome::ok:
        return ERROR_SUCCESS;
    case store::Outcome::notFound:
    case store::Outcome::accessDenied:
        return ERROR_ACCESS_DENIED;
    case store::Outcome::unusable:
    case store::Outcome::failed:
        break;
    }
    return ERROR_CANTWRITE;
}

// The last text of each file parsed, and what it parsed to: the many calls
// of one setting's read each read the file, but parse it again only when its
// text has changed.
struct ParsedText {
    std::string text;
    std::shared_ptr<const Hive> hive;
};

std::mutex parsedMutex;
std::map<std::string, ParsedText> parsedFiles;

void Remember(const std::string& path, std::string text, std::shared_ptr<const Hive> hive) {
    const std::lock_guard guard(parsedMutex);
    parsedFiles[path] = {std::move(text), std::move(hive)};
}

std::shared_ptr<const Hive> Remembered(const std::string& path, const std::string& text) {
    const std::lock_guard guard(parsedMutex);
    const auto found = parsedFiles.find(path);
    return found != parsedFiles.end() && found->second.text == text ? found->second.hive : nullptr;
}

enum class Parsed { ok, unreadable, damaged };

// Reads and parses the file; on trouble `problem` says what is wrong.
Parsed ParseFile(const std::string& path, std::string_view rootName,
                 std::shared_ptr<const Hive>& hive, std::string& problem) {
    std::string text;
    const store::Status read = store::ReadWholeFile(path, text);
    if (read.outcome == store::Outcome::notFound) {
        hive = std::make_shared<const Hive>();
        return Parsed::ok;
    }
    if (read.outcome == store::Outcome::unusable) {
        problem = "is not a registry file (" + read.message + ")";
        return Parsed::damaged;
    }
    if (!read.ok()) {
        problem = "cannot be read (" + read.message + ")";
        return Parsed::unreadable;
    }
    if ((hive = Remembered(path, text)))
        return Parsed::ok;
    HiveParseError error;
    std::optional<Hive> parsed = ParseHive(text, rootName, error);
    if (!parsed) {
        problem = "is damaged at line " + std::to_string(error.line) + " (" + error.reason + ")";
        return Parsed::damaged;
    }
    hive = std::make_shared<const Hive>(std::move(*parsed));
    Remember(path, std::move(text), hive);
    return Parsed::ok;
}

} // namespace

HiveFile::HiveFile(std::string path, std::string rootName)
    : path_(std::move(path)), rootName_(std::move(rootName)) {
}

std::shared_ptr<const Hive> HiveFile::Read() const {
    if (std::shared_ptr<const Hive> pending = PendingChangesOf(path_))
        return pending;
    std::shared_ptr<const Hive> hive;
    std::string problem;
    if (ParseFile(path_, rootName_, hive, problem) == Parsed::ok)
        return hive;

    // Trouble is dealt with under the lock only, so that a file another
    // process has just replaced with a sound one is never moved aside.
    store::FileLock lock;
    const store::Status locked = lock.Acquire(path_);
    Load(hive, locked.ok() ? std::string() : locked.message);
    return hive;
}

LONG HiveFile::CheckWritable() const {
    return store::CheckWritable(path_).ok() ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

bool HiveFile::ChangesNothing(const Change& change) const {
    Hive hive = *Read();
    bool changed = false;
    return change(hive, changed) == ERROR_SUCCESS && !changed;
}

LONG HiveFile::Update(const Change& change) const {
    LONG error = ERROR_SUCCESS;
    if (PendingHive* pending = PendingHiveOf(*this, error)) {
        Hive hive = *pending->hive;
        bool changed = false;
        if (const LONG decided = change(hive, changed); decided != ERROR_SUCCESS || !changed)
            return decided;
        if (!pending->writable)
            return ERROR_ACCESS_DENIED;
        pending->hive = std::make_shared<const Hive>(std::move(hive));
        pending->changed = true;
        return ERROR_SUCCESS;
    }
    if (error != ERROR_SUCCESS)
        return error;

    // A change that changes nothing needs neither the lock nor a write.
    if (ChangesNothing(change))
        return ERROR_SUCCESS;
    if (const LONG writable = CheckWritable(); writable != ERROR_SUCCESS)
        return writable;
    store::FileLock lock;
    if (const store::Status locked = lock.Acquire(path_); !locked.ok())
        return ErrorOf(locked);
    std::shared_ptr<const Hive> loaded;
    if (const LONG read = Load(loaded, {}); read != ERROR_SUCCESS)
        return read;
    Hive hive = *loaded;
    bool changed = false;
    if (const LONG decided = change(hive, changed); decided != ERROR_SUCCESS || !changed)
        return decided;
    return Save(hive);
}

LONG HiveFile::Save(const Hive& hive) const {
    const std::string text = FormatHive(hive, rootName_);
    // A hive the next start would refuse to read is not saved at all.
    if (text.size() > store::kMaxStoredFileBytes)
        return ERROR_CANTWRITE;
    if (const LONG saved = ErrorOf(store::WriteWholeFile(path_, text)); saved != ERROR_SUCCESS)
        return saved;
    Remember(path_, text, std::make_shared<const Hive>(hive));
    return ERROR_SUCCESS;
}

LONG HiveFile::Load(std::shared_ptr<const Hive>& hive, const std::string& lockProblem) const {
    std::string problem;
    const Parsed parsed = ParseFile(path_, rootName_, hive, problem);
    if (parsed == Parsed::ok)
        return ERROR_SUCCESS;
    hive = std::make_shared<const Hive>();
    const std::string file = "Registry file " + path_ + " " + problem;
    if (parsed == Parsed::unreadable) {
        ReportProblem(file + "; its settings are not used.");
        return ERROR_CANTREAD;
    }
    std::string keptAs;
    std::string moveProblem = lockProblem;
    if (moveProblem.empty())
        moveProblem = store::KeepAside(path_, "corrupt", keptAs).message;
    if (!moveProblem.empty()) {
        ReportSettingsProblem(file + "; it could not be moved aside (" + moveProblem +
                              ") and is left untouched; its settings are not used.");
        return ERROR_BADDB;
    }
    ReportSettingsProblem(file + "; it was moved to " + keptAs +
                          " and an empty one is used in its place.");
    return ERROR_SUCCESS;
}

HiveFile HiveFileOf(HKEY root) {
    if (root == HKEY_LOCAL_MACHINE)
        return HiveFile(store::ConfigDir() + "/system.reg", "HKEY_LOCAL_MACHINE");
    return HiveFile(store::ConfigDir() + "/user.reg", "HKEY_CURRENT_USER");
}

} // namespace platform::registry
