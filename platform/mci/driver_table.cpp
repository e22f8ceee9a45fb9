#include "platform/mci/driver.h"

#include "platform/mci/drivers/mpv/mpv_driver.h"

#include "platform/ascii_case.h"

#include <map>

namespace platform::mci {
namespace {

// Keyed by the lower-cased name, as driver names match in any letter case.
using DriverTable = std::map<std::string, DriverFactory>;

DriverTable& driverTable() {
    static DriverTable table = {
        {AsciiLower(MpvDriverName),
         [](DriverEvents& events) { return std::make_unique<MpvDriver>(events); }},
    };
    return table;
}

} // namespace

void RegisterDriver(const std::string& name, DriverFactory factory) {
    driverTable()[AsciiLower(name)] = std::move(factory);
}

DriverFactory FindDriver(const std::string& name) {
    const auto found = driverTable().find(AsciiLower(name));
    return found == driverTable().end() ? DriverFactory() : found->second;
}

} // namespace platform::mci
