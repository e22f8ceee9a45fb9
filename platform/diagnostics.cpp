#include "platform/diagnostics.h"

#include <cstdio>
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

ProblemSink SetProblemSink(ProblemSink sink) {
    return std::exchange(currentSink(), std::move(sink));
}

} // namespace platform
