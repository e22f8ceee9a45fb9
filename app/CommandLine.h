#pragma once
// The player's command line: quelvo-player [DISC], or --help, or --version.
#include <string>
#include <vector>

struct PlayerCommandLine {
    enum class Request { Play, Help, Version, Misused };
    Request request = Request::Play;
    std::string disc;  // Play: the disc to play for this run; empty for the stored drive
    std::string wrong; // Misused: what was wrong, in one line
};

// --help wins over --version, which wins over anything wrong, wherever they
// stand. "--" ends the options, so a disc may begin with a dash.
PlayerCommandLine ParsePlayerCommandLine(const std::vector<std::string>& arguments);

extern const char* const kPlayerUsage;
