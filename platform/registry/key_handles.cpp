#include "platform/registry/key_handles.h"

#include <map>
#include <memory>
#include <mutex>

struct platform::HKEY__ {
    registry::KeyHandle key;
};

namespace platform {
namespace {

// Only their addresses matter: a root names itself, with every right.
HKEY__ currentUserRoot{};
HKEY__ localMachineRoot{};

class HandleTable {
public:
    HKEY Add(registry::KeyHandle key) {
        auto handle = std::make_unique<HKEY__>(HKEY__{std::move(key)});
        const HKEY name = handle.get();
        const std::lock_guard guard(mutex_);
        open_.emplace(name, std::move(handle));
        return name;
    }

    std::optional<registry::KeyHandle> Find(HKEY key) {
        const std::lock_guard guard(mutex_);
        const auto found = open_.find(key);
        if (found == open_.end())
            return std::nullopt;
        return found->second->key;
    }

    bool Remove(HKEY key) {
        const std::lock_guard guard(mutex_);
        return open_.erase(key) == 1;
    }

private:
    std::mutex mutex_;
    std::map<HKEY, std::unique_ptr<HKEY__>> open_;
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

bool IsPredefined(HKEY key) {
    return key == &currentUserRoot || key == &localMachineRoot;
}

} // namespace

const HKEY HKEY_CURRENT_USER = &currentUserRoot;
const HKEY HKEY_LOCAL_MACHINE = &localMachineRoot;

namespace registry {

HKEY OpenHandle(KeyHandle key) {
    return Handles().Add(std::move(key));
}

std::optional<KeyHandle> LookUp(HKEY key) {
    if (IsPredefined(key))
        return KeyHandle{key, "", KEY_ALL_ACCESS};
    return Handles().Find(key);
}

bool CloseHandle(HKEY key) {
    return IsPredefined(key) || Handles().Remove(key);
}

} // namespace registry
} // namespace platform
