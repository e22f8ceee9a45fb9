// The block parser on malformed blocks: a node that does not fit its parent is
// not there, and no bytes at all may make loading or querying read outside the
// block or hand out a text that is not what the block holds.
#include "platform/version/VersionBlock.h"
#include "platform/version/VersionInfo.h"
#include "tests/platform/version_fixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace version_fixtures;
using platform::version::VersionResource;
using platform::version::WriteVersionBlock;

namespace {

const char* const kProductVersion = "\\StringFileInfo\\040904E4\\ProductVersion";

Bytes ProgramBlock() {
    return WriteVersionBlock(ProgramLikeResource(
        {0x0409, 0x04E4},
        {{"CompanyName", "Norvane Software"}, {"ProductVersion", "v1.30"}, {"Comments", ""}}));
}

std::optional<Bytes> Load(const Bytes& block) {
    const platform::DWORD size = platform::version::VersionInfoSize(block);
    if (size == 0)
        return std::nullopt;
    Bytes loaded(size);
    if (!platform::version::LoadVersionInfo(block, size, loaded.data()))
        throw std::logic_error("a block with a size did not load");
    return loaded;
}

// Offset of the header of the node that subBlock names.
std::size_t NodeAt(const Bytes& block, const char* subBlock) {
    return platform::version::FindVersionNode(block, subBlock).value().offset;
}

} // namespace

TEST(VersionBlock, StringValueLongerThanItsNodeIsNotReturned) {
    Bytes block = ProgramBlock();
    const std::size_t node = NodeAt(block, kProductVersion);
    PutLittleEndian(block, node + 2, 2, 200); // wValueLength in characters
    const std::optional<Bytes> loaded = Load(block);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(QueryText(*loaded, kProductVersion));
    EXPECT_EQ(QueryText(*loaded, "\\StringFileInfo\\040904E4\\CompanyName"), "Norvane Software");
}

TEST(VersionBlock, ChildLongerThanItsParentEndsTheParent) {
    Bytes block = ProgramBlock();
    const std::size_t node = NodeAt(block, "\\StringFileInfo\\040904E4\\CompanyName");
    PutLittleEndian(block, node, 2, 0x2000);
    const std::optional<Bytes> loaded = Load(block);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(QueryText(*loaded, "\\StringFileInfo\\040904E4\\CompanyName"));
    EXPECT_FALSE(QueryText(*loaded, kProductVersion));
    EXPECT_TRUE(QueryTranslations(*loaded)); // a sibling of the damaged table's parent
}

TEST(VersionBlock, FixedInfoMustBeWhole) {
    Bytes block = ProgramBlock();
    PutLittleEndian(block, 2, 2, 0); // the root's wValueLength
    const std::optional<Bytes> loaded = Load(block);
    ASSERT_TRUE(loaded);
    void* value = nullptr;
    platform::UINT length = 0;
    EXPECT_FALSE(platform::VerQueryValueA(loaded->data(), "\\", &value, &length));
}

TEST(VersionBlock, BlocksBeyondSixteenBitsAreRefusedByTheWriter) {
    VersionResource resource = ProgramLikeResource({0x0409, 0x04E4}, {});
    resource.stringTables[0].strings.push_back({"Comments", std::string(40000, 'x')});
    EXPECT_THROW(WriteVersionBlock(resource), std::length_error);
}

TEST(VersionBlock, RandomDamageNeverReadsOutsideTheBlock) {
    const Bytes original = ProgramBlock();
    const char* const paths[] = {"\\",
                                 "\\VarFileInfo\\Translation",
                                 kProductVersion,
                                 "\\StringFileInfo\\040904E4\\CompanyName",
                                 "\\StringFileInfo\\040904E4\\Comments",
                                 "\\StringFileInfo\\040904E4",
                                 "\\StringFileInfo"};
    std::mt19937 random(19970521);
    int loadedCount = 0;
    for (int round = 0; round < 20000; ++round) {
        Bytes block = original;
        const int edits = 1 + int(random() % 4);
        for (int edit = 0; edit < edits && !block.empty(); ++edit) {
            const std::size_t at = random() % block.size() & ~std::size_t{1};
            switch (random() % 4) {
            case 0:
                block[at] = std::byte(random());
                break;
            case 1: // a length or type word set to an extreme or a near miss
                PutLittleEndian(block, at, 2,
                                std::vector<unsigned>{0, 1, 6, 8, 0xFFFF}[random() % 5]);
                break;
            case 2: {
                const unsigned word = std::to_integer<unsigned>(block[at]) |
                                      std::to_integer<unsigned>(block[at + 1]) << 8;
                PutLittleEndian(block, at, 2, (word + random() % 9 - 4) & 0xFFFF);
                break;
            }
            default:
                block.resize(at);
                break;
            }
        }
        const std::optional<Bytes> loaded = Load(block);
        if (!loaded)
            continue;
        ++loadedCount;
        const Bytes raw(block.begin(),
                        block.begin() + (std::to_integer<std::size_t>(block[0]) |
                                         std::to_integer<std::size_t>(block[1]) << 8));
        for (const char* path : paths) {
            void* value = nullptr;
            platform::UINT length = 0;
            if (!platform::VerQueryValueA(loaded->data(), path, &value, &length))
                continue;
            const auto* start = static_cast<const std::byte*>(value);
            ASSERT_GE(start, loaded->data());
            ASSERT_LE(start + length, loaded->data() + loaded->size()) << path;
            const auto node = platform::version::FindVersionNode(raw, path);
            ASSERT_TRUE(node);
            if (node->isText && node->offset != 0) {
                ASSERT_EQ(static_cast<const char*>(value), platform::version::TextValue(raw, *node))
                    << path;
            }
        }
    }
    // The damage must leave enough blocks readable for the queries to be tried.
    EXPECT_GT(loadedCount, 1000);
}
