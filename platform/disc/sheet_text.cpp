#include "platform/disc/sheet_text.h"

#include "platform/disc/image_layout.h"

#include <algorithm>

namespace platform {
namespace {
void SkipBlanks(std::string_view& line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
}
} // namespace

bool IsSheetText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\r' || c == '\n';
    });
}

std::string_view NextLine(std::string_view& text) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

std::string_view NextWord(std::string_view& line) {
    SkipBlanks(line);
    std::size_t end;
    std::string_view word;
    if (line.starts_with('"')) {
        end = line.find('"', 1);
        word = line.substr(1, end == std::string_view::npos ? end : end - 1);
        end = end == std::string_view::npos ? line.size() : end + 1;
    } else {
        end = std::min(line.find_first_of(" \t"), line.size());
        word = line.substr(0, end);
    }
    line.remove_prefix(end);
    return word;
}

std::optional<std::uint32_t> DecimalNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : text)
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    return number;
}

std::optional<std::uint32_t> SectorsOfTime(std::string_view time) {
    std::uint32_t sectors = 0;
    const std::uint32_t scales[] = {60 * 75, 75, 1};
    if (std::count(time.begin(), time.end(), ':') != 2)
        return std::nullopt;
    for (const std::uint32_t scale : scales) {
        const std::size_t end = std::min(time.find(':'), time.size());
        const std::optional<std::uint32_t> part = DecimalNumber(time.substr(0, end));
        if (!part || (scale != scales[0] && *part >= (scale == 75 ? 60u : 75u)) || *part > 999)
            return std::nullopt;
        sectors += *part * scale;
        time.remove_prefix(std::min(end + 1, time.size()));
    }
    return sectors <= kLargestImageSectors ? std::optional(sectors) : std::nullopt;
}

} // namespace platform
