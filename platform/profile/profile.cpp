#include "platform/profile/profile.h"

#include "platform/profile/profile_file.h"
#include "platform/profile/profile_text.h"

#include <algorithm>
#include <cstring>

namespace platform {

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName) {
    if (!buffer || size == 0)
        return 0;
    buffer[0] = '\0';
    if (!section || !key || !fileName)
        return 0;
    const std::optional<std::string> found = profile::FindProfileValue(
        profile::ReadProfileText(profile::ProfilePath(fileName)), section, key);
    const std::string value = found ? *found : defaultValue ? defaultValue : "";
    const std::size_t copied = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), copied);
    buffer[copied] = '\0';
    return static_cast<DWORD>(copied);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
    if (!section || !key || !fileName || !profile::IsStorableSection(section) ||
        !profile::IsStorableKey(key) || (value && !profile::IsStorableValue(value)))
        return 0;
    std::optional<std::string_view> newValue;
    if (value)
        newValue = value;
    const bool written = profile::UpdateProfileText(
        profile::ProfilePath(fileName), [&](std::optional<std::string>& text) {
            if (!text && !newValue)
                return false; // nothing to remove from a file that does not exist
            if (!text)
                text.emplace();
            return profile::SetProfileValue(*text, section, key, newValue);
        });
    return written ? 1 : 0;
}

} // namespace platform
