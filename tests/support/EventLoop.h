#pragma once
// Running the real event loop in tests: for a while, or until a condition holds.
#include <functional>

// Runs the real event loop for a while. Unlike QTest::qWait it sleeps inside
// the loop when the queue is empty, so idle handlers fire as in the program.
void RunEventLoop(int milliseconds);

// Runs the event loop until `done` holds (false if it never does within a
// generous bound).
bool RunEventsUntil(const std::function<bool()>& done);
