#include "platform/drives/drive_tool.h"

#include "platform/drives/drive_letters.h"
#include "platform/drives/drive_sources.h"

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <optional>
#include <sstream>

namespace platform {
namespace {
namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: quelvo-drive list\n"
                               "       quelvo-drive map LETTER: TARGET\n"
                               "       quelvo-drive unmap LETTER:\n"
                               "TARGET is a folder or a .cue, .bin or .iso disc image; the letter\n"
                               "then reads as a CD-ROM drive.\n";

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

const char* TypeName(DriveKind kind) {
    return kind == DriveKind::HomeFolder ? "fixed" : "cdrom";
}

const char* KindName(DriveKind kind) {
    switch (kind) {
    case DriveKind::HomeFolder:
        return "home";
    case DriveKind::OpticalDrive:
        return "optical";
    case DriveKind::MappedFolder:
        return "folder";
    case DriveKind::MappedImage:
        return "image";
    }
    return "";
}

std::string Describe(const Drive& drive) {
    switch (drive.kind) {
    case DriveKind::HomeFolder:
        return "it is the home folder " + drive.path;
    case DriveKind::OpticalDrive:
        return "it is the optical drive " + drive.path;
    case DriveKind::MappedFolder:
    case DriveKind::MappedImage:
        break;
    }
    return "it is already mapped to " + drive.path;
}

class DriveTool {
public:
    DriveTool(std::ostream& out, std::ostream& err)
        : out_(out), err_(err), mappings_(CurrentDriveSources().mappings),
          table_(CurrentDriveTable()) {}

    int List() {
        for (const Drive& drive : table_.drives)
            Row(drive.letter, TypeName(drive.kind), KindName(drive.kind)) << drive.path << '\n';
        for (const IgnoredMapping& ignored : table_.ignored)
            Row(ignored.mapping.letter, "none", "ignored")
                << ignored.mapping.target << "  (" << ignored.reason << ")\n";
        return kDriveToolDone;
    }

    int Map(const std::string& letterText, const std::string& targetText) {
        const std::optional<char> letter = ParseLetter(letterText);
        if (!letter)
            return kDriveToolFailed;
        if (const Drive* drive = table_.Find(*letter))
            return Fail(DriveName(*letter) + " is taken: " + Describe(*drive));
        std::error_code error;
        const fs::path target = fs::absolute(targetText, error).lexically_normal();
        const fs::file_status status = error ? fs::file_status() : fs::status(target, error);
        if (!fs::exists(status))
            return Fail(Quoted(targetText) + " does not exist");
        const bool isImage = fs::is_regular_file(status) && IsDiscImageName(target.string());
        if (!fs::is_directory(status) && !isImage)
            return Fail(Quoted(targetText) +
                        " is neither a folder nor a .cue, .bin or .iso disc image");
        if (!mappings_)
            return Fail("there is no store for drive mappings");
        try {
            mappings_->Save({*letter, target.string()});
        } catch (const EDriveMappingError& failure) {
            return Fail("cannot save the mapping of " + DriveName(*letter) + " (" + failure.what() +
                        ")");
        }
        out_ << "Mapped " << DriveName(*letter) << " to " << target.string() << '\n';
        return kDriveToolDone;
    }

    int Unmap(const std::string& letterText) {
        const std::optional<char> letter = ParseLetter(letterText);
        if (!letter)
            return kDriveToolFailed;
        const Drive* drive = table_.Find(*letter);
        if (drive &&
            (drive->kind == DriveKind::HomeFolder || drive->kind == DriveKind::OpticalDrive))
            return Fail(DriveName(*letter) + " is not a mapping: " + Describe(*drive));
        // A stored mapping the table ignores can be removed like any other.
        const bool ignored = std::any_of(
            table_.ignored.begin(), table_.ignored.end(),
            [&](const IgnoredMapping& entry) { return entry.mapping.letter == *letter; });
        if (!drive && !ignored)
            return Fail(DriveName(*letter) + " is not mapped");
        try {
            mappings_->Remove(*letter);
        } catch (const EDriveMappingError& failure) {
            return Fail("cannot remove the mapping of " + DriveName(*letter) + " (" +
                        failure.what() + ")");
        }
        out_ << "Unmapped " << DriveName(*letter) << '\n';
        return kDriveToolDone;
    }

private:
    std::ostream& Row(char letter, const char* type, const char* kind) {
        std::ostringstream row;
        row << DriveName(letter) << "  " << std::left << std::setw(5) << type << "  "
            << std::setw(7) << kind << "  ";
        return out_ << row.str();
    }

    std::optional<char> ParseLetter(const std::string& text) {
        const std::optional<char> letter = ParseDriveName(text);
        if (!letter)
            Fail(Quoted(text) + " is not a drive letter (A: to Z:)");
        return letter;
    }

    int Fail(const std::string& message) {
        err_ << "quelvo-drive: " << message << '\n';
        return kDriveToolFailed;
    }

    std::ostream& out_;
    std::ostream& err_;
    std::shared_ptr<DriveMappingStore> mappings_;
    DriveTable table_;
};
} // namespace

int RunDriveTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const std::size_t count = arguments.size();
    const std::string command = count ? arguments.front() : std::string();
    if ((command == "help" || command == "--help" || command == "-h") && count == 1) {
        out << kUsage;
        return kDriveToolDone;
    }
    if (command == "list" && count == 1)
        return DriveTool(out, err).List();
    if (command == "map" && count == 3)
        return DriveTool(out, err).Map(arguments[1], arguments[2]);
    if (command == "unmap" && count == 2)
        return DriveTool(out, err).Unmap(arguments[1]);
    err << kUsage;
    return kDriveToolMisused;
}

} // namespace platform
