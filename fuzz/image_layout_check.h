#pragma once
// What the image description targets share: image files of every size a
// description may name, and the checks every layout they give must pass.
#include "platform/disc/image_layout.h"

namespace fuzz {

// Finds any name, as a file whose size follows from the name's length, so that
// layouts meet files both shorter and longer than they describe.
platform::FindImageFile ImagesOfAnySize();

// Aborts unless the extents are in order, apart, within the files they name and
// within a CD.
void RequireSoundLayout(const std::optional<platform::ImageLayout>& layout);

} // namespace fuzz
