#include "display/MediaPlayer.h"

#include "platform/ui/Application.h"
#include "platform/ui/Messages.h"

using namespace platform;

TMediaPlayer::TMediaPlayer(QObject* parent) : QObject(parent) {
}

TMediaPlayer::~TMediaPlayer() {
    if (FDeviceID != 0) {
        MCI_GENERIC_PARMS parms{callback()};
        send(MCI_CLOSE, MCI_WAIT, &parms);
    }
}

void TMediaPlayer::checkIfOpen() const {
    if (FDeviceID == 0)
        throw EMCIDeviceError(tr("No MCI device open").toStdString());
}

DWORD TMediaPlayer::waitFlags() {
    DWORD flags = MCI_WAIT;
    if (FNotify)
        flags |= MCI_NOTIFY;
    FNotify = false;
    return flags;
}

MCIERROR TMediaPlayer::send(UINT message, DWORD flags, void* params) const {
    FLastError = mciSendCommandA(FDeviceID, message, flags, reinterpret_cast<DWORD_PTR>(params));
    return FLastError;
}

DWORD_PTR TMediaPlayer::callback() const {
    return reinterpret_cast<DWORD_PTR>(static_cast<const QObject*>(this));
}

DWORD TMediaPlayer::status(DWORD item) const {
    MCI_STATUS_PARMS parms{};
    parms.dwItem = item;
    send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM, &parms);
    return static_cast<DWORD>(parms.dwReturn);
}

QString TMediaPlayer::ErrorMessage() const {
    char text[4096];
    if (mciGetErrorStringA(FLastError, text, sizeof text))
        return QString::fromUtf8(text);
    return tr("Unknown error code");
}

void TMediaPlayer::SetStartPosition(DWORD position) {
    FFrom = position;
    FUseFrom = true;
}

void TMediaPlayer::SetDisplay(QWidget* display) {
    FDisplay = display;
    if (FDeviceID != 0 && FHasVideo)
        showVideoIn(display);
}

// Without a display the device shows its video in a window of its own.
void TMediaPlayer::showVideoIn(QWidget* display) {
    MCI_ANIM_WINDOW_PARMSA parms{};
    parms.dwCallback = callback();
    parms.hWnd = display ? display : MCI_ANIM_WINDOW_DEFAULT;
    send(MCI_WINDOW, MCI_WAIT | MCI_ANIM_WINDOW_HWND, &parms);
}

void TMediaPlayer::Open() {
    if (FDeviceID != 0)
        Close();
    const QByteArray element = FileName.toUtf8();
    MCI_OPEN_PARMSA parms{};
    parms.dwCallback = callback();
    parms.lpstrElementName = element.constData();
    if (send(MCI_OPEN, waitFlags() | MCI_OPEN_ELEMENT, &parms) != 0)
        throw EMCIDeviceError(ErrorMessage().toStdString());
    FDeviceID = parms.wDeviceID;

    FStepFrames = lengthInFrames() / 10;
    MCI_GETDEVCAPS_PARMS caps{};
    caps.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
    send(MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, &caps);
    FHasVideo = caps.dwReturn != 0;
    if (FHasVideo)
        showVideoIn(FDisplay);
}

// A step counts frames whatever the time format, so a tenth of the track is
// measured in frames, the format put back afterwards. A device that cannot
// count frames cannot step either.
DWORD TMediaPlayer::lengthInFrames() {
    const DWORD format = TimeFormat();
    if (format == MCI_FORMAT_FRAMES)
        return Length();
    SetTimeFormat(MCI_FORMAT_FRAMES);
    if (FLastError != 0)
        return 0;
    const DWORD frames = Length();
    SetTimeFormat(format);
    return frames;
}

void TMediaPlayer::Close() {
    MCI_GENERIC_PARMS parms{callback()};
    if (send(MCI_CLOSE, waitFlags(), &parms) == 0)
        FDeviceID = 0;
}

void TMediaPlayer::Play() {
    checkIfOpen();
    MCI_PLAY_PARMS parms{};
    parms.dwCallback = callback();
    DWORD flags = MCI_NOTIFY;
    FNotify = false;
    if (FUseFrom) {
        flags |= MCI_FROM;
        parms.dwFrom = FFrom;
    } else if (AutoRewind && Position() == Length()) {
        Rewind();
    }
    FUseFrom = false;
    send(MCI_PLAY, flags, &parms);
}

void TMediaPlayer::Stop() {
    checkIfOpen();
    MCI_GENERIC_PARMS parms{callback()};
    send(MCI_STOP, waitFlags(), &parms);
}

void TMediaPlayer::Pause() {
    checkIfOpen();
    MCI_GENERIC_PARMS parms{callback()};
    send(MCI_PAUSE, waitFlags(), &parms);
}

void TMediaPlayer::TogglePause() {
    checkIfOpen();
    const TMPModes mode = Mode();
    if (mode == dmPlaying)
        Pause();
    else if (mode == dmPaused)
        Resume();
}

void TMediaPlayer::Resume() {
    checkIfOpen();
    MCI_GENERIC_PARMS parms{callback()};
    FNotify = false;
    if (send(MCI_RESUME, MCI_NOTIFY, &parms) != 0)
        Play();
}

void TMediaPlayer::FrameStepForward() {
    checkIfOpen();
    if (!FHasVideo)
        return;
    if (AutoRewind && Position() == Length())
        Rewind();
    MCI_ANIM_STEP_PARMS parms{callback(), FStepFrames};
    send(MCI_STEP, waitFlags() | MCI_ANIM_STEP_FRAMES, &parms);
}

void TMediaPlayer::FrameStepBack() {
    checkIfOpen();
    if (!FHasVideo)
        return;
    MCI_ANIM_STEP_PARMS parms{callback(), FStepFrames};
    send(MCI_STEP, waitFlags() | MCI_ANIM_STEP_FRAMES | MCI_ANIM_STEP_REVERSE, &parms);
}

void TMediaPlayer::Seek(DWORD position) {
    checkIfOpen();
    MCI_SEEK_PARMS parms{callback(), position};
    send(MCI_SEEK, waitFlags() | MCI_TO, &parms);
}

void TMediaPlayer::Rewind() {
    checkIfOpen();
    MCI_SEEK_PARMS parms{callback(), 0};
    send(MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START, &parms);
}

// A query that fails, or a mode this layer does not know, reads as not
// ready: never a value outside the modes.
TMPModes TMediaPlayer::Mode() const {
    if (FDeviceID == 0)
        return dmNotReady;
    const DWORD mode = status(MCI_STATUS_MODE) - MCI_MODE_NOT_READY;
    if (FLastError != 0 || mode > dmOpen)
        return dmNotReady;
    return static_cast<TMPModes>(mode);
}

DWORD TMediaPlayer::Position() const {
    return FDeviceID == 0 ? 0 : status(MCI_STATUS_POSITION);
}

DWORD TMediaPlayer::Length() const {
    checkIfOpen();
    return status(MCI_STATUS_LENGTH);
}

DWORD TMediaPlayer::TimeFormat() const {
    checkIfOpen();
    return status(MCI_STATUS_TIME_FORMAT);
}

void TMediaPlayer::SetTimeFormat(DWORD format) {
    MCI_SET_PARMS parms{};
    parms.dwTimeFormat = format;
    send(MCI_SET, MCI_WAIT | MCI_SET_TIME_FORMAT, &parms);
}

RECT TMediaPlayer::DisplayRect() const {
    MCI_ANIM_RECT_PARMS parms{};
    if (FDeviceID != 0 && FHasVideo)
        send(MCI_WHERE, MCI_WAIT | MCI_ANIM_WHERE_DESTINATION, &parms);
    return parms.rc;
}

void TMediaPlayer::SetDisplayRect(const RECT& rect) {
    if (FDeviceID == 0 || !FHasVideo)
        return;
    MCI_ANIM_RECT_PARMS parms{callback(), rect};
    send(MCI_PUT, MCI_WAIT | MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION, &parms);
}

bool TMediaPlayer::event(QEvent* event) {
    if (event->type() == MessageEvent::EventType() &&
        static_cast<MessageEvent*>(event)->Msg == MM_MCINOTIFY) {
        FNotifyValue = static_cast<DWORD>(static_cast<MessageEvent*>(event)->WParam);
        if (OnNotify)
            RunHandler(OnNotify);
        return true;
    }
    return QObject::event(event);
}
