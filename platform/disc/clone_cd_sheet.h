#pragma once
// CloneCD images: a sheet (.ccd, INI text) beside the whole disc as raw
// 2352-byte sectors (.img) and its subchannels (.sub, which playing does not
// need).
#include "platform/disc/image_layout.h"

#include <string_view>

namespace platform {

// The layout of `image` as the sheet `text` describes it. Nothing, with
// `problem`, for a text that is not a CloneCD sheet, a disc whose first track
// holds no data, or scrambled data tracks.
std::optional<ImageLayout> CloneCdLayout(std::string_view text, const ImageFile& image,
                                         std::string& problem);

} // namespace platform
