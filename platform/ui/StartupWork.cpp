#include "platform/ui/StartupWork.h"

#include <utility>

namespace platform {
namespace {

// Made on first use, as registrations come from other files' statics.
std::vector<StartupWork>& registeredWork() {
    static std::vector<StartupWork> work;
    return work;
}

} // namespace

bool RegisterStartupWork(StartupWork work) {
    registeredWork().push_back(std::move(work));
    return true;
}

std::vector<std::shared_ptr<void>> StartRegisteredWork() {
    std::vector<std::shared_ptr<void>> started;
    for (const StartupWork& work : registeredWork())
        if (std::shared_ptr<void> made = work())
            started.push_back(std::move(made));
    return started;
}

} // namespace platform
