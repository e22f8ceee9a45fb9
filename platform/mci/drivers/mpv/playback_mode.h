#pragma once
// How the video driver's cores play. Normal: video in a window, sound on the
// default audio output, in real time. Untimed headless: no video or sound
// output and no waiting for the clock, so a 10 s clip plays through in a
// fraction of a second (for tests). Everything else stays the same.
namespace platform::mci {

void SetUntimedHeadlessPlayback(bool on);
bool UntimedHeadlessPlayback();

} // namespace platform::mci
