#pragma once
// Sectors of a disc image read straight from its files, in whatever sector
// size each track was written with.
#include "platform/disc/image_layout.h"
#include "platform/disc/sector_reader.h"

#include <memory>

namespace platform {

class ImageSectorReader final : public SectorReader {
public:
    // Null, with `problem` naming the file, when a file of `layout` cannot be
    // opened.
    static std::unique_ptr<ImageSectorReader> Open(ImageLayout layout, std::string& problem);
    ~ImageSectorReader() override;
    ImageSectorReader(const ImageSectorReader&) = delete;
    ImageSectorReader& operator=(const ImageSectorReader&) = delete;

    std::uint32_t Sectors() const override { return layout_.Sectors(); }
    bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;
    bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) override;

private:
    ImageSectorReader(ImageLayout layout, std::vector<int> descriptors);

    // Reads sector by sector through `take`, which copies what the caller
    // wants from one whole sector as stored; false when it refuses one.
    template <typename Take> bool Read(std::uint32_t lsn, std::uint32_t count, Take take);

    const ImageLayout layout_;
    const std::vector<int> descriptors_; // one per file, read with pread: no lock needed
};

} // namespace platform
