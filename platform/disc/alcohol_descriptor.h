#pragma once
// Alcohol images: a binary descriptor (.mds, "MEDIA DESCRIPTOR") beside the
// sectors (.mdf). The descriptor gives each track's first sector, sector size
// and place in the data file.
#include "platform/disc/binary_fields.h"
#include "platform/disc/image_layout.h"

namespace platform {

// Descriptors of CDs are a few kilobytes.
inline constexpr std::size_t kLargestDescriptor = 64 * 1024;

// The data file a descriptor names, as written: "*.mdf" stands for the
// descriptor's own name with that extension. Nothing when it names none.
std::optional<std::string> AlcoholDataFile(Bytes descriptor, std::string& problem);

// The tracks of the first session, in `data` (the file AlcoholDataFile named).
std::optional<ImageLayout> AlcoholLayout(Bytes descriptor, const ImageFile& data,
                                         std::string& problem);

} // namespace platform
