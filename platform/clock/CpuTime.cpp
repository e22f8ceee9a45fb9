#include "platform/clock/CpuTime.h"

#include <time.h>

namespace platform {
namespace {

double seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

double ThreadCpuSeconds() {
    return seconds(CLOCK_THREAD_CPUTIME_ID);
}

double ProcessCpuSeconds() {
    return seconds(CLOCK_PROCESS_CPUTIME_ID);
}

} // namespace platform
