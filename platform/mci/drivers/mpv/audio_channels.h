#pragma once
// The channels a viewer hears: a karaoke disc carries the music alone on one
// stereo channel and the music with the singer on the other.
namespace platform::mci {

// mpv's audio filter for the channels heard: none for both (stereo), else the
// channel heard alone on both speakers. Neither is silence, which is mpv's
// mute and not a filter: none then as well.
const char* ChannelFilter(bool leftHeard, bool rightHeard);

} // namespace platform::mci
