#include "platform/profile/profile_file.h"

#include "platform/ascii_case.h"
#include "platform/diagnostics.h"
#include "platform/store/atomic_file.h"
#include "platform/store/config_dir.h"
#include "platform/store/file_lock.h"

namespace platform::profile {

std::string WindowsFolder() {
    return store::ConfigDir() + "/windows";
}

std::string ProfilePath(const std::string& fileName) {
    if (!fileName.empty() && fileName.front() == '/')
        return fileName;
    // Windows file names ignore letter case: WIN.INI is win.ini.
    std::string relative = AsciiLower(fileName);
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    return WindowsFolder() + "/" + relative;
}

std::string ReadProfileText(const std::string& path) {
    std::string text;
    const store::Status read = store::ReadWholeFile(path, text);
    if (read.outcome == store::Outcome::notFound)
        return {};
    if (!read.ok()) {
        ReportProblem("Profile file " + path + " cannot be read (" + read.message + ")");
        return {};
    }
    return text;
}

namespace {

// The file's text, or nothing when it does not exist yet. False when it
// exists but cannot be read; that is reported when `report` is set.
bool ReadCurrentText(const std::string& path, std::optional<std::string>& text, bool report) {
    std::string contents;
    const store::Status read = store::ReadWholeFile(path, contents);
    if (read.ok())
        text = std::move(contents);
    else if (read.outcome == store::Outcome::notFound)
        text.reset();
    else if (report)
        ReportProblem("Profile file " + path + " cannot be read (" + read.message +
                      "); it is left unchanged");
    return read.ok() || read.outcome == store::Outcome::notFound;
}

} // namespace

bool UpdateProfileText(const std::string& path, const ProfileChange& change) {
    // Most calls change nothing (the entry is already there): that is decided
    // on an unlocked read, so a lock held elsewhere costs them nothing.
    std::optional<std::string> text;
    if (ReadCurrentText(path, text, false) && !change(text))
        return true;

    store::FileLock lock;
    store::Status ready = store::CheckWritable(path);
    if (ready.ok())
        ready = lock.Acquire(path);
    if (!ready.ok()) {
        ReportProblem("Profile file " + path + " cannot be changed (" + ready.message + ")");
        return false;
    }
    if (!ReadCurrentText(path, text, true))
        return false;
    if (!change(text))
        return true;
    if (const store::Status saved = store::WriteWholeFile(path, *text); !saved.ok()) {
        ReportProblem("Profile file " + path + " cannot be saved (" + saved.message + ")");
        return false;
    }
    return true;
}

} // namespace platform::profile
