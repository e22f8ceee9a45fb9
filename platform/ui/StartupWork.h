#pragma once
// Slow one-time work that services below the program start in the background
// as the program starts, so that the application object need not know them.
// A service registers its work while the program's statics are made, from a
// source file that is linked whenever the service can be used.
#include <functional>
#include <memory>
#include <vector>

namespace platform {

// Starts the work and returns what it made, kept alive until the application
// object goes; null when there is nothing to do on this machine. Runs on the
// GUI thread once the application object exists.
using StartupWork = std::function<std::shared_ptr<void>()>;

// Adds `work` to what Application::Initialize starts. Returns true, so that a
// registration can initialise a static.
bool RegisterStartupWork(StartupWork work);

// Starts every registered work, in the order registered.
std::vector<std::shared_ptr<void>> StartRegisteredWork();

} // namespace platform
