#pragma once
// Goes through a volume as the player's scan and playback would: every folder
// listed, every file looked up and opened, and read at the given offsets.
// Bounded, so that a volume whose folders loop back on themselves ends.
#include "platform/io/volume.h"

#include <cstdint>
#include <vector>

namespace fuzz {

void WalkVolume(platform::Volume& volume, const std::vector<std::int64_t>& readOffsets);

// Offsets spread over a file, chosen by the bytes of `seed`.
std::vector<std::int64_t> OffsetsFrom(std::uint32_t seed);

} // namespace fuzz
