#include "platform/version/VersionBlock.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace platform::version {
namespace {

constexpr std::size_t kHeaderBytes = 6;

char16_t ReadUnit(std::span<const std::byte> block, std::size_t offset) {
    return static_cast<char16_t>(std::to_integer<unsigned>(block[offset]) |
                                 std::to_integer<unsigned>(block[offset + 1]) << 8);
}

char16_t FoldAsciiCase(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

bool KeyMatches(std::span<const std::byte> block, const VersionNode& node,
                std::u16string_view key) {
    if (node.keyUnits != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (FoldAsciiCase(ReadUnit(block, node.keyOffset + 2 * i)) != FoldAsciiCase(key[i]))
            return false;
    }
    return true;
}

std::optional<VersionNode> FindChild(std::span<const std::byte> block, const VersionNode& parent,
                                     std::u16string_view key) {
    std::optional<VersionNode> found;
    ForEachChild(block, parent, [&](const VersionNode& child) {
        if (!found && KeyMatches(block, child, key))
            found = child;
    });
    return found;
}

} // namespace

std::size_t AlignTo32Bits(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

std::optional<VersionNode> ReadVersionNode(std::span<const std::byte> block, std::size_t offset,
                                           std::size_t limit) {
    if (limit > block.size() || offset > limit || limit - offset < kHeaderBytes)
        return std::nullopt;
    const std::size_t length = ReadUnit(block, offset);
    const std::size_t valueLength = ReadUnit(block, offset + 2);
    const unsigned type = ReadUnit(block, offset + 4);
    if (length < kHeaderBytes || length > limit - offset || type > 1)
        return std::nullopt;

    VersionNode node;
    node.offset = offset;
    node.end = offset + length;
    node.keyOffset = offset + kHeaderBytes;
    std::size_t keyEnd = node.keyOffset;
    while (true) {
        if (node.end - keyEnd < 2)
            return std::nullopt; // the key runs out of the node unterminated
        if (ReadUnit(block, keyEnd) == 0)
            break;
        keyEnd += 2;
    }
    node.keyUnits = (keyEnd - node.keyOffset) / 2;
    node.isText = type == 1;
    node.valueBytes = node.isText ? 2 * valueLength : valueLength;
    // An empty value may sit in the padding after a key that ends the node;
    // keeping its offset inside the node keeps every value offset unique.
    node.valueOffset = std::min(AlignTo32Bits(keyEnd + 2), node.end);
    if (node.valueBytes > node.end - node.valueOffset)
        return std::nullopt;
    node.childrenOffset = AlignTo32Bits(node.valueOffset + node.valueBytes);
    return node;
}

std::optional<VersionNode> ReadRootNode(std::span<const std::byte> block) {
    return ReadVersionNode(block, 0, block.size());
}

void ForEachChild(std::span<const std::byte> block, const VersionNode& parent,
                  const std::function<void(const VersionNode&)>& visit) {
    std::size_t offset = parent.childrenOffset;
    while (offset < parent.end) {
        const std::optional<VersionNode> child = ReadVersionNode(block, offset, parent.end);
        if (!child)
            return;
        visit(*child);
        offset = AlignTo32Bits(child->end);
    }
}

void ForEachNode(std::span<const std::byte> block, const VersionNode& root,
                 const std::function<void(const VersionNode&)>& visit) {
    // An explicit stack: a hostile block may nest thousands of nodes deep.
    std::vector<VersionNode> pending{root};
    while (!pending.empty()) {
        const VersionNode node = pending.back();
        pending.pop_back();
        visit(node);
        std::vector<VersionNode> children;
        ForEachChild(block, node, [&](const VersionNode& child) { children.push_back(child); });
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
}

std::optional<VersionNode> FindVersionNode(std::span<const std::byte> block,
                                           std::string_view subBlock) {
    std::optional<VersionNode> node = ReadRootNode(block);
    const QStringList keys = QString::fromUtf8(subBlock.data(), qsizetype(subBlock.size()))
                                 .split(u'\\', Qt::SkipEmptyParts);
    for (const QString& key : keys) {
        if (!node)
            break;
        node = FindChild(block, *node, key.toStdU16String());
    }
    return node;
}

std::string TextValue(std::span<const std::byte> block, const VersionNode& node) {
    std::u16string units;
    const std::size_t valueEnd = node.valueOffset + node.valueBytes;
    for (std::size_t offset = node.valueOffset; offset + 2 <= valueEnd; offset += 2) {
        const char16_t unit = ReadUnit(block, offset);
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    return QString::fromStdU16String(units).toStdString();
}

} // namespace platform::version
