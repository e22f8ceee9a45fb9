#pragma once
// Finds a named section in an ELF file (32- or 64-bit, little-endian). Every
// offset and size taken from the file is checked before it is used, so a file
// that is not ELF, or is cut off or damaged, simply has no such section.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace platform::version {

// Random access to the bytes of a file, without loading all of it: the
// executable may be many megabytes, the block a few hundred bytes.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() = 0;
    // Fills out from offset; false, with out unspecified, unless all of it lies
    // within the source.
    virtual bool Read(std::uint64_t offset, std::span<std::byte> out) = 0;
};

class FileByteSource : public ByteSource {
public:
    explicit FileByteSource(const char* fileName);
    std::uint64_t Size() override { return size_; }
    bool Read(std::uint64_t offset, std::span<std::byte> out) override;

private:
    std::ifstream stream_;
    std::uint64_t size_ = 0;
};

// The contents of the first section called name, cut to maxBytes; nothing when
// the source is not a readable ELF file or has no such section with contents.
std::optional<std::vector<std::byte>> ReadElfSection(ByteSource& source, std::string_view name,
                                                     std::size_t maxBytes);

} // namespace platform::version
