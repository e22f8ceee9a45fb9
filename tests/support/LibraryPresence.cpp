// Defines the program's own BuiltInLibraryLoadable, so that the linker takes
// this one, and never the program's, into an executable that calls the
// functions below. Keep every such function in this file.
#include "tests/support/LibraryPresence.h"

#include "platform/ascii_case.h"
#include "platform/library/library_presence.h"

#include <map>
#include <string>

namespace {

struct Presence {
    bool present = true;
    int loadAttempts = 0;
};

// Library names ignore case, as the program's lookup does.
Presence& PresenceOf(const char* fileName) {
    static std::map<std::string, Presence> libraries;
    return libraries[platform::AsciiUpper(fileName)];
}

} // namespace

namespace platform {

bool BuiltInLibraryLoadable(const char* fileName) {
    Presence& presence = PresenceOf(fileName);
    ++presence.loadAttempts;
    return presence.present;
}

} // namespace platform

namespace LibraryPresence {

void SetPresent(const char* fileName, bool present) {
    PresenceOf(fileName).present = present;
}

int LoadAttempts(const char* fileName) {
    return PresenceOf(fileName).loadAttempts;
}

} // namespace LibraryPresence
