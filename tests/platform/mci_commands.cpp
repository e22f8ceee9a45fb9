#include "tests/platform/mci_commands.h"

#include <gtest/gtest.h>

using namespace platform;

namespace MciCommands {
namespace {

template <typename Record> DWORD_PTR pass(Record& record) {
    return reinterpret_cast<DWORD_PTR>(&record);
}

} // namespace

Opened Open(const std::string& element, DWORD flags, DWORD_PTR callback) {
    MCI_OPEN_PARMSA open{};
    open.dwCallback = callback;
    open.lpstrElementName = element.c_str();
    const MCIERROR error = mciSendCommandA(0, MCI_OPEN, flags | MCI_OPEN_ELEMENT, pass(open));
    return {error, error ? 0 : open.wDeviceID};
}

MCIERROR Send(MCIDEVICEID device, UINT message, DWORD flags, DWORD_PTR callback) {
    MCI_GENERIC_PARMS generic{callback};
    return mciSendCommandA(device, message, flags, pass(generic));
}

DWORD_PTR Status(MCIDEVICEID device, DWORD item) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    EXPECT_EQ(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, pass(status)), 0u)
        << "status item " << item;
    return status.dwReturn;
}

MCIERROR SetTimeFormat(MCIDEVICEID device, DWORD format) {
    MCI_SET_PARMS set{};
    set.dwTimeFormat = format;
    return mciSendCommandA(device, MCI_SET, MCI_SET_TIME_FORMAT, pass(set));
}

MCIERROR PlayFrom(MCIDEVICEID device, DWORD from, DWORD_PTR callback) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = callback;
    play.dwFrom = from;
    return mciSendCommandA(device, MCI_PLAY, MCI_FROM | (callback ? MCI_NOTIFY : 0), pass(play));
}

MCIERROR SeekTo(MCIDEVICEID device, DWORD to) {
    MCI_SEEK_PARMS seek{};
    seek.dwTo = to;
    return mciSendCommandA(device, MCI_SEEK, MCI_TO | MCI_WAIT, pass(seek));
}

MCIERROR Step(MCIDEVICEID device, DWORD frames, bool reverse) {
    MCI_ANIM_STEP_PARMS step{};
    step.dwFrames = frames;
    const DWORD flags = MCI_WAIT | MCI_ANIM_STEP_FRAMES | (reverse ? MCI_ANIM_STEP_REVERSE : 0);
    return mciSendCommandA(device, MCI_STEP, flags, pass(step));
}

RECT Where(MCIDEVICEID device, DWORD which) {
    MCI_ANIM_RECT_PARMS where{};
    EXPECT_EQ(mciSendCommandA(device, MCI_WHERE, which, pass(where)), 0u);
    return where.rc;
}

std::string ErrorText(MCIERROR error) {
    char text[4096];
    return mciGetErrorStringA(error, text, sizeof text) ? text : "";
}

} // namespace MciCommands
