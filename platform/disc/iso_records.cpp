#include "platform/disc/iso_records.h"

#include "platform/io/file_attributes.h"

#include <algorithm>
#include <array>
#include <cdio/bytesex.h>
#include <cdio/iso9660.h>
#include <chrono>
#include <cstring>
#include <QString>

namespace platform {
namespace {

constexpr std::uint32_t firstDescriptor = 16;
// The descriptor set ends with a terminator; a disc that never gives one is
// not read forever.
constexpr std::uint32_t lastDescriptor = firstDescriptor + 32;

enum DescriptorType : std::uint8_t {
    primaryDescriptor = 1,
    supplementaryDescriptor = 2,
    terminator = 255
};

// Offsets into a volume descriptor and a folder record.
constexpr std::size_t descriptorVolumeId = 40;
constexpr std::size_t descriptorVolumeIdLength = 32;
constexpr std::size_t descriptorEscapes = 88;
constexpr std::size_t descriptorBlockSize = 128;
constexpr std::size_t descriptorRoot = 156;
constexpr std::size_t recordExtent = 2;
constexpr std::size_t recordSize = 10;
constexpr std::size_t recordTime = 18;
constexpr std::size_t recordFlags = 25;
constexpr std::size_t recordNameLength = 32;
constexpr std::size_t recordName = 33;

constexpr std::uint8_t flagHidden = 0x01;
constexpr std::uint8_t flagFolder = 0x02;
constexpr std::uint8_t flagAssociated = 0x04;

std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

std::uint16_t LittleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

FILETIME RecordingTime(const std::uint8_t* time) {
    using namespace std::chrono;
    const year_month_day date{year{1900 + time[0]}, month{time[1]}, day{time[2]}};
    if (!date.ok() || time[3] > 23 || time[4] > 59 || time[5] > 59)
        return {0, 0};
    // The last byte is the offset from UTC in quarter hours.
    const auto offset = minutes{15 * static_cast<std::int8_t>(time[6])};
    const auto moment =
        sys_days{date} + hours{time[3]} + minutes{time[4]} + seconds{time[5]} - offset;
    return FileTimeFromUnixTime(duration_cast<seconds>(moment.time_since_epoch()).count());
}

// Windows shows "AVSEQ01.DAT;1" as "AVSEQ01.DAT" and "README.;1" as "README".
std::string WindowsName(std::string name) {
    name.erase(std::min(name.find(';'), name.size()));
    while (name.ends_with('.'))
        name.pop_back();
    return name;
}

std::optional<std::string> DecodeName(std::span<const std::uint8_t> bytes, bool joliet) {
    std::string name;
    if (joliet) {
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        std::vector<char16_t> units;
        for (std::size_t at = 0; at < bytes.size(); at += 2)
            units.push_back(static_cast<char16_t>(bytes[at] << 8 | bytes[at + 1]));
        name = QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())).toStdString();
    } else {
        name.assign(bytes.begin(), bytes.end());
    }
    const bool usable = std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\';
    });
    name = WindowsName(std::move(name));
    if (!usable || name.empty() || name == "." || name == "..")
        return std::nullopt;
    return name;
}

bool HasForm2Attribute(std::span<const std::uint8_t> systemUse) {
    iso9660_xa_t xa{};
    if (systemUse.size() < sizeof xa)
        return false;
    std::memcpy(&xa, systemUse.data(), sizeof xa);
    if (xa.signature[0] != 'X' || xa.signature[1] != 'A')
        return false;
    return (uint16_from_be(xa.attributes) & XA_ATTR_MODE2FORM2) != 0;
}

// `beyondDisc`: a sound record whose data lies past the end of the disc (an
// image cut short); it is left out, and its neighbours are kept.
enum class RecordKind { entry, self, parent, associated, beyondDisc };

// One record, `record` being exactly its length; nothing when it is malformed.
std::optional<IsoRecord> ParseRecord(std::span<const std::uint8_t> record, bool joliet,
                                     std::uint32_t discSectors, RecordKind& kind) {
    if (record.size() <= recordName)
        return std::nullopt;
    const std::size_t nameLength = record[recordNameLength];
    if (nameLength == 0 || recordName + nameLength > record.size())
        return std::nullopt;
    IsoRecord parsed{};
    parsed.extent = LittleEndian32(&record[recordExtent]);
    parsed.size = LittleEndian32(&record[recordSize]);
    const std::uint8_t flags = record[recordFlags];
    parsed.folder = flags & flagFolder;
    parsed.hidden = flags & flagHidden;
    parsed.recorded = RecordingTime(&record[recordTime]);
    const std::span<const std::uint8_t> name = record.subspan(recordName, nameLength);
    if (nameLength == 1 && name[0] <= 1) {
        kind = name[0] == 0 ? RecordKind::self : RecordKind::parent;
        return parsed;
    }
    kind = flags & flagAssociated ? RecordKind::associated : RecordKind::entry;
    std::optional<std::string> decoded = DecodeName(name, joliet);
    if (!decoded)
        return std::nullopt;
    parsed.name = std::move(*decoded);
    const std::uint64_t sectors =
        (std::uint64_t{parsed.size} + kDataSectorSize - 1) / kDataSectorSize;
    if (parsed.extent + sectors > discSectors)
        kind = RecordKind::beyondDisc;
    // The system use area follows the name, padded to an even length.
    const std::size_t systemUse = recordName + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    parsed.form2 = systemUse < record.size() && HasForm2Attribute(record.subspan(systemUse));
    return parsed;
}

// The volume identifier as written: d-characters padded with blanks. Bytes
// outside printable ASCII end it, so a damaged descriptor gives a short
// label rather than text that is not UTF-8.
std::string VolumeLabel(const std::uint8_t* identifier) {
    std::string label;
    for (std::size_t at = 0; at < descriptorVolumeIdLength; ++at) {
        if (identifier[at] < 0x20 || identifier[at] > 0x7E)
            break;
        label += static_cast<char>(identifier[at]);
    }
    while (!label.empty() && label.back() == ' ')
        label.pop_back();
    return label;
}

bool IsJolietEscape(const std::uint8_t* escapes) {
    return escapes[0] == '%' && escapes[1] == '/' &&
           (escapes[2] == '@' || escapes[2] == 'C' || escapes[2] == 'E');
}

} // namespace

std::optional<IsoVolume> ReadIsoVolume(SectorReader& reader) {
    std::optional<IsoVolume> primary, joliet;
    std::string label;
    std::array<std::uint8_t, kDataSectorSize> sector{};
    for (std::uint32_t lsn = firstDescriptor; lsn < lastDescriptor; ++lsn) {
        if (!reader.ReadData(lsn, 1, sector.data()) || std::memcmp(&sector[1], "CD001", 5) != 0)
            break;
        const std::uint8_t type = sector[0];
        if (type == terminator)
            break;
        const bool isJoliet =
            type == supplementaryDescriptor && IsJolietEscape(&sector[descriptorEscapes]);
        if ((type != primaryDescriptor && !isJoliet) ||
            LittleEndian16(&sector[descriptorBlockSize]) != kDataSectorSize)
            continue;
        const std::span<const std::uint8_t> rootRecord(&sector[descriptorRoot],
                                                       sector[descriptorRoot]);
        RecordKind kind{};
        const std::optional<IsoRecord> root =
            ParseRecord(rootRecord, isJoliet, reader.Sectors(), kind);
        if (!root || kind != RecordKind::self || !root->folder)
            continue;
        if (!isJoliet)
            label = VolumeLabel(&sector[descriptorVolumeId]);
        (isJoliet ? joliet : primary) = IsoVolume{*root, isJoliet, reader.Sectors(), {}};
    }
    std::optional<IsoVolume>& volume = joliet ? joliet : primary;
    if (volume)
        volume->label = std::move(label);
    return volume;
}

std::optional<std::vector<IsoRecord>> ParseIsoFolder(std::span<const std::uint8_t> sectors,
                                                     const IsoVolume& volume) {
    std::vector<IsoRecord> entries;
    std::size_t at = 0;
    while (at < sectors.size()) {
        const std::size_t sectorEnd = (at / kDataSectorSize + 1) * kDataSectorSize;
        const std::size_t length = sectors[at];
        // A zero length pads the rest of a sector: records never cross one.
        if (length == 0) {
            at = sectorEnd;
            continue;
        }
        if (at + length > std::min(sectorEnd, sectors.size()))
            return std::nullopt;
        RecordKind kind{};
        std::optional<IsoRecord> record =
            ParseRecord(sectors.subspan(at, length), volume.joliet, volume.discSectors, kind);
        if (!record)
            return std::nullopt;
        if (kind == RecordKind::entry)
            entries.push_back(std::move(*record));
        at += length;
    }
    return entries;
}

} // namespace platform
