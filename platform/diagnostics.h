#pragma once
// Problems the platform layer notices but cannot hand to the program as an
// error (a hive kept aside, a library's own log line) go here instead of
// straight to stderr, so that tests can watch them and nothing is lost.
#include <functional>
#include <string>

namespace platform {

using ProblemSink = std::function<void(const std::string& text)>;

// Reports one problem: to the installed sink, or to stderr when none is set.
void ReportProblem(const std::string& text);

// Installs a sink (an empty one restores stderr); returns the previous one.
ProblemSink SetProblemSink(ProblemSink sink);

} // namespace platform
