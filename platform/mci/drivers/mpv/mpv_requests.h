#pragma once
// Whose reply an asynchronous request of the video driver is; apart from the
// ids of the properties it observes, which stay below these.
#include <cstdint>

namespace platform::mci {

enum MpvRequest : std::uint64_t {
    loadRequest = 100,
    pauseRequest,
    seekRequest,
    audioStreamRequest,
};

} // namespace platform::mci
