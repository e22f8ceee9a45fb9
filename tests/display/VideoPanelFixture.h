#pragma once
// A display panel in a window, playing real media on the video driver,
// headless and untimed, and counting the tracks it ends.
#include "display/MMDisplay2.h"
#include "tests/support/HeadlessVideo.h"

#include <QWidget>

class VideoPanelTest : public HeadlessVideoTest {
protected:
    void SetUp() override {
        HeadlessVideoTest::SetUp();
        window.resize(802, 402);
        panel = new TMMDisplay2(&window);
        panel->setGeometry(0, 0, 800, 400);
        panel->OnTrackEnded = [this](QObject*) { ++ended; };
    }

    QWidget window;
    TMMDisplay2* panel = nullptr;
    int ended = 0;
};
