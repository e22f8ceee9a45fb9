#include "platform/registry/hive_format.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>
#include <vector>

namespace platform::registry {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndian = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndian = "\xFE\xFF";

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// Parses hexadecimal digits, all of `digits`, into `number`.
template <typename Number> bool ParseHex(std::string_view digits, Number& number) {
    if (digits.empty())
        return false;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    return error == std::errc() && end == digits.data() + digits.size();
}

class Parser {
public:
    Parser(std::string_view text, std::string_view rootName, HiveParseError& error)
        : lines_(SplitLines(text)), rootName_(rootName), error_(error) {}

    std::optional<Hive> Run() {
        if (!SkipToHeader())
            return std::nullopt;
        for (++line_; line_ < lines_.size(); ++line_) {
            const std::string_view text = Trimmed(lines_[line_]);
            if (text.empty() || text.front() == ';')
                continue;
            if (!(text.front() == '[' ? ReadSection(text) : ReadValue(text)))
                return std::nullopt;
        }
        return std::move(hive_);
    }

private:
    bool Fail(std::string reason) {
        error_ = {static_cast<int>(line_) + 1, std::move(reason)};
        return false;
    }

    // Leaves line_ on the header; a text with nothing in it is an empty hive.
    bool SkipToHeader() {
        while (line_ < lines_.size() && Trimmed(lines_[line_]).empty())
            ++line_;
        if (line_ == lines_.size())
            return true;
        std::string_view first = Trimmed(lines_[line_]);
        if (first.starts_with(kByteOrderMark))
            first.remove_prefix(kByteOrderMark.size());
        if (first.starts_with(kUtf16LittleEndian) || first.starts_with(kUtf16BigEndian))
            return Fail("the file is UTF-16 text, as regedit exports it; this file must be "
                        "REGEDIT4 text");
        return first == kHeader || Fail("the file does not begin with " + std::string(kHeader));
    }

    bool ReadSection(std::string_view text) {
        if (text.back() != ']')
            return Fail("a key line does not end with ]");
        const std::string_view name = text.substr(1, text.size() - 2);
        if (name.starts_with('-'))
            return Fail("a saved registry holds no key removals");
        if (!StartsWithNoCase(name, rootName_) ||
            (name.size() > rootName_.size() && name[rootName_.size()] != '\\'))
            return Fail("the key lies outside " + std::string(rootName_));
        const std::optional<std::string> path = CanonicalKeyPath("", name.substr(rootName_.size()));
        if (!path)
            return Fail("a key name holds a control character");
        if (KeyDepth(*path) > kMaxKeyDepth)
            return Fail("a key lies more than " + std::to_string(kMaxKeyDepth) + " levels deep");
        hive_.Create(*path);
        section_ = hive_.Find(*path);
        // A key named again later goes on where it left off.
        positions_ = &positionsByKey_[section_];
        return true;
    }

    bool ReadValue(std::string_view text) {
        if (!section_)
            return Fail("a value stands before the first key");
        HiveValue value;
        if (text.front() == '@') {
            text.remove_prefix(1);
        } else if (!ReadQuoted(text, value.name)) {
            return Fail("a value line does not begin with a quoted name or @");
        }
        text = Trimmed(text);
        if (!text.starts_with('='))
            return Fail("a value name is not followed by =");
        text = Trimmed(text.substr(1));
        if (!ReadData(text, value))
            return false;
        // As in regedit, a value named twice takes the later data.
        const auto [position, added] =
            positions_->try_emplace(AsciiLower(value.name), section_->size());
        if (added)
            section_->push_back(std::move(value));
        else
            (*section_)[position->second] = std::move(value);
        return true;
    }

    bool ReadData(std::string_view text, HiveValue& value) {
        if (text.starts_with('"')) {
            std::string content;
            if (!ReadQuoted(text, content))
                return Fail("a quoted text is not closed");
            if (!Trimmed(text).empty())
                return Fail("something follows a quoted text");
            value.type = REG_SZ;
            value.data.assign(content.begin(), content.end());
            value.data.push_back(0);
            return true;
        }
        if (StartsWithNoCase(text, "dword:")) {
            DWORD number = 0;
            const std::string_view digits = Trimmed(text.substr(6));
            if (digits.size() > 8 || !ParseHex(digits, number))
                return Fail("a dword is not 1 to 8 hexadecimal digits");
            value.type = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8)
                value.data.push_back(static_cast<BYTE>(number >> shift));
            return true;
        }
        if (StartsWithNoCase(text, "hex"))
            return ReadHex(text.substr(3), value);
        return Fail("a value has an unknown form");
    }

    // `text` follows "hex": an optional "(type)", a colon, then byte pairs
    // separated by commas, possibly continued over several lines.
    bool ReadHex(std::string_view text, HiveValue& value) {
        value.type = REG_BINARY;
        if (text.starts_with('(')) {
            const std::size_t close = text.find(')');
            if (close == std::string_view::npos || !ParseHex(text.substr(1, close - 1), value.type))
                return Fail("a hex type is not a hexadecimal number in brackets");
            text.remove_prefix(close + 1);
        }
        if (!text.starts_with(':'))
            return Fail("hex is not followed by :");
        std::string list(text.substr(1));
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (++line_ == lines_.size())
                return Fail("the file ends inside a continued hex list");
            list += Trimmed(lines_[line_]);
        }
        return ReadBytes(list, value.data);
    }

    bool ReadBytes(std::string_view list, std::vector<BYTE>& bytes) {
        list = Trimmed(list);
        while (!list.empty()) {
            const std::size_t comma = std::min(list.find(','), list.size());
            BYTE byte = 0;
            const std::string_view digits = Trimmed(list.substr(0, comma));
            if (digits.size() > 2 || !ParseHex(digits, byte))
                return Fail("a hex list holds something other than bytes");
            bytes.push_back(byte);
            list.remove_prefix(std::min(comma + 1, list.size()));
        }
        return true;
    }

    // Reads a quoted text at the start of `text` and consumes it. Only \\ and
    // \" are escapes; any other backslash is taken as it stands, so a
    // hand-written path loses nothing.
    static bool ReadQuoted(std::string_view& text, std::string& content) {
        if (!text.starts_with('"'))
            return false;
        for (std::size_t at = 1; at < text.size(); ++at) {
            const char c = text[at];
            if (c == '"') {
                text.remove_prefix(at + 1);
                return true;
            }
            if (c == '\\' && at + 1 < text.size() && (text[at + 1] == '\\' || text[at + 1] == '"'))
                ++at;
            content += text[at];
        }
        return false;
    }

    std::vector<std::string_view> lines_;
    std::string_view rootName_;
    HiveParseError& error_;
    std::size_t line_ = 0;
    Hive hive_;
    HiveValues* section_ = nullptr; // the values of the key being read
    // Where each value of each key stands, by folded name, so that neither a
    // key with thousands of values nor one named thousands of times makes
    // reading quadratic. Keys stay where they are in the hive, so their
    // values' address names them.
    using Positions = std::unordered_map<std::string, std::size_t>;
    std::unordered_map<const HiveValues*, Positions> positionsByKey_;
    Positions* positions_ = nullptr; // those of section_
};

} // namespace

std::optional<Hive> ParseHive(std::string_view text, std::string_view rootName,
                              HiveParseError& error) {
    return Parser(text, rootName, error).Run();
}

} // namespace platform::registry
