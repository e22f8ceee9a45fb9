#include "platform/library/library_presence.h"

namespace platform {

bool BuiltInLibraryLoadable(const char*) {
    return true;
}

} // namespace platform
