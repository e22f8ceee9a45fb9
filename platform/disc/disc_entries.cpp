#include "platform/disc/disc_entries.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace platform {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kEntrySize = 4;
// A disc address counts the two seconds of lead-in before sector 0.
constexpr std::uint32_t kLeadInFrames = 150;

std::optional<unsigned> Bcd(std::uint8_t value) {
    const unsigned high = value >> 4;
    const unsigned low = value & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

std::optional<DiscEntry> EntryAt(const std::uint8_t* entry) {
    const auto track = Bcd(entry[0]);
    const auto minutes = Bcd(entry[1]);
    const auto seconds = Bcd(entry[2]);
    const auto frames = Bcd(entry[3]);
    if (!track || !minutes || !seconds || !frames || *track < 2 || *seconds > 59 || *frames > 74)
        return std::nullopt;
    const std::uint32_t address = (*minutes * 60 + *seconds) * 75 + *frames;
    if (address < kLeadInFrames)
        return std::nullopt;
    return DiscEntry{*track, address - kLeadInFrames};
}

} // namespace

std::vector<DiscEntry> ParseEntryTable(std::span<const std::uint8_t> sector) {
    if (sector.size() < kHeaderSize)
        return {};
    if (std::memcmp(sector.data(), "ENTRYVCD", 8) != 0 &&
        std::memcmp(sector.data(), "ENTRYSVD", 8) != 0)
        return {};
    const std::size_t count = std::size_t{sector[10]} << 8 | sector[11];
    if (count > kMostEntries || kHeaderSize + count * kEntrySize > sector.size())
        return {};
    std::vector<DiscEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<DiscEntry> entry = EntryAt(&sector[kHeaderSize + i * kEntrySize]);
        if (!entry)
            return {};
        entries.push_back(*entry);
    }
    return entries;
}

std::vector<std::int64_t> EntryOffsetsOf(SectorReader& reader, std::uint32_t extent,
                                         std::uint32_t sectors) {
    std::array<std::uint8_t, kDataSectorSize> table{};
    if (!reader.ReadData(kEntryTableSector, 1, table.data()))
        return {};
    std::vector<std::int64_t> offsets;
    for (const DiscEntry& entry : ParseEntryTable(table)) {
        if (entry.lsn < extent || entry.lsn - extent >= sectors)
            continue;
        offsets.push_back(std::int64_t{entry.lsn - extent} *
                          static_cast<std::int64_t>(kForm2PayloadSize));
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
}

} // namespace platform
