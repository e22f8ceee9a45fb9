#pragma once
// The entry points a Video CD or a Super Video CD lists in its entry table
// (ENTRIES.VCD or ENTRIES.SVD, always at sector 151): the places within a
// track where playing may start besides its beginning, offered as chapters.
#include "platform/disc/sector_reader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace platform {

inline constexpr std::uint32_t kEntryTableSector = 151;
inline constexpr std::size_t kMostEntries = 500;

struct DiscEntry {
    unsigned track;    // the disc's track number: 2 is the first MPEG track
    std::uint32_t lsn; // the entry's sector
};

// The entries of a table sector in table order. Both identifiers occur on
// either kind of disc. A table that is not one, or that is damaged anywhere
// (a count above the limit, a digit that is not BCD, a time before the first
// sector), gives none: half a table of chapters would be worse than none.
std::vector<DiscEntry> ParseEntryTable(std::span<const std::uint8_t> sector);

// The entries lying within the Form 2 file of `sectors` sectors from `extent`,
// as byte offsets into its stream of payloads, ascending and without repeats.
// None when the table cannot be read or is damaged.
std::vector<std::int64_t> EntryOffsetsOf(SectorReader& reader, std::uint32_t extent,
                                         std::uint32_t sectors);

} // namespace platform
