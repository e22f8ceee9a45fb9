#include "tests/display/PanelFixture.h"

#include <QCoreApplication>
#include <QTimer>

void PanelTest::SetUp() {
    ScriptedDriver::Install();
    window.resize(802, 402);
    panel = new TMMDisplay2(&window);
    panel->setGeometry(0, 0, 800, 400);
    panel->OnStatusChanged = [this](QObject*) {
        events.push_back("status " + QString::number(panel->Status()));
    };
    panel->OnPositionChanged = [this](QObject*, const QString& text) {
        events.push_back("position " + text);
    };
    panel->OnZoomChanged = [this](QObject*, int zoom) {
        events.push_back("zoom " + QString::number(zoom));
    };
    panel->OnTrackEnded = [this](QObject*) { events.push_back("ended"); };
}

void PanelTest::PlayScripted(const QString& name) {
    panel->PlayFile(name);
    // The test runs the polls itself; the timer stays on but is not heard.
    panel->Timer()->blockSignals(true);
    Deliver();
}

ScriptedDriver& PanelTest::Driver() {
    ScriptedDriver* driver = ScriptedDriver::Latest();
    if (!driver)
        throw std::runtime_error("no scripted device is open");
    return *driver;
}

void PanelTest::Deliver() {
    QCoreApplication::processEvents();
}

void PanelTest::Tick() {
    panel->TimerTick();
    Deliver();
}
