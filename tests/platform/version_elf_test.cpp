// The ELF section lookup on damaged files: each damage must read as "no such
// section", and no damage at all may make it read outside the file.
#include "platform/version/ElfSection.h"
#include "tests/platform/version_fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace version_fixtures;
using platform::version::ReadElfSection;

namespace {

const Bytes kContents{std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}, std::byte{5}};

std::optional<Bytes> Find(const Bytes& image, std::size_t maxBytes = 1024) {
    MemoryByteSource source(image);
    return ReadElfSection(source, ".wanted", maxBytes);
}

Bytes Image64() {
    return MakeElfImage(64, {{".other", Bytes(8, std::byte{9})}, {".wanted", kContents}});
}

// ELF64 offsets of the fields the damage below touches.
constexpr std::size_t kShoff = 0x28, kShentsize = 0x3A, kShnum = 0x3C, kShstrndx = 0x3E;
constexpr std::size_t kWantedHeader = 2; // null section, .other, .wanted, .shstrtab

std::size_t SectionHeaderAt(const Bytes& image, std::size_t index) {
    std::size_t table = 0;
    for (std::size_t i = 0; i < 8; ++i)
        table |= std::to_integer<std::size_t>(image[kShoff + i]) << (8 * i);
    return table + index * 64;
}

} // namespace

TEST(ElfSection, FindsTheNamedSectionInBothClasses) {
    EXPECT_EQ(Find(Image64()), kContents);
    EXPECT_EQ(Find(MakeElfImage(32, {{".wanted", kContents}})), kContents);
    EXPECT_EQ(Find(Image64(), 2), Bytes(kContents.begin(), kContents.begin() + 2));
    EXPECT_FALSE(Find(MakeElfImage(64, {{".wanted.not", kContents}, {".want", kContents}})));
}

TEST(ElfSection, DamagedFilesHaveNoSection) {
    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages = {
        {"bad magic", [](Bytes& image) { image[1] = std::byte{'X'}; }},
        {"big-endian", [](Bytes& image) { image[5] = std::byte{2}; }},
        {"unknown class", [](Bytes& image) { image[4] = std::byte{3}; }},
        {"table past the end",
         [](Bytes& image) { PutLittleEndian(image, kShoff, 8, image.size() - 10); }},
        {"table offset overflows",
         [](Bytes& image) { PutLittleEndian(image, kShoff, 8, ~0ull - 8); }},
        {"entries too small", [](Bytes& image) { PutLittleEndian(image, kShentsize, 2, 40); }},
        {"too many sections", [](Bytes& image) { PutLittleEndian(image, kShnum, 2, 0xFFFF); }},
        {"names index out of range", [](Bytes& image) { PutLittleEndian(image, kShstrndx, 2, 4); }},
        {"names index reserved",
         [](Bytes& image) { PutLittleEndian(image, kShstrndx, 2, 0xFFFF); }},
        {"contents past the end",
         [](Bytes& image) {
             PutLittleEndian(image, SectionHeaderAt(image, kWantedHeader) + 24, 8, image.size());
         }},
        {"size overflows",
         [](Bytes& image) {
             PutLittleEndian(image, SectionHeaderAt(image, kWantedHeader) + 32, 8, ~0ull);
         }},
        {"name past the names",
         [](Bytes& image) {
             PutLittleEndian(image, SectionHeaderAt(image, kWantedHeader), 4, 0x10000);
         }},
        {"names cut before the terminator",
         [](Bytes& image) {
             const std::size_t names = SectionHeaderAt(image, 3);
             PutLittleEndian(image, names + 32, 8, 1 + 7 + 7); // ends inside ".wanted"
         }},
        {"cut off inside the header", [](Bytes& image) { image.resize(40); }},
        {"cut off inside the table", [](Bytes& image) { image.resize(image.size() - 1); }},
    };
    for (const auto& [what, damage] : damages) {
        Bytes image = Image64();
        damage(image);
        EXPECT_FALSE(Find(image)) << what;
    }
}

TEST(ElfSection, RandomDamageNeverReadsOutsideTheFile) {
    std::mt19937 random(20240601);
    const Bytes originals[] = {Image64(), MakeElfImage(32, {{".wanted", kContents}})};
    for (int round = 0; round < 20000; ++round) {
        Bytes image = originals[round % 2];
        const int edits = 1 + int(random() % 4);
        for (int edit = 0; edit < edits; ++edit) {
            const std::size_t at = random() % image.size();
            switch (random() % 3) {
            case 0:
                image[at] = std::byte(random());
                break;
            case 1: // a header field set to an extreme
                image[at] = std::byte(random() % 2 ? 0xFF : 0x00);
                break;
            default:
                image.resize(std::max<std::size_t>(at, 1));
                break;
            }
        }
        const std::optional<Bytes> found = Find(image, 4);
        if (found) {
            EXPECT_LE(found->size(), 4u);
        }
    }
}
