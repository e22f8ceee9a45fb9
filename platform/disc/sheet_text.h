#pragma once
// The text of the sheets that describe disc images (cue sheets, cdrdao
// tables, CloneCD sheets): lines of words, times in minutes, seconds and
// frames.
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// Such sheets are a few hundred bytes; a larger file is not one.
inline constexpr std::size_t kLargestSheet = 64 * 1024;

// True for text without control characters other than tabs and line ends.
bool IsSheetText(std::string_view text);

// The next line of `text` (without its end), taken off `text`.
std::string_view NextLine(std::string_view& text);

// The next word of `line`, or the text between double quotes, taken off `line`.
std::string_view NextWord(std::string_view& line);

// "mm:ss:ff" as a number of sectors (75 a second). Nothing for anything
// else, or past what a CD holds.
std::optional<std::uint32_t> SectorsOfTime(std::string_view time);

// A decimal number of at most nine digits.
std::optional<std::uint32_t> DecimalNumber(std::string_view text);

} // namespace platform
