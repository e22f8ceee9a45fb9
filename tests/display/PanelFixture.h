#pragma once
// A display panel in a window, playing files of the extension ".scr" on the
// scripted driver, with the poll timer driven by the test.
#include "display/MMDisplay2.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>
#include <QWidget>

#include <memory>
#include <vector>

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Plays "<name>.scr" and delivers what the device posted.
    void PlayScripted(const QString& name = "C:\\clips\\clip.scr");
    ScriptedDriver& Driver();
    // One poll, as the timer would run it, with posted notifications delivered.
    void Tick();
    void Deliver();

    QWidget window;
    TMMDisplay2* panel = nullptr;
    std::vector<QString> events; // "status N", "position TEXT", "zoom N", "ended"
};
