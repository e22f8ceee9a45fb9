#pragma once
// Reading and editing the text of a profile file ("[section]" lines followed
// by "key=value" lines). Sections and keys match without regard to ASCII
// letter case; the first matching section and key count. An edit changes only
// the line it concerns: every other line, comment, blank and the order stay.
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

// The value of `key` in `section`: blanks around it removed, then one pair of
// enclosing double quotes. Nothing when the section or key is missing.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// Sets `key` in `section` to `value`, or removes the key when `value` is
// nothing. A new key goes after the section's last entry, a new section at the
// end of the text. A value that would lose its outer blanks or quotes on
// reading is written in quotes. Returns whether the text changed.
bool SetProfileValue(std::string& text, std::string_view section, std::string_view key,
                     const std::optional<std::string_view>& value);

// Whether a name can be stored without changing the file's structure: no line
// breaks, and for keys no "=" and no leading "[" or ";"; for sections no "]".
bool IsStorableSection(std::string_view section);
bool IsStorableKey(std::string_view key);
bool IsStorableValue(std::string_view value);

} // namespace platform::profile
