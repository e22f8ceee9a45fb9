#include "platform/io/error_mode.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<UINT> processErrorMode{0};
} // namespace

UINT SetErrorMode(UINT mode) {
    return processErrorMode.exchange(mode);
}

bool CriticalErrorsFailQuietly() {
    return (processErrorMode.load() & SEM_FAILCRITICALERRORS) != 0;
}

} // namespace platform
