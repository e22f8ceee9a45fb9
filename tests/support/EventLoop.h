#pragma once
// Runs the real event loop for a while. Unlike QTest::qWait it sleeps inside
// the loop when the queue is empty, so idle handlers fire as in the program.
void RunEventLoop(int milliseconds);
