#pragma once
// A fresh configuration with the system's default associations in place, and
// the real video driver playing headless and untimed: real devices, with no
// screen to draw on and no clock to wait for.
#include <gtest/gtest.h>

class HeadlessVideoTest : public ::testing::Test {
protected:
    void SetUp() override;
};
