#pragma once
// The media control interface: one call that sends a command to a media
// device, and one that turns its error codes into text. Numbers, flags and
// records have the values and layouts the program knows from Windows.
//
// Threads: every call, and every notification, belongs to the GUI thread (the
// thread that created the QApplication). A device ID is valid from the open
// that returned it until its close, and is never handed out again in the same
// process.
//
// Ownership: the caller owns every parameter record and every text it passes;
// the call reads and writes them only while it runs. Nothing the call returns
// needs freeing.
//
// Windows: an HWND is a QWidget*. The callback window of a notifying command
// (dwCallback) is a QObject* cast to DWORD_PTR; it receives MM_MCINOTIFY as a
// platform::MessageEvent (see platform/ui/Messages.h) with WParam one of the
// MCI_NOTIFY_* results and LParam the device ID. A callback window destroyed
// before its notification is due simply receives nothing.
//
// Choosing the device: MCI_OPEN with an element and no type follows the
// system's association of the element's extension:
//   extension -> win.ini [MCI Extensions] -> device type
//             -> system.ini [MCI32] -> driver name -> the table of drivers.
// Names match without regard to letter case. A missing step fails the open
// with its own error (MCIERR_EXTENSION_NOT_FOUND, MCIERR_INVALID_DEVICE_NAME,
// MCIERR_CANNOT_LOAD_DRIVER).
//
// Notifications. Only play and resume finish later than the call; every other
// command has finished when mciSendCommandA returns, so MCI_WAIT changes
// nothing for it. With MCI_NOTIFY and a callback window:
//   - a command that succeeds posts MCI_NOTIFY_SUCCESSFUL when it is done: at
//     once for most commands; for play and resume when the media reaches its
//     end (the device then stands stopped at its length), or
//     MCI_NOTIFY_FAILURE when playback breaks off on a read error;
//   - a command that fails returns its error and posts nothing;
//   - a device holds at most one such pending play notification. Stop, seek,
//     step and close end the play: the pending notification is posted
//     MCI_NOTIFY_ABORTED. Any other command that itself asks for a
//     notification (a new play, a resume, a pause, ...) replaces it: the
//     pending one is posted MCI_NOTIFY_SUPERSEDED. Pause without MCI_NOTIFY
//     keeps it pending, and the resume or play that follows carries it on.
//   - notifications are posted, never sent: they arrive after the call that
//     caused them has returned, in the order described.
// MCI_WAIT on play or resume would hold the window frozen until the end of the
// media, and is refused (MCIERR_UNSUPPORTED_FUNCTION).
#include "platform/wintypes.h"

#include <cstdint>

namespace platform {

using DWORD_PTR = std::uintptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using MCIDEVICEID = UINT;
using MCIERROR = DWORD;

// Commands.
inline constexpr UINT MCI_OPEN = 0x0803;
inline constexpr UINT MCI_CLOSE = 0x0804;
inline constexpr UINT MCI_PLAY = 0x0806;
inline constexpr UINT MCI_SEEK = 0x0807;
inline constexpr UINT MCI_STOP = 0x0808;
inline constexpr UINT MCI_PAUSE = 0x0809;
inline constexpr UINT MCI_GETDEVCAPS = 0x080B;
inline constexpr UINT MCI_SET = 0x080D;
inline constexpr UINT MCI_STEP = 0x080E;
inline constexpr UINT MCI_STATUS = 0x0814;
inline constexpr UINT MCI_WINDOW = 0x0841;
inline constexpr UINT MCI_PUT = 0x0842;
inline constexpr UINT MCI_WHERE = 0x0843;
inline constexpr UINT MCI_RESUME = 0x0855;
inline constexpr UINT MCI_SETAUDIO = 0x0873;
inline constexpr UINT MCI_LIST = 0x0878;

// Flags every command takes.
inline constexpr DWORD MCI_NOTIFY = 0x00000001;
inline constexpr DWORD MCI_WAIT = 0x00000002;
inline constexpr DWORD MCI_FROM = 0x00000004;
inline constexpr DWORD MCI_TO = 0x00000008;
inline constexpr DWORD MCI_TRACK = 0x00000010;

// MCI_OPEN.
inline constexpr DWORD MCI_OPEN_SHAREABLE = 0x00000100;
inline constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
inline constexpr DWORD MCI_OPEN_ALIAS = 0x00000400;
inline constexpr DWORD MCI_OPEN_ELEMENT_ID = 0x00000800;
inline constexpr DWORD MCI_OPEN_TYPE_ID = 0x00001000;
inline constexpr DWORD MCI_OPEN_TYPE = 0x00002000;

// MCI_SEEK.
inline constexpr DWORD MCI_SEEK_TO_START = 0x00000100;
inline constexpr DWORD MCI_SEEK_TO_END = 0x00000200;

// MCI_STATUS.
inline constexpr DWORD MCI_STATUS_ITEM = 0x00000100;
inline constexpr DWORD MCI_STATUS_LENGTH = 1;
inline constexpr DWORD MCI_STATUS_POSITION = 2;
inline constexpr DWORD MCI_STATUS_NUMBER_OF_TRACKS = 3;
inline constexpr DWORD MCI_STATUS_MODE = 4;
inline constexpr DWORD MCI_STATUS_TIME_FORMAT = 6;
inline constexpr DWORD MCI_STATUS_READY = 7;
// The audio stream heard, counted from 1.
inline constexpr DWORD MCI_DGV_STATUS_AUDIO_STREAM = 0x0000402D;

// Modes reported by MCI_STATUS_MODE.
inline constexpr DWORD MCI_MODE_NOT_READY = 524;
inline constexpr DWORD MCI_MODE_STOP = 525;
inline constexpr DWORD MCI_MODE_PLAY = 526;
inline constexpr DWORD MCI_MODE_RECORD = 527;
inline constexpr DWORD MCI_MODE_SEEK = 528;
inline constexpr DWORD MCI_MODE_PAUSE = 529;
inline constexpr DWORD MCI_MODE_OPEN = 530;

// MCI_SET and time formats. Positions and lengths are in the device's current
// time format; a new device counts in frames.
inline constexpr DWORD MCI_SET_TIME_FORMAT = 0x00000400;
inline constexpr DWORD MCI_SET_AUDIO = 0x00000800;
inline constexpr DWORD MCI_SET_ON = 0x00002000;
inline constexpr DWORD MCI_SET_OFF = 0x00004000;
inline constexpr DWORD MCI_SET_AUDIO_ALL = 0;
inline constexpr DWORD MCI_SET_AUDIO_LEFT = 1;
inline constexpr DWORD MCI_SET_AUDIO_RIGHT = 2;
inline constexpr DWORD MCI_FORMAT_MILLISECONDS = 0;
inline constexpr DWORD MCI_FORMAT_HMS = 1;
inline constexpr DWORD MCI_FORMAT_FRAMES = 3;

// Packed hours, minutes, seconds: byte 0 hours, byte 1 minutes, byte 2 seconds.
constexpr DWORD MCI_MAKE_HMS(DWORD hours, DWORD minutes, DWORD seconds) {
    return (hours & 0xFF) | ((minutes & 0xFF) << 8) | ((seconds & 0xFF) << 16);
}
constexpr DWORD MCI_HMS_HOUR(DWORD hms) {
    return hms & 0xFF;
}
constexpr DWORD MCI_HMS_MINUTE(DWORD hms) {
    return (hms >> 8) & 0xFF;
}
constexpr DWORD MCI_HMS_SECOND(DWORD hms) {
    return (hms >> 16) & 0xFF;
}

// MCI_GETDEVCAPS: dwReturn is TRUE or FALSE.
inline constexpr DWORD MCI_GETDEVCAPS_ITEM = 0x00000100;
inline constexpr DWORD MCI_GETDEVCAPS_HAS_AUDIO = 2;
inline constexpr DWORD MCI_GETDEVCAPS_HAS_VIDEO = 3;

// MCI_LIST with MCI_DGV_LIST_COUNT and MCI_DGV_LIST_ITEM: how many of dwItem
// the element holds, in dwNumber.
inline constexpr DWORD MCI_DGV_LIST_ITEM = 0x00010000;
inline constexpr DWORD MCI_DGV_LIST_COUNT = 0x00020000;
inline constexpr DWORD MCI_DGV_LIST_AUDIO_STREAM = 0x00004002;

// MCI_SETAUDIO with MCI_DGV_SETAUDIO_ITEM and MCI_DGV_SETAUDIO_VALUE: dwItem
// set to dwValue. MCI_DGV_SETAUDIO_STREAM: the audio stream heard, from 1.
inline constexpr DWORD MCI_DGV_SETAUDIO_ITEM = 0x00800000;
inline constexpr DWORD MCI_DGV_SETAUDIO_VALUE = 0x01000000;
inline constexpr DWORD MCI_DGV_SETAUDIO_STREAM = 0x00004003;

// MCI_STEP: dwFrames frames (one without MCI_ANIM_STEP_FRAMES), always counted
// in frames whatever the time format; the device is left paused.
inline constexpr DWORD MCI_ANIM_STEP_REVERSE = 0x00010000;
inline constexpr DWORD MCI_ANIM_STEP_FRAMES = 0x00020000;

// MCI_WINDOW: with MCI_ANIM_WINDOW_HWND the video shows inside hWnd; hWnd null
// (MCI_ANIM_WINDOW_DEFAULT) gives the device's own top-level window, which is
// also where video goes when no window was ever given.
inline constexpr DWORD MCI_ANIM_WINDOW_HWND = 0x00010000;
inline constexpr HWND MCI_ANIM_WINDOW_DEFAULT = nullptr;

// MCI_PUT and MCI_WHERE. As in MCI, rc carries left, top, WIDTH and HEIGHT
// (right holds the width, bottom the height). Put with width and height 0
// means the natural size; after open the destination is the natural size at
// (0, 0): the picture's display size, pixel aspect applied.
inline constexpr DWORD MCI_ANIM_RECT = 0x00010000;
inline constexpr DWORD MCI_ANIM_PUT_DESTINATION = 0x00040000;
inline constexpr DWORD MCI_ANIM_WHERE_SOURCE = 0x00020000;
inline constexpr DWORD MCI_ANIM_WHERE_DESTINATION = 0x00040000;

// Notification message and its results.
inline constexpr UINT MM_MCINOTIFY = 0x03B9;
inline constexpr DWORD MCI_NOTIFY_SUCCESSFUL = 0x0001;
inline constexpr DWORD MCI_NOTIFY_SUPERSEDED = 0x0002;
inline constexpr DWORD MCI_NOTIFY_ABORTED = 0x0004;
inline constexpr DWORD MCI_NOTIFY_FAILURE = 0x0008;

// Error codes; mciGetErrorStringA has a text for each.
inline constexpr MCIERROR MCIERR_BASE = 256;
inline constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
inline constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
inline constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
inline constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
inline constexpr MCIERROR MCIERR_DRIVER_INTERNAL = MCIERR_BASE + 16;
inline constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
inline constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
inline constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
inline constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
inline constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
inline constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
inline constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;
inline constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
inline constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
inline constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
inline constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;
inline constexpr MCIERROR MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48;
inline constexpr MCIERROR MCIERR_NO_WINDOW = MCIERR_BASE + 90;
inline constexpr MCIERROR MCIERR_CREATEWINDOW = MCIERR_BASE + 91;
inline constexpr MCIERROR MCIERR_FILE_READ = MCIERR_BASE + 92;

// Parameter records. Every record starts with dwCallback, the callback window
// of MCI_NOTIFY.
struct MCI_GENERIC_PARMS {
    DWORD_PTR dwCallback;
};

// MCI_OPEN with MCI_OPEN_ELEMENT: lpstrElementName names the file, on a drive
// letter ("D:\MPEGAV\AVSEQ01.DAT", read through the drive table as the file
// calls read it) or as a path of this machine; see OpenMediaStream in
// element_stream.h. wDeviceID receives the new device's ID. Opening is
// complete when the call returns: the length and the natural size are known.
struct MCI_OPEN_PARMSA {
    DWORD_PTR dwCallback;
    MCIDEVICEID wDeviceID;
    LPCSTR lpstrDeviceType;
    LPCSTR lpstrElementName;
    LPCSTR lpstrAlias;
};

// MCI_PLAY with MCI_FROM plays from dwFrom (else from the current position).
// MCI_TO is not supported.
struct MCI_PLAY_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwFrom;
    DWORD dwTo;
};

// MCI_SEEK: MCI_TO (position dwTo), MCI_SEEK_TO_START or MCI_SEEK_TO_END. The
// device is left stopped there.
struct MCI_SEEK_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwTo;
};

// MCI_STATUS with MCI_STATUS_ITEM: the value of dwItem in dwReturn. A video
// device counts its element's entry points (a disc's chapters) as tracks:
// MCI_STATUS_NUMBER_OF_TRACKS, and MCI_STATUS_POSITION with MCI_TRACK and
// dwTrack from 1, the entry's position. Both fail with MCIERR_DEVICE_NOT_READY
// while the entries are still being read from the disc, a short while after
// the open.
struct MCI_STATUS_PARMS {
    DWORD_PTR dwCallback;
    DWORD_PTR dwReturn;
    DWORD dwItem;
    DWORD dwTrack;
};

// MCI_SET with MCI_SET_TIME_FORMAT: dwTimeFormat. With MCI_SET_AUDIO and
// MCI_SET_ON or MCI_SET_OFF: the channel dwAudio (MCI_SET_AUDIO_*) heard or
// not. A video device plays a channel heard alone on both speakers, as a
// karaoke disc's singer or music alone is meant to be heard.
struct MCI_SET_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwTimeFormat;
    DWORD dwAudio;
};

struct MCI_ANIM_STEP_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwFrames;
};

struct MCI_ANIM_RECT_PARMS {
    DWORD_PTR dwCallback;
    RECT rc;
};

struct MCI_ANIM_WINDOW_PARMSA {
    DWORD_PTR dwCallback;
    HWND hWnd;
    UINT nCmdShow;
    LPCSTR lpstrText;
};

struct MCI_GETDEVCAPS_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwReturn;
    DWORD dwItem;
};

struct MCI_DGV_LIST_PARMSA {
    DWORD_PTR dwCallback;
    LPSTR lpstrReturn;
    DWORD dwLength;
    DWORD dwNumber;
    DWORD dwItem;
    LPSTR lpstrAlgorithm;
};

struct MCI_DGV_SETAUDIO_PARMSA {
    DWORD_PTR dwCallback;
    DWORD dwItem;
    DWORD dwValue;
    DWORD dwOver;
    LPSTR lpstrAlgorithm;
    LPSTR lpstrQuality;
};

// Sends one command to a device; `params` points to the command's record (cast
// to DWORD_PTR). Returns 0 on success, else an MCIERR_* code. Without an open
// device of that ID every command but MCI_OPEN returns MCIERR_INVALID_DEVICE_ID.
MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

// Copies the text of `error` into `buffer` (at most length - 1 characters and
// a terminating zero) and returns TRUE; FALSE, with an empty text when there is
// room for one, for a code that has no text. The texts are static.
BOOL mciGetErrorStringA(MCIERROR error, char* buffer, UINT length);

} // namespace platform
