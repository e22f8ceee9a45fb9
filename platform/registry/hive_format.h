#pragma once
// The REGEDIT4 text in which a hive is saved: a "REGEDIT4" header, then one
// "[ROOT\Path\To\Key]" section per key, each followed by its values:
//   "Name"="text"   @="default"   "N"=dword:0000002a   "B"=hex:01,ff
//   "E"=hex(2):25,00   "M"=hex(7):61,00,00   "Q"=hex(b):..   (other types hex(<type>))
// Text is UTF-8; in quoted text "\" and the quote are escaped with "\". Text
// values that quoted text could not carry exactly (line breaks and other
// control characters, no terminating zero) are saved as hex(1). Long hex lists
// continue on the next line after a trailing "\".
#include "platform/registry/hive.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform::registry {

struct HiveParseError {
    int line = 0; // 1-based
    std::string reason;
};

// Reads the text of a hive whose sections all lie under `rootName`
// ("HKEY_CURRENT_USER"). An empty or blank text is an empty hive. On failure
// `error` says where and why.
std::optional<Hive> ParseHive(std::string_view text, std::string_view rootName,
                              HiveParseError& error);

// The text of a hive; every key is written, empty ones too.
std::string FormatHive(const Hive& hive, std::string_view rootName);

} // namespace platform::registry
