#pragma once
// A scripted driver registered under a driver name of its own and associated
// with the extension ".scr", on an otherwise default system.
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>

class ScriptedDevices : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens "<name>.scr" on the scripted driver and fails the test otherwise.
    platform::MCIDEVICEID OpenScripted(const std::string& name = "clip");
    ScriptedDriver& Driver();

    std::vector<platform::MCIDEVICEID> FOpened;
};
