#pragma once
// The audio streams mpv found in a file, as its track list tells them.
#include <cstddef>
#include <cstdint>
#include <vector>

struct mpv_node;

namespace platform::mci {

struct AudioTracks {
    std::vector<std::int64_t> ids; // mpv's track ids, in the order the file holds them
    std::size_t selected = 0;      // which of them is heard, counted from 1; 0 for none
};

// Reads mpv's "track-list" node; anything not shaped as mpv makes it counts
// as no tracks.
AudioTracks ReadAudioTracks(const mpv_node& trackList);

} // namespace platform::mci
