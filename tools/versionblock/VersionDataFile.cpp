#include "tools/versionblock/VersionDataFile.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

using platform::WORD;
using platform::version::VersionNumber;
using platform::version::VersionResource;
using platform::version::VersionString;
using platform::version::VersionTranslation;

namespace {

constexpr std::string_view kStandardStrings[] = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};

std::optional<WORD> ParseWord(std::string_view text, int base) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > 0xFFFF)
        return std::nullopt;
    return static_cast<WORD>(value);
}

VersionNumber ParseVersionNumber(std::string_view text) {
    VersionNumber number{};
    for (std::size_t i = 0; i < number.size(); ++i) {
        const std::size_t dot = i + 1 < number.size() ? text.find('.') : text.size();
        const std::optional<WORD> part = ParseWord(text.substr(0, dot), 10);
        if (dot == std::string_view::npos || !part)
            throw std::runtime_error("expected four numbers 0-65535 separated by dots");
        number[i] = *part;
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return number;
}

VersionTranslation ParseTranslation(std::string_view text) {
    const std::size_t slash = text.find('/');
    const std::optional<WORD> language = ParseWord(text.substr(0, slash), 16);
    const std::optional<WORD> codePage =
        slash == std::string_view::npos ? std::nullopt : ParseWord(text.substr(slash + 1), 16);
    if (!language || !codePage)
        throw std::runtime_error("expected language/code page in hex, e.g. 0409/04E4");
    return {*language, *codePage};
}

struct VersionData {
    std::optional<VersionTranslation> translation;
    std::optional<VersionNumber> fileVersion;
    std::optional<VersionNumber> productVersion;
    std::vector<VersionString> strings;

    bool Has(std::string_view name) const {
        return std::any_of(strings.begin(), strings.end(),
                           [&](const VersionString& entry) { return entry.name == name; });
    }

    void Set(const std::string& name, std::string_view value) {
        if (name == "Translation")
            Assign(translation, ParseTranslation(value));
        else if (name == "FixedFileVersion")
            Assign(fileVersion, ParseVersionNumber(value));
        else if (name == "FixedProductVersion")
            Assign(productVersion, ParseVersionNumber(value));
        else if (Has(name))
            throw std::runtime_error("given twice");
        else
            strings.push_back({name, std::string(value)});
    }

    template <typename T> static void Assign(std::optional<T>& field, const T& value) {
        if (field)
            throw std::runtime_error("given twice");
        field = value;
    }
};

// The standard strings come first, in their usual order, then any others.
std::vector<VersionString> WithStandardStrings(const std::vector<VersionString>& given) {
    std::vector<VersionString> strings;
    for (const std::string_view name : kStandardStrings) {
        const auto found =
            std::find_if(given.begin(), given.end(),
                         [&](const VersionString& entry) { return entry.name == name; });
        strings.push_back({std::string(name), found == given.end() ? "" : found->value});
    }
    for (const VersionString& entry : given) {
        if (std::find(std::begin(kStandardStrings), std::end(kStandardStrings), entry.name) ==
            std::end(kStandardStrings))
            strings.push_back(entry);
    }
    return strings;
}

} // namespace

VersionResource ParseVersionData(std::istream& input) {
    VersionData data;
    std::string line;
    for (int number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const std::size_t equals = line.find('=');
        try {
            if (equals == 0 || equals == std::string::npos)
                throw std::runtime_error("expected Name=Value");
            data.Set(line.substr(0, equals), std::string_view(line).substr(equals + 1));
        } catch (const std::runtime_error& error) {
            throw std::runtime_error("line " + std::to_string(number) + ": " + error.what());
        }
    }
    if (!data.translation || !data.fileVersion || !data.productVersion)
        throw std::runtime_error(
            "Translation, FixedFileVersion and FixedProductVersion are required");

    VersionResource resource;
    resource.fixedInfo =
        platform::version::MakeFixedFileInfo(*data.fileVersion, *data.productVersion);
    resource.stringTables.push_back(
        {platform::version::StringTableName(*data.translation), WithStandardStrings(data.strings)});
    resource.translations.push_back(*data.translation);
    return resource;
}
