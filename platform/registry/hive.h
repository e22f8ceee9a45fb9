#pragma once
// One root's keys and values in memory, as read from and saved to its file.
#include "platform/registry/registry.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

// How deep a key may lie below its root. No settings come near it; a file
// with deeper keys is damaged, and a deeper key cannot be created.
constexpr std::size_t kMaxKeyDepth = 512;

struct HiveValue {
    std::string name; // "" is the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

using HiveValues = std::vector<HiveValue>;

// Orders key paths without regard to ASCII case, with "\" before every other
// character, so that each key is followed by its subkeys (tree order).
struct KeyPathOrder {
    using is_transparent = void;
    bool operator()(std::string_view left, std::string_view right) const;
};

// Keys by path ("" is the root itself, "A\B" a key two steps below it), each
// with its values in stored order. Paths given to a Hive are canonical: see
// CanonicalKeyPath.
class Hive {
public:
    using Keys = std::map<std::string, HiveValues, KeyPathOrder>;

    Hive();

    HiveValues* Find(std::string_view path);
    const HiveValues* Find(std::string_view path) const;

    // Creates the key and every missing key above it; existing keys keep the
    // case of their first creation. True when the key itself was new. Keys
    // created parent first (as a file lists them) cost one look-up each.
    bool Create(std::string_view path);

    bool HasSubkeys(std::string_view path) const;

    // Removes one key (not the root), leaving its subkeys alone.
    void Remove(std::string_view path);

    const Keys& keys() const { return keys_; }

private:
    Keys keys_;
};

// `subKey` appended to `parent` with separators tidied: leading, trailing and
// repeated "\" dropped. Empty when a key name holds a control character,
// which the file could not carry.
std::optional<std::string> CanonicalKeyPath(std::string_view parent, std::string_view subKey);

// The levels of a canonical key path below its root: 0 for the root itself.
std::size_t KeyDepth(std::string_view path);

// False for names with control characters, which the file could not carry.
bool IsStorableValueName(std::string_view name);

HiveValue* FindValue(HiveValues& values, std::string_view name);
const HiveValue* FindValue(const HiveValues& values, std::string_view name);

} // namespace platform::registry
