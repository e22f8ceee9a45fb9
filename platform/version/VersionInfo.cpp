#include "platform/version/VersionInfo.h"

#include "platform/version/ElfSection.h"
#include "platform/version/VersionBlock.h"
#include "platform/version/VersionSection.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {
namespace version {
namespace {

// A loaded block is the raw block followed by a text area holding a UTF-8 copy
// of every text value, because the A call hands out 8-bit text while the block
// stores UTF-16. The copy of the value at block offset v sits at text-area
// offset 2v: a value of n units takes 2n bytes in the block and at most 3n + 1
// as UTF-8 with its terminator, within the 4n bytes reserved for it (one byte
// for an empty value), and values never overlap in the block, so neither do
// their copies. VerQueryValueA can thus find a copy from the block alone.
std::size_t TextAreaOffset(std::size_t blockBytes) {
    return AlignTo32Bits(blockBytes);
}

std::size_t LoadedBytes(std::size_t blockBytes) {
    return TextAreaOffset(blockBytes) + AlignTo32Bits(2 * blockBytes + 1);
}

std::optional<std::span<const std::byte>> RootBlock(std::span<const std::byte> section) {
    const std::optional<VersionNode> root = ReadRootNode(section);
    if (!root)
        return std::nullopt;
    return section.first(root->end);
}

// Devices and pipes are refused before opening: reading one could block.
std::optional<std::vector<std::byte>> ReadVersionSection(const char* fileName) {
    if (fileName == nullptr)
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return std::nullopt;
    FileByteSource file(fileName);
    return ReadElfSection(file, kVersionSectionName, kMaxVersionBlockBytes);
}

} // namespace

DWORD VersionInfoSize(std::span<const std::byte> section) {
    const std::optional<std::span<const std::byte>> block = RootBlock(section);
    return block ? static_cast<DWORD>(LoadedBytes(block->size())) : 0;
}

BOOL LoadVersionInfo(std::span<const std::byte> section, DWORD len, void* data) {
    const std::optional<std::span<const std::byte>> block = RootBlock(section);
    if (!block || data == nullptr || len < LoadedBytes(block->size()))
        return 0;
    auto* loaded = static_cast<std::byte*>(data);
    std::memcpy(loaded, block->data(), block->size());
    std::memset(loaded + block->size(), 0, LoadedBytes(block->size()) - block->size());
    char* textArea = reinterpret_cast<char*>(loaded + TextAreaOffset(block->size()));
    ForEachNode(*block, *ReadRootNode(*block), [&](const VersionNode& node) {
        if (!node.isText)
            return;
        const std::string text = TextValue(*block, node);
        std::memcpy(textArea + 2 * node.valueOffset, text.c_str(), text.size() + 1);
    });
    return 1;
}

} // namespace version

DWORD GetFileVersionInfoSizeA(const char* fileName, DWORD* handle) {
    if (handle != nullptr)
        *handle = 0;
    const std::optional<std::vector<std::byte>> section = version::ReadVersionSection(fileName);
    return section ? version::VersionInfoSize(*section) : 0;
}

BOOL GetFileVersionInfoA(const char* fileName, DWORD /*handle*/, DWORD len, void* data) {
    const std::optional<std::vector<std::byte>> section = version::ReadVersionSection(fileName);
    return section ? version::LoadVersionInfo(*section, len, data) : 0;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* len) {
    if (buffer != nullptr)
        *buffer = nullptr;
    if (len != nullptr)
        *len = 0;
    if (block == nullptr || subBlock == nullptr || buffer == nullptr)
        return 0;

    const auto* loaded = static_cast<const std::byte*>(block);
    const std::size_t blockBytes =
        std::to_integer<std::size_t>(loaded[0]) | std::to_integer<std::size_t>(loaded[1]) << 8;
    const std::span<const std::byte> raw(loaded, blockBytes);
    const std::optional<version::VersionNode> node = version::FindVersionNode(raw, subBlock);
    if (!node)
        return 0;

    void* value = const_cast<std::byte*>(loaded + node->valueOffset);
    std::size_t valueLength = node->valueBytes;
    if (node->offset == 0) {
        if (node->valueBytes < sizeof(VS_FIXEDFILEINFO))
            return 0;
    } else if (node->isText) {
        char* text = const_cast<char*>(reinterpret_cast<const char*>(
            loaded + version::TextAreaOffset(raw.size()) + 2 * node->valueOffset));
        value = text;
        valueLength = std::strlen(text) + 1;
    } else if (node->valueBytes == 0) {
        return 0;
    }
    *buffer = value;
    if (len != nullptr)
        *len = static_cast<UINT>(valueLength);
    return 1;
}

} // namespace platform
