// A profile file's text, with the section, key and value of one edit taken
// from the front of the input ("section", NUL, "key", NUL, "value", NUL, text):
// a value that was set must read back as it was set.
#include "fuzz/fuzz_targets.h"
#include "platform/profile/profile_text.h"

#include <string>

namespace fuzz {
namespace {

// The next NUL-terminated part of `rest`, or all of it.
std::string_view NextPart(std::string_view& rest) {
    const std::size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

} // namespace

void FuzzProfile(Input input) {
    using namespace platform::profile;
    std::string_view rest(reinterpret_cast<const char*>(input.data()), input.size());
    const std::string_view section = NextPart(rest);
    const std::string_view key = NextPart(rest);
    const std::string_view value = NextPart(rest);
    std::string text(rest);

    (void)FindProfileValue(text, section, key);
    if (!IsStorableSection(section) || !IsStorableKey(key) || !IsStorableValue(value))
        return;
    SetProfileValue(text, section, key, value);
    const std::optional<std::string> read = FindProfileValue(text, section, key);
    Require(read && *read == value, "a value set does not read back");
    SetProfileValue(text, section, key, std::nullopt);
}

} // namespace fuzz
