#include "app/CommandLine.h"

const char* const kPlayerUsage =
    "usage: quelvo-player [DISC]\n"
    "       quelvo-player --help | --version\n"
    "Plays Video CDs and Super Video CDs. DISC is a disc image (.cue, .bin,\n"
    ".toc, .nrg, .ccd, .img, .mds, .mdf or .iso), an optical drive (/dev/sr1)\n"
    "or a folder holding a copied disc: it stands on a free drive letter for\n"
    "this run only and its first track plays.\n"
    "Without DISC the player opens the drive chosen last time.\n";

PlayerCommandLine ParsePlayerCommandLine(const std::vector<std::string>& arguments) {
    PlayerCommandLine line;
    bool optionsEnded = false;
    bool help = false;
    bool version = false;
    for (const std::string& argument : arguments) {
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (isOption && argument == "--")
            optionsEnded = true;
        else if (isOption && (argument == "--help" || argument == "-h"))
            help = true;
        else if (isOption && argument == "--version")
            version = true;
        else if (isOption && line.wrong.empty())
            line.wrong = "unknown option \"" + argument + '"';
        else if (!isOption && !line.disc.empty() && line.wrong.empty())
            line.wrong = "one disc at a time: \"" + argument + "\" is one too many";
        else if (!isOption && line.disc.empty())
            line.disc = argument;
    }
    if (help)
        line.request = PlayerCommandLine::Request::Help;
    else if (version)
        line.request = PlayerCommandLine::Request::Version;
    else if (!line.wrong.empty())
        line.request = PlayerCommandLine::Request::Misused;
    return line;
}
