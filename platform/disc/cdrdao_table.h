#pragma once
// cdrdao tables of contents (.toc): text that lists each track's mode and the
// data files (or parts of them) that hold its sectors, in disc order.
#include "platform/disc/image_layout.h"

#include <string_view>

namespace platform {

// The layout the table `text` gives, its files found through `find`. Nothing,
// with `problem`, for a text that is not such a table, a file that is not
// found, or a disc whose first track holds no data.
std::optional<ImageLayout> CdrdaoLayout(std::string_view text, const FindImageFile& find,
                                        std::string& problem);

} // namespace platform
