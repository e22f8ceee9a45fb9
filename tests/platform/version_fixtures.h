#pragma once
// Crafted executables and version blocks for the version reader's tests.
#include "platform/version/ElfSection.h"
#include "platform/version/VersionBlockWriter.h"

#include <QTemporaryDir>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace version_fixtures {

using Bytes = std::vector<std::byte>;

constexpr std::uint32_t kProgBits = 1; // SHT_PROGBITS
constexpr std::uint32_t kNoBits = 8;   // SHT_NOBITS

struct ElfSectionSpec {
    std::string name;
    Bytes contents;
    std::uint32_t type = kProgBits;
};

// A little-endian ELF image of the given class (32 or 64) holding the sections
// after the null section, followed by .shstrtab and the section header table.
Bytes MakeElfImage(int elfClass, const std::vector<ElfSectionSpec>& sections);

// An ELF64 image whose version section holds block.
Bytes ElfWithVersionBlock(const Bytes& block, int elfClass = 64);

void PutLittleEndian(Bytes& bytes, std::size_t at, std::size_t width, std::uint64_t value);

// A resource shaped like the program's own, under the given translation.
platform::version::VersionResource
ProgramLikeResource(platform::version::VersionTranslation translation,
                    std::vector<platform::version::VersionString> strings);

// Writes bytes to a new file in dir and returns its path.
std::string WriteFile(const QTemporaryDir& dir, const std::string& name,
                      std::span<const std::byte> bytes);

// The file's version information loaded through the public calls, or nothing
// when they report none.
std::optional<Bytes> LoadVersionInfo(const std::string& fileName);

// A text value of a loaded block, or nothing when the query fails.
std::optional<std::string> QueryText(const Bytes& loaded, const std::string& subBlock);

// The translation pairs of a loaded block, or nothing when the query fails.
std::optional<std::vector<platform::version::VersionTranslation>>
QueryTranslations(const Bytes& loaded);

class MemoryByteSource : public platform::version::ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::uint64_t Size() override { return bytes_.size(); }
    bool Read(std::uint64_t offset, std::span<std::byte> out) override;

private:
    std::span<const std::byte> bytes_;
};

} // namespace version_fixtures
