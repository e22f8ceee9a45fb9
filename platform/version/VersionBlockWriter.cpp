#include "platform/version/VersionBlockWriter.h"

#include "platform/version/VersionBlock.h"
#include "platform/version/VersionSection.h"

#include <QString>

#include <functional>
#include <stdexcept>
#include <string_view>

namespace platform::version {
namespace {

enum class ValueKind : WORD { Binary = 0, Text = 1 };

std::u16string Utf16(const std::string& text) {
    return QString::fromStdString(text).toStdU16String();
}

class BlockWriter {
public:
    using Children = std::function<void()>;

    // Appends one node: header, key, value and whatever children writes, each
    // part starting on a 32-bit boundary of the block.
    void Node(std::u16string_view key, ValueKind kind, WORD valueLength,
              const std::vector<std::byte>& value, const Children& children = {}) {
        Pad();
        const std::size_t start = bytes_.size();
        Word(0); // wLength, known once the children are written
        Word(valueLength);
        Word(static_cast<WORD>(kind));
        for (const char16_t unit : key)
            Word(unit);
        Word(0);
        Pad();
        bytes_.insert(bytes_.end(), value.begin(), value.end());
        if (children)
            children();
        const std::size_t length = bytes_.size() - start;
        if (length > kMaxVersionBlockBytes)
            throw std::length_error("version block exceeds 65535 bytes");
        bytes_[start] = static_cast<std::byte>(length & 0xFF);
        bytes_[start + 1] = static_cast<std::byte>(length >> 8);
    }

    void TextNode(std::u16string_view key, const std::string& text) {
        std::u16string units = Utf16(text);
        units.push_back(u'\0');
        if (units.size() > 0xFFFF)
            throw std::length_error("version string exceeds 65535 characters");
        std::vector<std::byte> value;
        for (const char16_t unit : units)
            AppendWord(value, unit);
        Node(key, ValueKind::Text, static_cast<WORD>(units.size()), value);
    }

    std::vector<std::byte> Take() { return std::move(bytes_); }

    static void AppendWord(std::vector<std::byte>& out, WORD word) {
        out.push_back(static_cast<std::byte>(word & 0xFF));
        out.push_back(static_cast<std::byte>(word >> 8));
    }

private:
    void Word(WORD word) { AppendWord(bytes_, word); }
    void Pad() { bytes_.resize(AlignTo32Bits(bytes_.size())); }

    std::vector<std::byte> bytes_;
};

std::vector<std::byte> FixedInfoBytes(const VS_FIXEDFILEINFO& info) {
    std::vector<std::byte> bytes;
    for (const DWORD field :
         {info.dwSignature, info.dwStrucVersion, info.dwFileVersionMS, info.dwFileVersionLS,
          info.dwProductVersionMS, info.dwProductVersionLS, info.dwFileFlagsMask, info.dwFileFlags,
          info.dwFileOS, info.dwFileType, info.dwFileSubtype, info.dwFileDateMS,
          info.dwFileDateLS}) {
        BlockWriter::AppendWord(bytes, static_cast<WORD>(field & 0xFFFF));
        BlockWriter::AppendWord(bytes, static_cast<WORD>(field >> 16));
    }
    return bytes;
}

DWORD High(const VersionNumber& number) {
    return DWORD{number[0]} << 16 | number[1];
}

DWORD Low(const VersionNumber& number) {
    return DWORD{number[2]} << 16 | number[3];
}

void WriteStringFileInfo(BlockWriter& writer, const std::vector<VersionStringTable>& tables) {
    writer.Node(u"StringFileInfo", ValueKind::Text, 0, {}, [&] {
        for (const VersionStringTable& table : tables) {
            writer.Node(Utf16(table.name), ValueKind::Text, 0, {}, [&] {
                for (const VersionString& entry : table.strings)
                    writer.TextNode(Utf16(entry.name), entry.value);
            });
        }
    });
}

void WriteVarFileInfo(BlockWriter& writer, const std::vector<VersionTranslation>& translations) {
    std::vector<std::byte> pairs;
    for (const VersionTranslation& translation : translations) {
        BlockWriter::AppendWord(pairs, translation.language);
        BlockWriter::AppendWord(pairs, translation.codePage);
    }
    if (pairs.size() > 0xFFFF)
        throw std::length_error("translation table exceeds 65535 bytes");
    writer.Node(u"VarFileInfo", ValueKind::Text, 0, {}, [&] {
        writer.Node(u"Translation", ValueKind::Binary, static_cast<WORD>(pairs.size()), pairs);
    });
}

} // namespace

VS_FIXEDFILEINFO MakeFixedFileInfo(const VersionNumber& fileVersion,
                                   const VersionNumber& productVersion) {
    VS_FIXEDFILEINFO info{};
    info.dwSignature = VS_FFI_SIGNATURE;
    info.dwStrucVersion = VS_FFI_STRUCVERSION;
    info.dwFileVersionMS = High(fileVersion);
    info.dwFileVersionLS = Low(fileVersion);
    info.dwProductVersionMS = High(productVersion);
    info.dwProductVersionLS = Low(productVersion);
    info.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    info.dwFileOS = VOS_NT_WINDOWS32;
    info.dwFileType = VFT_APP;
    return info;
}

std::string StringTableName(VersionTranslation translation) {
    return QStringLiteral("%1%2")
        .arg(translation.language, 4, 16, QChar(u'0'))
        .arg(translation.codePage, 4, 16, QChar(u'0'))
        .toUpper()
        .toStdString();
}

std::vector<std::byte> WriteVersionBlock(const VersionResource& resource) {
    BlockWriter writer;
    const std::vector<std::byte> fixedInfo = FixedInfoBytes(resource.fixedInfo);
    writer.Node(u"VS_VERSION_INFO", ValueKind::Binary, static_cast<WORD>(fixedInfo.size()),
                fixedInfo, [&] {
                    if (!resource.stringTables.empty())
                        WriteStringFileInfo(writer, resource.stringTables);
                    if (!resource.translations.empty())
                        WriteVarFileInfo(writer, resource.translations);
                });
    return writer.Take();
}

} // namespace platform::version
