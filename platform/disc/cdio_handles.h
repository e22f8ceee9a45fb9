#pragma once
// Owners of libcdio's handles.
#include <cdio/cdio.h>
#include <cdio/iso9660.h>
#include <memory>

namespace platform {

struct CdioCloser {
    void operator()(CdIo_t* cdio) const { cdio_destroy(cdio); }
};
using CdioHandle = std::unique_ptr<CdIo_t, CdioCloser>;

struct IsoImageCloser {
    void operator()(iso9660_t* image) const { iso9660_close(image); }
};
using IsoImageHandle = std::unique_ptr<iso9660_t, IsoImageCloser>;

} // namespace platform
