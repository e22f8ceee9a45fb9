// An executable's bytes: its version section found by the ELF reader, and
// the input itself, each walked as a version block.
#include "fuzz/fuzz_targets.h"
#include "platform/version/ElfSection.h"
#include "platform/version/VersionBlock.h"
#include "platform/version/VersionSection.h"

#include <cstring>

namespace fuzz {
namespace {

using namespace platform::version;

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(Input bytes) : bytes_(bytes) {}
    std::uint64_t Size() override { return bytes_.size(); }
    bool Read(std::uint64_t offset, std::span<std::byte> out) override {
        if (offset > bytes_.size() || out.size() > bytes_.size() - offset)
            return false;
        if (!out.empty())
            std::memcpy(out.data(), bytes_.data() + offset, out.size());
        return true;
    }

private:
    Input bytes_;
};

void WalkBlock(std::span<const std::byte> block) {
    if (const std::optional<VersionNode> root = ReadRootNode(block)) {
        ForEachNode(block, *root, [&](const VersionNode& node) {
            if (node.isText)
                (void)TextValue(block, node);
        });
    }
    for (const char* path : {"\\", "\\StringFileInfo\\040904E4\\ProductVersion",
                             "\\VarFileInfo\\Translation", "\\StringFileInfo\\\\"})
        if (const std::optional<VersionNode> node = FindVersionNode(block, path); node)
            (void)TextValue(block, *node);
}

} // namespace

void FuzzVersion(Input input) {
    MemoryByteSource source(input);
    if (const auto section = ReadElfSection(source, kVersionSectionName, kMaxVersionBlockBytes))
        WalkBlock(*section);
    WalkBlock(std::as_bytes(input));
}

} // namespace fuzz
