#pragma once
// libcdio's own log handler prints to stdout and ends the process on an
// error. Every way into libcdio calls RouteCdioLog first.
namespace platform {

// Sends libcdio's warnings and errors to ReportProblem, or nowhere while the
// error mode makes drive errors fail quietly; debug and information lines are
// dropped. Installs the handler on the first call; later calls cost nothing.
void RouteCdioLog();

} // namespace platform
