#pragma once
// Problems the platform layer notices but cannot hand to the program as an
// error (a hive kept aside, a library's own log line) go here instead of
// straight to stderr, so that tests can watch them and nothing is lost.
#include <functional>
#include <string>
#include <vector>

namespace platform {

using ProblemSink = std::function<void(const std::string& text)>;

// Reports one problem: to the installed sink, or to stderr when none is set.
void ReportProblem(const std::string& text);

// Reports a problem that costs the user settings of theirs (a damaged hive):
// as ReportProblem, and it is also kept for the program's window to show
// (TakeSettingsProblems). A text already reported is not kept again, so a
// problem met at every read is shown once.
void ReportSettingsProblem(const std::string& text);

// The settings problems kept since the last call, oldest first.
std::vector<std::string> TakeSettingsProblems();

// Installs a sink (an empty one restores stderr); returns the previous one.
ProblemSink SetProblemSink(ProblemSink sink);

} // namespace platform
