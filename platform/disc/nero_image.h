#pragma once
// Nero images (.nrg): the sectors first, then chunks that describe the tracks,
// found through a footer at the very end ("NERO" with a 32-bit offset, or
// "NER5" with a 64-bit one).
#include "platform/disc/binary_fields.h"
#include "platform/disc/image_layout.h"

namespace platform {

// The chunks are at the end of the image: this much of it is read.
inline constexpr std::size_t kNeroTailSize = 1024 * 1024;

// The tracks of the image `image`, whose last bytes are `tail` (all of it, or
// its last kNeroTailSize bytes). Nothing, with `problem`, for a file that is
// not a Nero image of a disc with data.
std::optional<ImageLayout> NeroLayout(Bytes tail, const ImageFile& image, std::string& problem);

} // namespace platform
