#pragma once
// The records of an ISO 9660 volume (ECMA-119), read by ourselves: libiso9660's
// folder reader over-reads the heap on a damaged folder sector and hands back
// empty list nodes, so every record is checked here before it is believed.
#include "platform/disc/sector_reader.h"
#include "platform/wintypes.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct IsoRecord {
    std::string name; // as Windows shows it: UTF-8, no ";1" version, no trailing dot
    bool folder;
    bool hidden;
    bool form2;           // its sectors are Mode 2 Form 2 (an XA attribute)
    std::uint32_t extent; // first sector
    std::uint32_t size;   // bytes, as the record gives it
    FILETIME recorded;
};

struct IsoVolume {
    IsoRecord root;
    bool joliet;               // the names come from the Joliet tree
    std::uint32_t discSectors; // a record pointing past these is damage
    std::string label;         // the primary descriptor's volume identifier
};

// The volume described from sector 16 on: the Joliet tree where the disc has
// one, else the primary one. Nothing when there is no ISO 9660 volume or its
// descriptors do not hold together.
std::optional<IsoVolume> ReadIsoVolume(SectorReader& reader);

// Folders larger than this are taken for damage rather than read.
inline constexpr std::uint32_t kLargestFolder = 1024 * 1024;

// The entries of a folder, in disc order, given its sectors (whole sectors of
// kDataSectorSize bytes), without the "." and ".." records. Nothing when any
// record is malformed: shorter than its fixed part, crossing a sector, or with
// a name that does not fit it or cannot be a name. A sound record whose data
// lies past the end of the disc (not of the volume: a Video CD's tracks lie
// beyond the space its volume descriptor counts) is left out alone, so that a
// disc image cut short still lists what it holds.
std::optional<std::vector<IsoRecord>> ParseIsoFolder(std::span<const std::uint8_t> sectors,
                                                     const IsoVolume& volume);

} // namespace platform
