#pragma once
// The node tree of a VS_VERSIONINFO block. Each node is a header (wLength,
// wValueLength, wType), a zero-terminated UTF-16LE key, padding to 32 bits, its
// value, padding, and its children. A node is only accepted when it lies wholly
// inside its parent and the block, so any bytes at all, cut off or hostile,
// give at worst "no such node".
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform::version {

struct VersionNode {
    std::size_t offset = 0; // of the header, from the start of the block
    std::size_t end = 0;    // offset + wLength
    std::size_t keyOffset = 0;
    std::size_t keyUnits = 0; // without the terminator
    bool isText = false;      // wType 1: the value is wValueLength UTF-16 units
    std::size_t valueOffset = 0;
    std::size_t valueBytes = 0;
    std::size_t childrenOffset = 0;
};

std::size_t AlignTo32Bits(std::size_t offset);

// The node whose header is at offset and which ends before limit.
std::optional<VersionNode> ReadVersionNode(std::span<const std::byte> block, std::size_t offset,
                                           std::size_t limit);

// The first node of the block, which spans the whole version information.
std::optional<VersionNode> ReadRootNode(std::span<const std::byte> block);

// Calls visit with each child in order, up to the first malformed one.
void ForEachChild(std::span<const std::byte> block, const VersionNode& parent,
                  const std::function<void(const VersionNode&)>& visit);

// Calls visit with every node of the tree below root (root included), parents
// before children.
void ForEachNode(std::span<const std::byte> block, const VersionNode& root,
                 const std::function<void(const VersionNode&)>& visit);

// The node that a path such as "\StringFileInfo\040904E4\ProductVersion" names,
// with keys compared regardless of ASCII case; "\" and "" name the root.
std::optional<VersionNode> FindVersionNode(std::span<const std::byte> block,
                                           std::string_view subBlock);

// A text node's value up to its first zero unit, as UTF-8.
std::string TextValue(std::span<const std::byte> block, const VersionNode& node);

} // namespace platform::version
