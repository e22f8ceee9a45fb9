#pragma once
// Threads for reads a caller may stop waiting for. A scan reads a folder
// sector by sector, so a thread started per read cost more than the read;
// these threads are kept. A read that stalls keeps its thread and the next
// read takes another, so one silent drive holds up no other reader. A thread
// left idle for a while ends.
#include <functional>

namespace platform {

// Runs `read` on a worker thread; false when no thread could be had.
bool RunOnReadWorker(std::function<void()> read);

} // namespace platform
