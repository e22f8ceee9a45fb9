#include "platform/disc/cue_sheet.h"

#include "platform/ascii_case.h"
#include "platform/io/host_names.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

bool IsCueText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\r' || c == '\n';
    });
}

void SkipBlanks(std::string_view& line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
}

// The next word of `line`, or the text between double quotes.
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

std::vector<std::string_view> Steps(std::string_view path) {
    std::vector<std::string_view> steps;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find_first_of("\\/"), path.size());
        if (end > 0)
            steps.push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return steps;
}

std::optional<std::string> Follow(std::string folder, const std::vector<std::string_view>& steps) {
    for (const std::string_view step : steps) {
        const std::optional<std::string> name =
            step == "." || step == ".." ? std::string(step) : FindHostName(folder, step);
        if (!name)
            return std::nullopt;
        folder.append("/").append(*name);
    }
    return folder;
}

} // namespace

std::optional<std::string> CueImageFile(std::string_view text, std::string& problem) {
    std::optional<std::string> image;
    bool hasTrack = false;
    if (text.size() <= kLargestCueSheet && IsCueText(text)) {
        while (!text.empty()) {
            const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
            std::string_view line = text.substr(0, end);
            text.remove_prefix(std::min(end + 1, text.size()));
            const std::string keyword = AsciiUpper(NextWord(line));
            if (keyword == "TRACK") {
                hasTrack = image.has_value();
            } else if (keyword == "FILE") {
                const std::string_view name = NextWord(line);
                const std::string type = AsciiUpper(NextWord(line));
                if (image && *image != name) {
                    problem = "the disc is split over several image files";
                    return std::nullopt;
                }
                if (type != "BINARY" || name.empty())
                    break;
                image = std::string(name);
            }
        }
    }
    if (image && hasTrack)
        return image;
    problem = "this is not a cue sheet of a binary disc image";
    return std::nullopt;
}

std::optional<std::string> LocateCueImage(const std::string& cueFolder, std::string_view written) {
    const std::vector<std::string_view> steps = Steps(written);
    if (steps.empty())
        return std::nullopt;
    const std::string start = written.starts_with('/') ? std::string() : cueFolder;
    if (std::optional<std::string> found = Follow(start, steps))
        return found;
    return Follow(cueFolder, {steps.back()});
}

} // namespace platform
