#include "platform/store/config_dir.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform::store {
namespace {

std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    // Services and some sandboxes start without HOME; the password database
    // still knows where the user lives.
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

} // namespace

std::string ConfigDir() {
    // A relative XDG_CONFIG_HOME is invalid by the base-directory rules and
    // would make the settings depend on the working folder.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return std::string(config) + "/quelvo";
    return HomeDir() + "/.config/quelvo";
}

} // namespace platform::store
