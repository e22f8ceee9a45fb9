#pragma once
// The letter-case rules of the Windows interfaces the program expects: names
// of keys, sections, drivers and extensions match without regard to case, but
// only the ASCII letters a-z fold.
#include <string>
#include <string_view>

namespace platform {

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// The order of names in a Windows folder listing: upper-cased, then compared
// character by character.
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace platform
