#include "platform/mci/driver.h"

#include "platform/mci/drivers/mpv/mpv_core.h"
#include "platform/mci/drivers/mpv/mpv_driver.h"
#include "platform/mci/drivers/mpv/prepared_context.h"
#include "platform/mci/drivers/mpv/video_renderer.h"
#include "platform/ui/StartupWork.h"

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

// The mpv driver's first OpenGL context is made while the main window is built.
// Registered from this file because every device open goes through the table
// here, so a program that can play links it, and its statics run before main.
[[maybe_unused]] const bool mpvStartupRegistered =
    RegisterStartupWork([]() -> std::shared_ptr<void> {
        WriteNumbersTheCWay(); // before the preparation's thread starts
        if (ChosenVideoRenderer() != VideoRenderer::openGL)
            return nullptr;
        return std::make_shared<PreparedContext>();
    });

} // namespace

void RegisterDriver(const std::string& name, DriverFactory factory) {
    driverTable()[AsciiLower(name)] = std::move(factory);
}

DriverFactory FindDriver(const std::string& name) {
    const auto found = driverTable().find(AsciiLower(name));
    return found == driverTable().end() ? DriverFactory() : found->second;
}

} // namespace platform::mci
