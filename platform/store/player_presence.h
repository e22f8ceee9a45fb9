#pragma once
// Whether a player runs for the profile in use: every running player holds a
// shared lock on "player.lock" in the profile's folder. The kernel drops the
// lock with the process, so a player that crashed never counts as running.
#include <string>

namespace platform::store {

class PlayerPresence {
public:
    // Marks a player as running for the profile of ConfigDir(); a profile
    // whose folder cannot be written simply goes unmarked.
    PlayerPresence();
    PlayerPresence(const PlayerPresence&) = delete;
    PlayerPresence& operator=(const PlayerPresence&) = delete;
    ~PlayerPresence();

private:
    int descriptor_ = -1;
};

// True while some process holds a PlayerPresence for the profile of
// ConfigDir(). Never creates anything.
bool IsPlayerRunning();

} // namespace platform::store
