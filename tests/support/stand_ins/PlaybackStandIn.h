#pragma once
// Lets a test play the real video driver untimed and headless: no screen to
// draw on and no clock to wait for.
namespace PlaybackStandIn {

void SetUntimedHeadless(bool on);

} // namespace PlaybackStandIn
