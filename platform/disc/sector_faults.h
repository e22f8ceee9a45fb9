#pragma once
// A switch for tests: makes every disc's sector reads start failing, as a
// scratched disc or a failing drive does in the middle of a track.
#include <cstdint>
#include <optional>

namespace platform {

// From now on, reads succeed `reads` more times and then all fail, until the
// switch is set again; nothing (the default) turns the faults off. Safe from
// any thread.
void FailSectorReadsAfter(std::optional<std::uint64_t> reads);

// Called by each sector reader before it reads: true when the read must fail.
bool SectorReadFault();

} // namespace platform
