#pragma once
// What this process holds of the machine right now, for the soak benchmark:
// a process that plays for hours must not grow in any of these.
#include <cstdint>

namespace platform {

struct ProcessUsage {
    std::int64_t residentKiB = 0;
    int openFiles = 0;
    int threads = 0;
};

ProcessUsage CurrentProcessUsage();

} // namespace platform
