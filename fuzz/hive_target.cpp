// A hive's text: whatever parses must save as text that parses back to the
// same keys and values.
#include "fuzz/fuzz_targets.h"
#include "platform/registry/hive_format.h"

namespace fuzz {

void FuzzHive(Input input) {
    using namespace platform::registry;
    const std::string_view text(reinterpret_cast<const char*>(input.data()), input.size());
    HiveParseError error;
    const std::optional<Hive> hive = ParseHive(text, "HKEY_CURRENT_USER", error);
    if (!hive)
        return;
    const std::string saved = FormatHive(*hive, "HKEY_CURRENT_USER");
    const std::optional<Hive> reread = ParseHive(saved, "HKEY_CURRENT_USER", error);
    Require(reread.has_value(), "a saved hive does not parse");
    Require(FormatHive(*reread, "HKEY_CURRENT_USER") == saved, "a saved hive reads differently");
}

} // namespace fuzz
