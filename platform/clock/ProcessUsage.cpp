#include "platform/clock/ProcessUsage.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

int EntriesIn(const char* folder) {
    std::error_code error;
    int count = 0;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error))
        ++count;
    return count;
}

} // namespace

ProcessUsage CurrentProcessUsage() {
    ProcessUsage usage;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            usage.residentKiB = std::stoll(line.substr(6));
        else if (line.starts_with("Threads:"))
            usage.threads = std::stoi(line.substr(8));
    }
    usage.openFiles = EntriesIn("/proc/self/fd");
    return usage;
}

} // namespace platform
