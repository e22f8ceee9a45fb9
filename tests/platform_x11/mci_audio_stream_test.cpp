// The audio stream chosen on a device that plays in real time, where the
// machine may well have no sound device (mpv then hears no stream at all):
// the device still tells the stream chosen, for the next choice builds on it.
#include "platform/mci/mci.h"
#include "platform/mci/system_defaults.h"
#include "tests/support/EventLoop.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

MCIERROR send(MCIDEVICEID device, UINT message, DWORD flags, void* params) {
    return mciSendCommandA(device, message, flags, reinterpret_cast<DWORD_PTR>(params));
}

DWORD streamHeard(MCIDEVICEID device) {
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_DGV_STATUS_AUDIO_STREAM;
    EXPECT_EQ(send(device, MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, &status), 0u);
    return static_cast<DWORD>(status.dwReturn);
}

TEST(AudioStreamPlaying, TheStreamChosenStaysTheOneTheDeviceTells) {
    EnsureSystemDefaults();
    const std::string clip = TestMedia::TwoStreamClip();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = clip.c_str();
    ASSERT_EQ(send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, &open), 0u);
    const MCIDEVICEID device = open.wDeviceID;
    MCI_PLAY_PARMS play{};
    ASSERT_EQ(send(device, MCI_PLAY, 0, &play), 0u);
    RunEventLoop(500);
    EXPECT_EQ(streamHeard(device), 1u);
    MCI_DGV_SETAUDIO_PARMSA choice{};
    choice.dwItem = MCI_DGV_SETAUDIO_STREAM;
    choice.dwValue = 2;
    ASSERT_EQ(send(device, MCI_SETAUDIO, MCI_WAIT | MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE,
                   &choice),
              0u);
    // Long enough for mpv to switch, try its sound device and tell its tracks.
    RunEventLoop(2000);
    EXPECT_EQ(streamHeard(device), 2u);
    EXPECT_EQ(send(device, MCI_CLOSE, MCI_WAIT, nullptr), 0u);
}

} // namespace
