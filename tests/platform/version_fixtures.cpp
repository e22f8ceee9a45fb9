#include "tests/platform/version_fixtures.h"

#include "platform/version/VersionInfo.h"
#include "platform/version/VersionSection.h"

#include <QFile>

#include <cstring>
#include <stdexcept>

namespace version_fixtures {
namespace {

struct ElfShape {
    std::size_t headerBytes;
    std::size_t sectionHeaderBytes;
    std::size_t addressBytes;
    std::uint16_t machine;
};
constexpr ElfShape kElf32{52, 40, 4, 3};  // EM_386
constexpr ElfShape kElf64{64, 64, 8, 62}; // EM_X86_64

void WriteElfHeader(Bytes& image, const ElfShape& shape, int elfClass, std::uint64_t sectionTable,
                    std::uint16_t sectionCount) {
    const std::uint8_t ident[] = {0x7F, 'E', 'L', 'F', std::uint8_t(elfClass == 64 ? 2 : 1), 1, 1};
    std::memcpy(image.data(), ident, sizeof ident);
    const std::size_t a = shape.addressBytes;
    PutLittleEndian(image, 16, 2, 2); // ET_EXEC
    PutLittleEndian(image, 18, 2, shape.machine);
    PutLittleEndian(image, 20, 4, 1);
    const std::size_t tableAt = 24 + 2 * a; // after e_entry and e_phoff
    PutLittleEndian(image, tableAt, a, sectionTable);
    const std::size_t sizesAt = tableAt + a + 4; // after e_flags
    PutLittleEndian(image, sizesAt, 2, shape.headerBytes);
    PutLittleEndian(image, sizesAt + 6, 2, shape.sectionHeaderBytes);
    PutLittleEndian(image, sizesAt + 8, 2, sectionCount);
    PutLittleEndian(image, sizesAt + 10, 2, sectionCount - 1u); // .shstrtab comes last
}

void WriteSectionHeader(Bytes& image, std::size_t at, const ElfShape& shape, std::uint32_t name,
                        std::uint32_t type, std::uint64_t offset, std::uint64_t size) {
    const std::size_t a = shape.addressBytes;
    PutLittleEndian(image, at, 4, name);
    PutLittleEndian(image, at + 4, 4, type);
    PutLittleEndian(image, at + 8 + 2 * a, a, offset); // after sh_flags and sh_addr
    PutLittleEndian(image, at + 8 + 3 * a, a, size);
}

} // namespace

void PutLittleEndian(Bytes& bytes, std::size_t at, std::size_t width, std::uint64_t value) {
    for (std::size_t i = 0; i < width; ++i)
        bytes.at(at + i) = std::byte(value >> (8 * i) & 0xFF);
}

Bytes MakeElfImage(int elfClass, const std::vector<ElfSectionSpec>& sections) {
    const ElfShape& shape = elfClass == 64 ? kElf64 : kElf32;
    Bytes image(shape.headerBytes);
    std::vector<std::uint64_t> offsets;
    std::string names(1, '\0');
    std::vector<std::uint32_t> nameOffsets;
    for (const ElfSectionSpec& section : sections) {
        offsets.push_back(image.size());
        if (section.type != kNoBits)
            image.insert(image.end(), section.contents.begin(), section.contents.end());
        nameOffsets.push_back(std::uint32_t(names.size()));
        names += section.name + '\0';
    }
    const std::uint32_t namesName = std::uint32_t(names.size());
    names += std::string(".shstrtab") + '\0';
    const std::uint64_t namesOffset = image.size();
    for (const char c : names)
        image.push_back(std::byte(c));

    image.resize((image.size() + 7) / 8 * 8);
    const std::uint64_t table = image.size();
    const std::uint16_t count = std::uint16_t(sections.size() + 2);
    image.resize(image.size() + count * shape.sectionHeaderBytes);
    WriteElfHeader(image, shape, elfClass, table, count);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        WriteSectionHeader(image, table + (i + 1) * shape.sectionHeaderBytes, shape, nameOffsets[i],
                           sections[i].type, offsets[i], sections[i].contents.size());
    }
    WriteSectionHeader(image, table + (count - 1) * shape.sectionHeaderBytes, shape, namesName, 3,
                       namesOffset, names.size());
    return image;
}

Bytes ElfWithVersionBlock(const Bytes& block, int elfClass) {
    return MakeElfImage(elfClass, {{".text", Bytes(16, std::byte{0x90})},
                                   {std::string(platform::version::kVersionSectionName), block}});
}

platform::version::VersionResource
ProgramLikeResource(platform::version::VersionTranslation translation,
                    std::vector<platform::version::VersionString> strings) {
    platform::version::VersionResource resource;
    resource.fixedInfo = platform::version::MakeFixedFileInfo({1, 3, 0, 0}, {1, 3, 0, 0});
    resource.stringTables.push_back(
        {platform::version::StringTableName(translation), std::move(strings)});
    resource.translations.push_back(translation);
    return resource;
}

std::string WriteFile(const QTemporaryDir& dir, const std::string& name,
                      std::span<const std::byte> bytes) {
    const QString path = dir.filePath(QString::fromStdString(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size()))
        throw std::runtime_error("cannot write test file " + path.toStdString());
    return path.toStdString();
}

std::optional<Bytes> LoadVersionInfo(const std::string& fileName) {
    platform::DWORD handle = 1;
    const platform::DWORD size = platform::GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    Bytes loaded(size);
    if (!platform::GetFileVersionInfoA(fileName.c_str(), handle, size, loaded.data()))
        return std::nullopt;
    return loaded;
}

std::optional<std::string> QueryText(const Bytes& loaded, const std::string& subBlock) {
    void* value = nullptr;
    platform::UINT length = 0;
    if (!platform::VerQueryValueA(loaded.data(), subBlock.c_str(), &value, &length))
        return std::nullopt;
    const std::string text(static_cast<const char*>(value));
    if (length != text.size() + 1)
        throw std::logic_error("text length " + std::to_string(length) + " for \"" + text + "\"");
    return text;
}

std::optional<std::vector<platform::version::VersionTranslation>>
QueryTranslations(const Bytes& loaded) {
    void* value = nullptr;
    platform::UINT length = 0;
    if (!platform::VerQueryValueA(loaded.data(), "\\VarFileInfo\\Translation", &value, &length))
        return std::nullopt;
    std::vector<platform::version::VersionTranslation> translations(length / 4);
    const auto* words = static_cast<const unsigned char*>(value);
    for (std::size_t i = 0; i < translations.size(); ++i) {
        translations[i].language = platform::WORD(words[4 * i] | words[4 * i + 1] << 8);
        translations[i].codePage = platform::WORD(words[4 * i + 2] | words[4 * i + 3] << 8);
    }
    return translations;
}

bool MemoryByteSource::Read(std::uint64_t offset, std::span<std::byte> out) {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
        return false;
    if (!out.empty())
        std::memcpy(out.data(), bytes_.data() + offset, out.size());
    return true;
}

} // namespace version_fixtures
