#include "platform/disc/sector_faults.h"

#include <atomic>
#include <limits>

namespace platform {
namespace {

constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();

// Reads left before the faults begin.
std::atomic<std::int64_t>& ReadsLeft() {
    static std::atomic<std::int64_t> left{never};
    return left;
}

} // namespace

void FailSectorReadsAfter(std::optional<std::uint64_t> reads) {
    ReadsLeft() =
        reads ? static_cast<std::int64_t>(std::min<std::uint64_t>(*reads, never - 1)) : never;
}

bool SectorReadFault() {
    std::atomic<std::int64_t>& left = ReadsLeft();
    if (left.load(std::memory_order_relaxed) == never)
        return false;
    return left.fetch_sub(1) <= 0;
}

} // namespace platform
