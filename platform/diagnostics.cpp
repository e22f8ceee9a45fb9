#include "platform/diagnostics.h"

#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

namespace platform {
namespace {
ProblemSink& currentSink() {
    static ProblemSink sink;
    return sink;
}
} // namespace

void ReportProblem(const std::string& text) {
    if (const ProblemSink& sink = currentSink())
        sink(text);
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
    return std::exchange(currentSink(), std::move(sink));
}

} // namespace platform
