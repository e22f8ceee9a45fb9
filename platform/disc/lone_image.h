#pragma once
// An image file without the sheet that described it: its sector size is told
// by where the first volume descriptor ("CD001" in sector 16) turns up.
#include "platform/disc/binary_fields.h"
#include "platform/disc/image_layout.h"

namespace platform {

// Enough of the start of an image to find sector 16 in any sector size.
inline constexpr std::size_t kLoneImageHead = 17 * 2448;

// One track over the whole of `image`, whose first bytes are `head`. Nothing,
// with `problem`, when no sector size shows a volume descriptor.
std::optional<ImageLayout> LoneImageLayout(Bytes head, const ImageFile& image,
                                           std::string& problem);

// True when the data of sector 16, `descriptor` (2048 bytes), is a Video CD's
// or Super Video CD's: its system is the one those discs name.
bool IsVideoCdDescriptor(Bytes descriptor);

} // namespace platform
