#include "platform/disc/cdio_log.h"

#include "platform/diagnostics.h"
#include "platform/io/error_mode.h"

#include <cdio/logging.h>
#include <mutex>
#include <string>

namespace platform {
namespace {

void ReportCdioMessage(cdio_log_level_t level, const char message[]) {
    if (level < CDIO_LOG_WARN || !message || CriticalErrorsFailQuietly())
        return;
    ReportProblem(std::string("libcdio: ") + message);
}

} // namespace

void RouteCdioLog() {
    static std::once_flag installed;
    std::call_once(installed, [] { cdio_log_set_handler(ReportCdioMessage); });
}

} // namespace platform
