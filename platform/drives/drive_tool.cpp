#include "platform/drives/drive_tool.h"

#include "platform/drives/disc_target.h"
#include "platform/drives/drive_sources.h"
#include "platform/paths/drive_letters.h"
#include "platform/store/player_presence.h"

#include <algorithm>
#include <iomanip>
#include <optional>
#include <sstream>

namespace platform {
namespace {
constexpr const char* kUsage =
    "usage: quelvo-drive list\n"
    "       quelvo-drive map LETTER: TARGET\n"
    "       quelvo-drive unmap LETTER:\n"
    "       quelvo-drive --help | --version\n"
    "TARGET is a folder or a disc image (.cue, .bin, .toc, .nrg, .ccd,\n"
    ".img, .mds, .mdf or .iso); the letter then reads as a CD-ROM drive.\n"
    "The player lists a new letter from its next start.\n";

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

// What is wrong with arguments that are no command, in one line; empty when
// they are one.
std::string WhatIsWrong(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return "no command given";
    const std::string& command = arguments.front();
    const std::size_t given = arguments.size() - 1;
    if (command == "list")
        return given == 0 ? "" : "list takes no arguments";
    if (command == "map")
        return given == 2 ? "" : "map takes a drive letter and a target (a folder or a disc image)";
    if (command == "unmap")
        return given == 1 ? "" : "unmap takes one drive letter";
    return "unknown command " + Quoted(command);
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
    return "it is already mapped to " + drive.path + " (quelvo-drive unmap " +
           DriveName(drive.letter) + " frees it)";
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
        DiscTarget target;
        try {
            target = ResolveDiscTarget(targetText, false);
        } catch (const EDriveMappingError& failure) {
            return Fail(failure.what());
        }
        if (!mappings_)
            return Fail("there is no store for drive mappings");
        try {
            mappings_->Save({*letter, target.path});
        } catch (const EDriveMappingError& failure) {
            return Fail("cannot save the mapping of " + DriveName(*letter) + " (" + failure.what() +
                        ")");
        }
        out_ << "Mapped " << DriveName(*letter) << " to " << target.path << '\n';
        TellARunningPlayer(DriveName(*letter) + " joins");
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
        TellARunningPlayer(DriveName(*letter) + " leaves");
        return kDriveToolDone;
    }

private:
    // A running player fills its drive list once, when it starts.
    void TellARunningPlayer(const std::string& change) {
        if (store::IsPlayerRunning())
            out_ << "Quelvo Player is running: " << change
                 << " its drive list at its next start.\n";
    }

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
    if (arguments.size() == 1 &&
        (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help")) {
        out << kUsage;
        return kDriveToolDone;
    }
    if (const std::string wrong = WhatIsWrong(arguments); !wrong.empty()) {
        err << "quelvo-drive: " << wrong << '\n' << kUsage;
        return kDriveToolMisused;
    }
    DriveTool tool(out, err);
    if (arguments[0] == "list")
        return tool.List();
    if (arguments[0] == "map")
        return tool.Map(arguments[1], arguments[2]);
    return tool.Unmap(arguments[1]);
}

} // namespace platform
