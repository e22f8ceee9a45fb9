#include "platform/disc/clone_cd_sheet.h"

#include "platform/ascii_case.h"
#include "platform/disc/sheet_text.h"

namespace platform {
namespace {

constexpr std::uint32_t rawSectorSize = 2352;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A number as the sheets write them: decimal, or hexadecimal after "0x".
std::optional<std::uint32_t> SheetNumber(std::string_view text) {
    if (!AsciiLower(text.substr(0, 2)).starts_with("0x"))
        return DecimalNumber(text);
    text.remove_prefix(2);
    if (text.empty() || text.size() > 7)
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : AsciiLower(text)) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && (c < 'a' || c > 'f'))
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit ? c - '0' : c - 'a' + 10);
    }
    return number;
}

} // namespace

std::optional<ImageLayout> CloneCdLayout(std::string_view text, const ImageFile& image,
                                         std::string& problem) {
    bool clone = false, scrambled = false;
    std::optional<std::uint32_t> firstMode, leadOut;
    std::uint32_t point = 0; // of the entry being read; 0 is no lead-out
    std::string section;
    if (text.size() <= kLargestSheet && IsSheetText(text)) {
        while (!text.empty()) {
            const std::string_view line = Trimmed(NextLine(text));
            if (line.starts_with('[') && line.ends_with(']')) {
                section = AsciiUpper(line.substr(1, line.size() - 2));
                clone = clone || section == "CLONECD";
                point = 0;
                continue;
            }
            const std::size_t equals = line.find('=');
            if (equals == std::string_view::npos)
                continue;
            const std::string key = AsciiUpper(Trimmed(line.substr(0, equals)));
            const std::optional<std::uint32_t> value =
                SheetNumber(Trimmed(line.substr(equals + 1)));
            if (section == "DISC" && key == "DATATRACKSSCRAMBLED")
                scrambled = value.value_or(0) != 0;
            else if (section == "TRACK 1" && key == "MODE")
                firstMode = value;
            else if (section.starts_with("ENTRY ") && key == "POINT")
                point = value.value_or(0);
            else if (section.starts_with("ENTRY ") && key == "PLBA" && point == 0xa2)
                leadOut = value;
        }
    }
    if (!clone) {
        problem = "this is not a CloneCD sheet";
        return std::nullopt;
    }
    if (scrambled) {
        problem = "its data tracks were copied scrambled";
        return std::nullopt;
    }
    if (firstMode && *firstMode == 0) {
        problem = "the disc holds no data";
        return std::nullopt;
    }
    ImageLayout layout;
    const std::size_t file = layout.FileIndex(image);
    if (!layout.Add(0, leadOut.value_or(kLargestImageSectors), file, 0, rawSectorSize,
                    SectorFormat::Raw, problem))
        return std::nullopt;
    return layout;
}

} // namespace platform
