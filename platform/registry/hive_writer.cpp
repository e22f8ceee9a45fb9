#include "platform/registry/hive_format.h"

#include <algorithm>
#include <cstdio>

namespace platform::registry {
namespace {

// Where regedit wraps its hex lists.
constexpr std::size_t kLineWidth = 80;

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// True when quoted text carries the value exactly: one terminating zero and
// no control character before it.
bool FitsQuotedText(const HiveValue& value) {
    return value.type == REG_SZ && !value.data.empty() && value.data.back() == 0 &&
           std::none_of(value.data.begin(), value.data.end() - 1, [](BYTE b) { return b < 0x20; });
}

std::string HexType(DWORD type) {
    if (type == REG_BINARY)
        return "hex:";
    char text[24];
    std::snprintf(text, sizeof text, "hex(%x):", static_cast<unsigned>(type));
    return text;
}

// "name"=hex(..):01,02,... wrapped as regedit does: each full line ends with
// ",\" and the next one starts with two blanks.
std::string HexLine(std::string line, const std::vector<BYTE>& data) {
    std::string text;
    for (std::size_t at = 0; at < data.size(); ++at) {
        char pair[4];
        std::snprintf(pair, sizeof pair, at + 1 < data.size() ? "%02x," : "%02x", data[at]);
        if (line.size() + 3 > kLineWidth - 2) {
            text += line + "\\\n";
            line = "  ";
        }
        line += pair;
    }
    return text + line;
}

std::string ValueLine(const HiveValue& value) {
    std::string line = (value.name.empty() ? "@" : Quoted(value.name)) + "=";
    if (FitsQuotedText(value))
        return line + Quoted(std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                              value.data.size() - 1));
    if (value.type == REG_DWORD && value.data.size() == 4) {
        const DWORD number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                             static_cast<DWORD>(value.data[3]) << 24;
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(number));
        return line + text;
    }
    return HexLine(line + HexType(value.type), value.data);
}

} // namespace

std::string FormatHive(const Hive& hive, std::string_view rootName) {
    std::string text = "REGEDIT4\n";
    for (const auto& [path, values] : hive.keys()) {
        if (path.empty() && values.empty())
            continue;
        text += "\n[" + std::string(rootName) + (path.empty() ? "" : "\\" + path) + "]\n";
        for (const HiveValue& value : values)
            text += ValueLine(value) + "\n";
    }
    return text + "\n";
}

} // namespace platform::registry
