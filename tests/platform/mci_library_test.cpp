// The media library and the libraries under it are mapped into the process
// when the first device opens, not when the program starts: a player that
// plays nothing never pays for them.
#include "platform/mci/mci.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/TestMedia.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace platform;

namespace {

bool Mapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find(library) != std::string::npos)
            return true;
    return false;
}

using MpvLibrary = MpvDeviceTest;

TEST_F(MpvLibrary, IsMappedWhenTheFirstDeviceOpensAndNotBefore) {
    // In a process of its own, whatever the tests before it have opened.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            if (Mapped("libmpv.so"))
                std::_Exit(1);
            if (MciCommands::Open(TestMedia::PalVcdClip()).error != 0)
                std::_Exit(2);
            std::_Exit(Mapped("libmpv.so") && Mapped("libavcodec.so") ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
