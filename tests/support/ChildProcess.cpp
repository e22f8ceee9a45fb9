#include "tests/support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> EnvironmentWith(const ChildOptions& options) {
    std::map<std::string, std::string> variables;
    for (char** each = environ; *each; ++each) {
        const std::string entry = *each;
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos)
            variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    for (const auto& [name, value] : options.environment)
        variables[name.toStdString()] = value.toStdString();
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& each : strings)
        pointers.push_back(each.data());
    pointers.push_back(nullptr);
    return pointers;
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

} // namespace

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments,
                           const ChildOptions& options) {
    int output[2];
    int errors[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return;
    if (pipe2(errors, O_CLOEXEC) != 0) {
        close(output[0]);
        close(output[1]);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string folder = options.workingDirectory.toStdString();
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

    std::vector<std::string> argv{program.toStdString()};
    for (const QString& argument : arguments)
        argv.push_back(argument.toStdString());
    std::vector<std::string> environment = EnvironmentWith(options);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(),
                                    Pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    close(errors[1]);
    if (failed != 0) {
        close(output[0]);
        close(errors[0]);
        errors_ = argv[0] + ": cannot be started";
        return;
    }
    pid_ = pid;
    outputPipe_ = output[0];
    errorPipe_ = errors[0];
}

ChildProcess::~ChildProcess() {
    if (Started() && !ended_) {
        Kill();
        Reap(true);
    }
    for (const int pipe : {outputPipe_, errorPipe_}) {
        if (pipe >= 0)
            close(pipe);
    }
}

bool ChildProcess::TakeIn(std::chrono::milliseconds bound) {
    pollfd pipes[2] = {{outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
    if (outputPipe_ < 0 && errorPipe_ < 0)
        return false;
    if (poll(pipes, 2, static_cast<int>(bound.count())) <= 0)
        return false;
    std::string* into[2] = {&output_, &errors_};
    int* ends[2] = {&outputPipe_, &errorPipe_};
    for (int which = 0; which < 2; ++which) {
        if (pipes[which].fd < 0 || pipes[which].revents == 0)
            continue;
        char buffer[4096];
        const ssize_t read = ::read(pipes[which].fd, buffer, sizeof buffer);
        if (read > 0) {
            into[which]->append(buffer, static_cast<std::size_t>(read));
        } else if (read == 0 || errno != EINTR) {
            close(*ends[which]);
            *ends[which] = -1;
        }
    }
    return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds bound) {
    const Clock::time_point deadline = Clock::now() + bound;
    for (;;) {
        if (const std::size_t end = output_.find('\n'); end != std::string::npos) {
            std::string line = output_.substr(0, end);
            output_.erase(0, end + 1);
            return line;
        }
        if (outputPipe_ < 0)
            return std::nullopt;
        const int left = MillisecondsLeft(deadline);
        if (!TakeIn(std::chrono::milliseconds(left)) && left == 0)
            return std::nullopt;
    }
}

bool ChildProcess::Reap(bool wait) {
    if (!Started() || ended_)
        return ended_;
    int status = 0;
    pid_t reaped;
    do {
        reaped = waitpid(pid_, &status, wait ? 0 : WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    if (reaped != pid_)
        return false;
    ended_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

bool ChildProcess::WaitForExit(std::chrono::milliseconds bound) {
    const Clock::time_point deadline = Clock::now() + bound;
    // The pipes close when the child ends, unless a child of its own keeps them.
    while ((outputPipe_ >= 0 || errorPipe_ >= 0) && Clock::now() < deadline)
        TakeIn(std::chrono::milliseconds(std::min(MillisecondsLeft(deadline), 100)));
    while (!Reap(false)) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

void ChildProcess::Kill() {
    if (Started() && !ended_)
        kill(pid_, SIGKILL);
}

ChildResult RunChild(const QString& program, const QStringList& arguments,
                     const ChildOptions& options, std::chrono::milliseconds bound) {
    ChildProcess child(program, arguments, options);
    const bool ended = child.Started() && child.WaitForExit(bound);
    return {ended, child.ExitCode(), child.Output(), child.Errors()};
}
