#pragma once
#include <string>

namespace platform::store {

// The folder that holds everything the player keeps between runs:
// ${XDG_CONFIG_HOME:-$HOME/.config}/quelvo. Read from the environment on every
// call, so a changed environment takes effect at once.
std::string ConfigDir();

} // namespace platform::store
