#include "platform/files/name_mask.h"

#include "platform/ascii_case.h"

namespace platform {
namespace {

bool SameCharacter(char a, char b) {
    return EqualsIgnoringAsciiCase(std::string_view(&a, 1), std::string_view(&b, 1));
}

// Greedy matching that goes back to the last "*" on a mismatch: linear in
// practice and never recursive, whatever the mask.
bool MatchesGlob(std::string_view name, std::string_view mask) {
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || SameCharacter(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    if (MatchesGlob(name, mask))
        return true;
    constexpr std::string_view anyExtension = ".*";
    return mask.ends_with(anyExtension) && name.find('.') == std::string_view::npos &&
           MatchesGlob(name, mask.substr(0, mask.size() - anyExtension.size()));
}

} // namespace platform
