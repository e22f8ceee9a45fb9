#pragma once
// The table of open key handles. A handle is only a name for (root, path,
// access); the table lets every call tell a live handle from a stale or
// foreign pointer instead of following it.
#include "platform/registry/registry.h"

#include <optional>
#include <string>

namespace platform::registry {

struct KeyHandle {
    HKEY root = nullptr; // the predefined root the key lies under
    std::string path;    // canonical path below the root; "" is the root itself
    REGSAM access = 0;
};

// Registers a new handle; the caller releases it with CloseHandle.
HKEY OpenHandle(KeyHandle key);

// What a live handle or a predefined root names; nothing for anything else.
std::optional<KeyHandle> LookUp(HKEY key);

// False when `key` is neither a live handle nor a predefined root.
bool CloseHandle(HKEY key);

} // namespace platform::registry
