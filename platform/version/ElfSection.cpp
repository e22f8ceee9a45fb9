#include "platform/version/ElfSection.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform::version {
namespace {

// Where the fields this reader needs sit in the two ELF classes.
struct ElfLayout {
    std::size_t headerBytes;
    std::size_t sectionTableOffsetAt;
    std::size_t sectionEntryBytesAt;
    std::size_t sectionCountAt;
    std::size_t namesIndexAt;
    std::size_t addressBytes;
    std::size_t sectionHeaderBytes;
    std::size_t sectionOffsetAt;
    std::size_t sectionSizeAt;
};
constexpr ElfLayout kElf32{52, 0x20, 0x2E, 0x30, 0x32, 4, 40, 0x10, 0x14};
constexpr ElfLayout kElf64{64, 0x28, 0x3A, 0x3C, 0x3E, 8, 64, 0x18, 0x20};

constexpr std::size_t kClassAt = 4;
constexpr std::size_t kByteOrderAt = 5;
constexpr std::byte kClass32{1};
constexpr std::byte kClass64{2};
constexpr std::byte kLittleEndian{1};
constexpr std::size_t kSectionNameAt = 0;
constexpr std::size_t kSectionTypeAt = 4;
constexpr std::uint64_t kNoBitsType = 8;              // SHT_NOBITS: occupies no file space
constexpr std::uint64_t kFirstReservedIndex = 0xFF00; // SHN_LORESERVE

std::uint64_t ReadLittleEndian(std::span<const std::byte> bytes, std::size_t at,
                               std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | std::to_integer<std::uint64_t>(bytes[at + i]);
    return value;
}

struct Section {
    std::uint64_t nameOffset;
    std::uint64_t type;
    std::uint64_t offset;
    std::uint64_t size;
};

class ElfReader {
public:
    ElfReader(ByteSource& source, const ElfLayout& layout) : source_(source), layout_(layout) {}

    bool ReadHeader() {
        std::array<std::byte, 64> header{};
        const std::span<std::byte> bytes(header.data(), layout_.headerBytes);
        if (!source_.Read(0, bytes))
            return false;
        tableOffset_ = ReadLittleEndian(bytes, layout_.sectionTableOffsetAt, layout_.addressBytes);
        entryBytes_ = ReadLittleEndian(bytes, layout_.sectionEntryBytesAt, 2);
        count_ = ReadLittleEndian(bytes, layout_.sectionCountAt, 2);
        namesIndex_ = ReadLittleEndian(bytes, layout_.namesIndexAt, 2);
        // Count and entry size are 16-bit, so the table size cannot overflow.
        return entryBytes_ >= layout_.sectionHeaderBytes && namesIndex_ < count_ &&
               namesIndex_ < kFirstReservedIndex && tableOffset_ <= source_.Size() &&
               count_ * entryBytes_ <= source_.Size() - tableOffset_;
    }

    std::optional<Section> ReadSection(std::uint64_t index) {
        std::array<std::byte, 64> header{};
        const std::span<std::byte> bytes(header.data(), layout_.sectionHeaderBytes);
        // The whole table lies within the source, so the sum cannot overflow.
        if (!source_.Read(tableOffset_ + index * entryBytes_, bytes))
            return std::nullopt;
        Section section;
        section.nameOffset = ReadLittleEndian(bytes, kSectionNameAt, 4);
        section.type = ReadLittleEndian(bytes, kSectionTypeAt, 4);
        section.offset = ReadLittleEndian(bytes, layout_.sectionOffsetAt, layout_.addressBytes);
        section.size = ReadLittleEndian(bytes, layout_.sectionSizeAt, layout_.addressBytes);
        if (section.offset > source_.Size() || section.size > source_.Size() - section.offset)
            return std::nullopt;
        return section;
    }

    bool IsNamed(const Section& section, const Section& names, std::string_view name) {
        const std::size_t wanted = name.size() + 1; // with the terminator
        if (section.nameOffset > names.size || names.size - section.nameOffset < wanted)
            return false;
        std::vector<std::byte> stored(wanted);
        if (!source_.Read(names.offset + section.nameOffset, stored))
            return false;
        return std::memcmp(stored.data(), name.data(), name.size()) == 0 &&
               stored.back() == std::byte{0};
    }

    std::optional<std::vector<std::byte>> Find(std::string_view name, std::size_t maxBytes) {
        const std::optional<Section> names = ReadSection(namesIndex_);
        if (!names)
            return std::nullopt;
        for (std::uint64_t index = 0; index < count_; ++index) {
            const std::optional<Section> section = ReadSection(index);
            if (!section || section->type == kNoBitsType || !IsNamed(*section, *names, name))
                continue;
            std::vector<std::byte> contents(std::min<std::uint64_t>(section->size, maxBytes));
            if (!source_.Read(section->offset, contents))
                return std::nullopt;
            return contents;
        }
        return std::nullopt;
    }

private:
    ByteSource& source_;
    const ElfLayout& layout_;
    std::uint64_t tableOffset_ = 0;
    std::uint64_t entryBytes_ = 0;
    std::uint64_t count_ = 0;
    std::uint64_t namesIndex_ = 0;
};

} // namespace

FileByteSource::FileByteSource(const char* fileName) : stream_(fileName, std::ios::binary) {
    if (stream_.seekg(0, std::ios::end)) {
        const std::streamoff end = stream_.tellg();
        size_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
    }
}

bool FileByteSource::Read(std::uint64_t offset, std::span<std::byte> out) {
    if (offset > size_ || out.size() > size_ - offset)
        return false;
    stream_.clear();
    if (!stream_.seekg(static_cast<std::streamoff>(offset)))
        return false;
    stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return stream_.gcount() == static_cast<std::streamsize>(out.size());
}

std::optional<std::vector<std::byte>> ReadElfSection(ByteSource& source, std::string_view name,
                                                     std::size_t maxBytes) {
    std::array<std::byte, 6> ident{};
    if (!source.Read(0, ident))
        return std::nullopt;
    constexpr std::array<std::byte, 4> magic{std::byte{0x7F}, std::byte{'E'}, std::byte{'L'},
                                             std::byte{'F'}};
    if (!std::equal(magic.begin(), magic.end(), ident.begin()) ||
        ident[kByteOrderAt] != kLittleEndian)
        return std::nullopt;
    const ElfLayout* layout = ident[kClassAt] == kClass64   ? &kElf64
                              : ident[kClassAt] == kClass32 ? &kElf32
                                                            : nullptr;
    if (layout == nullptr)
        return std::nullopt;
    ElfReader reader(source, *layout);
    if (!reader.ReadHeader())
        return std::nullopt;
    return reader.Find(name, maxBytes);
}

} // namespace platform::version
