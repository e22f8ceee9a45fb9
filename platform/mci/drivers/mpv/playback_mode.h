#pragma once
// How the video driver's cores play. Normal: video in a window, sound on the
// default audio output, in real time. Untimed headless: no video or sound
// output and no waiting for the clock, so a 10 s clip plays through in a
// fraction of a second. The program always plays normally; the answer is a
// file of its own so that a test or benchmark executable can link one that
// plays untimed, and nothing in the program can switch it.
namespace platform::mci {

bool UntimedHeadlessPlayback();

} // namespace platform::mci
