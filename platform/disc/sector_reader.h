#pragma once
// A disc's sectors by logical sector number, from an optical drive or an
// image file.
#include <cstddef>
#include <cstdint>

namespace platform {

inline constexpr std::size_t kDataSectorSize = 2048;   // Mode 1, Mode 2 Form 1
inline constexpr std::size_t kForm2PayloadSize = 2324; // Mode 2 Form 2

// Safe from any thread: each reader serialises its use of its library handle.
class SectorReader {
public:
    virtual ~SectorReader() = default;

    // How many sectors the medium holds: the disc's lead-out, the image's size.
    virtual std::uint32_t Sectors() const = 0;

    // `count` sectors of user data from `lsn` into `buffer`
    // (count x kDataSectorSize bytes); false when any of them cannot be read.
    virtual bool ReadData(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) = 0;

    // The payloads of `count` Mode 2 Form 2 sectors from `lsn`
    // (count x kForm2PayloadSize bytes); false when any of them cannot be
    // read, and always for a medium that cannot hold such sectors.
    virtual bool ReadForm2(std::uint32_t lsn, std::uint32_t count, std::uint8_t* buffer) = 0;
};

} // namespace platform
