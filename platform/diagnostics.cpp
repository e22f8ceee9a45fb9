#include "platform/diagnostics.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

namespace platform {
namespace {
// Problems are reported from any thread (mpv's, a disc reader's) while the
// program may be installing or removing its sink. The sink is called under
// the lock, so that once SetProblemSink returns the old sink is called no
// more and what it writes to may go; the lock is recursive, so that a sink
// may itself report.
struct Sink {
    std::recursive_mutex mutex;
    ProblemSink sink;
};

Sink& currentSink() {
    static Sink sink;
    return sink;
}
} // namespace

void ReportProblem(const std::string& text) {
    const std::lock_guard guard(currentSink().mutex);
    if (currentSink().sink)
        currentSink().sink(text);
    else
        std::fprintf(stderr, "quelvo: %s\n", text.c_str());
}

namespace {
struct SettingsProblems {
    std::mutex mutex;
    std::set<std::string> seen;
    std::vector<std::string> waiting;
};

SettingsProblems& settingsProblems() {
    static SettingsProblems problems;
    return problems;
}
} // namespace

void ReportSettingsProblem(const std::string& text) {
    ReportProblem(text);
    SettingsProblems& problems = settingsProblems();
    const std::lock_guard guard(problems.mutex);
    if (problems.seen.insert(text).second)
        problems.waiting.push_back(text);
}

std::vector<std::string> TakeSettingsProblems() {
    SettingsProblems& problems = settingsProblems();
    const std::lock_guard guard(problems.mutex);
    return std::exchange(problems.waiting, {});
}

ProblemSink SetProblemSink(ProblemSink sink) {
    const std::lock_guard guard(currentSink().mutex);
    return std::exchange(currentSink().sink, std::move(sink));
}

} // namespace platform
