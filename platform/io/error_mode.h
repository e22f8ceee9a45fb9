#pragma once
// The process's error mode. On Windows a drive without a disc raises a system
// dialog unless SEM_FAILCRITICALERRORS is set; here it never raises a dialog,
// and the mode decides whether the problem is reported (through
// ReportProblem) or passed over in silence.
#include "platform/wintypes.h"

namespace platform {

inline constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;

// Sets the mode for the whole process and returns the previous one. Safe from
// any thread.
UINT SetErrorMode(UINT mode);

// True while SEM_FAILCRITICALERRORS is set: drive problems fail quietly.
bool CriticalErrorsFailQuietly();

} // namespace platform
