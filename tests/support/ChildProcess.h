#pragma once
// Programs the tests run beside them: the media makers, the FUSE mirror, the
// drive tool, mpv. Started with posix_spawn, not QProcess: Qt starts a child
// in the parent's memory, and the child's first calls there go through the
// thread checker as the parent's own thread, which then stays unchecked (its
// locks unseen) for the rest of the test.
#include <chrono>
#include <optional>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

struct ChildOptions {
    QString workingDirectory; // empty: this process's
    // Set over this process's environment.
    std::vector<std::pair<QString, QString>> environment;
};

class ChildProcess {
public:
    // Starts `program` (looked up in PATH) with its output and errors piped.
    ChildProcess(const QString& program, const QStringList& arguments,
                 const ChildOptions& options = {});
    // Kills the child if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The next line of output without its end, waiting up to `bound` for it;
    // nothing when none comes or the output has ended.
    std::optional<std::string> ReadLine(std::chrono::milliseconds bound);
    // Waits up to `bound` for the child to end, taking in what it writes;
    // false when it still runs.
    bool WaitForExit(std::chrono::milliseconds bound);
    void Kill();

    // Its exit status; -1 until it has ended, and when a signal ended it.
    int ExitCode() const { return exitCode_; }
    // What it wrote that was not read as lines.
    const std::string& Output() const { return output_; }
    const std::string& Errors() const { return errors_; }

private:
    // Takes in what the pipes hold, waiting up to `bound` for anything;
    // false when nothing happened.
    bool TakeIn(std::chrono::milliseconds bound);
    bool Reap(bool wait);

    int pid_ = -1;
    int outputPipe_ = -1;
    int errorPipe_ = -1;
    bool ended_ = false;
    int exitCode_ = -1;
    std::string output_;
    std::string errors_;
};

struct ChildResult {
    bool ended; // within the bound
    int exitCode;
    std::string output;
    std::string errors;
};

// Runs `program` to its end, or for `bound` at most.
ChildResult RunChild(const QString& program, const QStringList& arguments,
                     const ChildOptions& options = {},
                     std::chrono::milliseconds bound = std::chrono::minutes(2));
