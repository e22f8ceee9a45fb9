#include "platform/profile/profile_text.h"

#include "platform/ascii_case.h"

#include <vector>

namespace platform::profile {
namespace {

struct Line {
    std::size_t begin; // first character
    std::size_t end;   // one past the last character before the line break
    std::size_t next;  // start of the following line
};

enum class LineKind { other, section, entry };

struct ParsedLine {
    LineKind kind = LineKind::other;
    std::string_view name; // section name or key, blanks removed
    std::string_view value;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        std::size_t end = newline == std::string_view::npos ? text.size() : newline;
        if (end > begin && text[end - 1] == '\r')
            --end;
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

ParsedLine parse(std::string_view text, const Line& line) {
    const std::string_view content = trimmed(text.substr(line.begin, line.end - line.begin));
    if (content.empty() || content.front() == ';')
        return {};
    if (content.front() == '[') {
        const std::string_view inside = content.substr(1, content.find(']') - 1);
        return {LineKind::section, trimmed(inside), {}};
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::entry, trimmed(content.substr(0, equals)), content.substr(equals + 1)};
}

std::string readValue(std::string_view raw) {
    std::string_view value = trimmed(raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string storedValue(std::string_view value) {
    const bool outerBlank = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                               value.back() == ' ' || value.back() == '\t');
    const bool outerQuotes = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (outerBlank || outerQuotes)
        return '"' + std::string(value) + '"';
    return std::string(value);
}

// Where a key lives, as far as the text has it.
struct Location {
    std::optional<std::size_t> section; // index of the section's header line
    std::optional<std::size_t> key;     // index of the key's line
    std::size_t lastEntry = 0;          // index after which a new key goes
};

Location locate(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
    section = trimmed(section);
    key = trimmed(key);
    Location location;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const ParsedLine line = parse(text, lines[index]);
        if (line.kind == LineKind::section) {
            if (location.section)
                break; // only the first section of that name counts
            if (EqualsIgnoringAsciiCase(line.name, section))
                location.section = location.lastEntry = index;
        } else if (location.section && line.kind == LineKind::entry) {
            location.lastEntry = index;
            if (EqualsIgnoringAsciiCase(line.name, key)) {
                location.key = index;
                break;
            }
        }
    }
    return location;
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    const std::vector<Line> lines = splitLines(text);
    const Location location = locate(text, lines, section, key);
    if (!location.key)
        return std::nullopt;
    return readValue(parse(text, lines[*location.key]).value);
}

bool SetProfileValue(std::string& text, std::string_view section, std::string_view key,
                     const std::optional<std::string_view>& value) {
    const std::vector<Line> lines = splitLines(text);
    const Location location = locate(text, lines, section, key);
    const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";

    if (location.key) {
        const Line& line = lines[*location.key];
        if (!value) {
            text.erase(line.begin, line.next - line.begin);
            return true;
        }
        // The key keeps the spelling the file gave it.
        const std::string replacement =
            std::string(parse(text, line).name) + "=" + storedValue(*value);
        if (text.compare(line.begin, line.end - line.begin, replacement) == 0)
            return false;
        text.replace(line.begin, line.end - line.begin, replacement);
        return true;
    }
    if (!value)
        return false;
    const std::string entry = std::string(trimmed(key)) + "=" + storedValue(*value);
    if (location.section) {
        const Line& after = lines[location.lastEntry];
        const bool endsLine = after.next > after.end && text[after.next - 1] == '\n';
        // A last line that ends in a lone "\r" needs only the "\n" of its break.
        const bool halfBreak = !endsLine && after.next > after.end;
        text.insert(after.next, endsLine ? entry + eol : (halfBreak ? "\n" : eol) + entry);
        return true;
    }
    if (!text.empty() && text.back() != '\n')
        text += eol;
    text.append("[").append(trimmed(section)).append("]").append(eol).append(entry).append(eol);
    return true;
}

bool IsStorableSection(std::string_view section) {
    return !hasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool IsStorableKey(std::string_view key) {
    const std::string_view name = trimmed(key);
    return !hasLineBreak(key) && key.find('=') == std::string_view::npos &&
           (name.empty() || (name.front() != '[' && name.front() != ';'));
}

bool IsStorableValue(std::string_view value) {
    return !hasLineBreak(value);
}

} // namespace platform::profile
