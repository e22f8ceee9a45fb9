#include "platform/mci/command_records.h"

#include <QApplication>
#include <QWidget>

namespace platform::mci {
namespace {

template <typename Record> Record* record(DWORD_PTR params) {
    return reinterpret_cast<Record*>(params);
}

MCIERROR play(Driver& driver, DWORD flags, const MCI_PLAY_PARMS* params) {
    if (flags & MCI_TO)
        return MCIERR_UNSUPPORTED_FUNCTION;
    std::optional<DWORD> from;
    if (flags & MCI_FROM) {
        if (!params)
            return MCIERR_NULL_PARAMETER_BLOCK;
        from = params->dwFrom;
    }
    return driver.Play(from);
}

MCIERROR seek(Driver& driver, DWORD flags, const MCI_SEEK_PARMS* params) {
    const DWORD targets = flags & (MCI_TO | MCI_SEEK_TO_START | MCI_SEEK_TO_END);
    if (targets == 0)
        return MCIERR_MISSING_PARAMETER;
    if (targets != MCI_TO && targets != MCI_SEEK_TO_START && targets != MCI_SEEK_TO_END)
        return MCIERR_FLAGS_NOT_COMPATIBLE;
    if (targets == MCI_SEEK_TO_START)
        return driver.Seek(0);
    if (targets == MCI_SEEK_TO_END)
        return driver.Seek(driver.Length());
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    return driver.Seek(params->dwTo);
}

MCIERROR step(Driver& driver, DWORD flags, const MCI_ANIM_STEP_PARMS* params) {
    DWORD frames = 1;
    if (flags & MCI_ANIM_STEP_FRAMES) {
        if (!params)
            return MCIERR_NULL_PARAMETER_BLOCK;
        frames = params->dwFrames;
    }
    return driver.Step(frames, flags & MCI_ANIM_STEP_REVERSE);
}

MCIERROR entryStatus(const Driver& driver, MCI_STATUS_PARMS* params) {
    const std::optional<std::vector<DWORD>> entries = driver.EntryPositions();
    if (!entries)
        return MCIERR_DEVICE_NOT_READY;
    if (params->dwItem == MCI_STATUS_NUMBER_OF_TRACKS) {
        params->dwReturn = entries->size();
        return 0;
    }
    if (params->dwTrack < 1 || params->dwTrack > entries->size())
        return MCIERR_OUTOFRANGE;
    params->dwReturn = (*entries)[params->dwTrack - 1];
    return 0;
}

MCIERROR status(const Driver& driver, DWORD flags, MCI_STATUS_PARMS* params) {
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_STATUS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    if (params->dwItem == MCI_STATUS_NUMBER_OF_TRACKS ||
        (params->dwItem == MCI_STATUS_POSITION && (flags & MCI_TRACK)))
        return entryStatus(driver, params);
    switch (params->dwItem) {
    case MCI_STATUS_MODE:
        params->dwReturn = driver.Mode();
        return 0;
    case MCI_STATUS_POSITION:
        params->dwReturn = driver.Position();
        return 0;
    case MCI_STATUS_LENGTH:
        params->dwReturn = driver.Length();
        return 0;
    case MCI_STATUS_TIME_FORMAT:
        params->dwReturn = driver.TimeFormat();
        return 0;
    case MCI_STATUS_READY:
        params->dwReturn = 1;
        return 0;
    case MCI_DGV_STATUS_AUDIO_STREAM:
        if (!driver.HasAudio())
            return MCIERR_UNSUPPORTED_FUNCTION;
        params->dwReturn = driver.AudioStream();
        return 0;
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

MCIERROR set(Driver& driver, DWORD flags, const MCI_SET_PARMS* params) {
    const DWORD onOff = flags & (MCI_SET_ON | MCI_SET_OFF);
    if (!(flags & (MCI_SET_TIME_FORMAT | MCI_SET_AUDIO)))
        return MCIERR_MISSING_PARAMETER;
    if ((flags & MCI_SET_AUDIO) && onOff != MCI_SET_ON && onOff != MCI_SET_OFF)
        return onOff ? MCIERR_FLAGS_NOT_COMPATIBLE : MCIERR_MISSING_PARAMETER;
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & MCI_SET_AUDIO) {
        if (params->dwAudio > MCI_SET_AUDIO_RIGHT)
            return MCIERR_OUTOFRANGE;
        if (const MCIERROR error = driver.SetAudio(params->dwAudio, onOff == MCI_SET_ON))
            return error;
    }
    return (flags & MCI_SET_TIME_FORMAT) ? driver.SetTimeFormat(params->dwTimeFormat) : 0;
}

MCIERROR setAudio(Driver& driver, DWORD flags, const MCI_DGV_SETAUDIO_PARMSA* params) {
    if (!(flags & MCI_DGV_SETAUDIO_ITEM) || !(flags & MCI_DGV_SETAUDIO_VALUE))
        return MCIERR_MISSING_PARAMETER;
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (params->dwItem != MCI_DGV_SETAUDIO_STREAM)
        return MCIERR_UNSUPPORTED_FUNCTION;
    return driver.SetAudioStream(params->dwValue);
}

MCIERROR list(const Driver& driver, DWORD flags, MCI_DGV_LIST_PARMSA* params) {
    if (!(flags & MCI_DGV_LIST_ITEM) || !(flags & MCI_DGV_LIST_COUNT))
        return MCIERR_MISSING_PARAMETER;
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (params->dwItem != MCI_DGV_LIST_AUDIO_STREAM)
        return MCIERR_UNSUPPORTED_FUNCTION;
    params->dwNumber = driver.AudioStreams();
    return 0;
}

MCIERROR capabilities(const Driver& driver, DWORD flags, MCI_GETDEVCAPS_PARMS* params) {
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (!(flags & MCI_GETDEVCAPS_ITEM))
        return MCIERR_MISSING_PARAMETER;
    switch (params->dwItem) {
    case MCI_GETDEVCAPS_HAS_VIDEO:
        params->dwReturn = driver.HasVideo();
        return 0;
    case MCI_GETDEVCAPS_HAS_AUDIO:
        params->dwReturn = driver.HasAudio();
        return 0;
    default:
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

MCIERROR window(Driver& driver, DWORD flags, const MCI_ANIM_WINDOW_PARMSA* params) {
    if (!(flags & MCI_ANIM_WINDOW_HWND))
        return 0;
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    // A handle is a pointer here: one that names no living widget must not
    // be used at all.
    if (params->hWnd && !QApplication::allWidgets().contains(params->hWnd))
        return MCIERR_NO_WINDOW;
    return driver.SetWindow(params->hWnd);
}

MCIERROR put(Driver& driver, DWORD flags, const MCI_ANIM_RECT_PARMS* params) {
    if (!(flags & MCI_ANIM_PUT_DESTINATION) || !(flags & MCI_ANIM_RECT))
        return MCIERR_MISSING_PARAMETER;
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (params->rc.right < 0 || params->rc.bottom < 0)
        return MCIERR_OUTOFRANGE;
    return driver.PutDestination(params->rc);
}

MCIERROR where(const Driver& driver, DWORD flags, MCI_ANIM_RECT_PARMS* params) {
    if (!params)
        return MCIERR_NULL_PARAMETER_BLOCK;
    if (flags & MCI_ANIM_WHERE_DESTINATION)
        params->rc = driver.Destination();
    else if (flags & MCI_ANIM_WHERE_SOURCE)
        params->rc = driver.Source();
    else
        return MCIERR_MISSING_PARAMETER;
    return 0;
}

bool needsVideo(UINT message) {
    return message == MCI_WINDOW || message == MCI_PUT || message == MCI_WHERE;
}

} // namespace

MCIERROR RunCommand(Driver& driver, UINT message, DWORD flags, DWORD_PTR params) {
    if (needsVideo(message) && !driver.HasVideo())
        return MCIERR_UNSUPPORTED_FUNCTION;
    switch (message) {
    case MCI_PLAY:
        return play(driver, flags, record<MCI_PLAY_PARMS>(params));
    case MCI_PAUSE:
        return driver.Pause();
    case MCI_RESUME:
        return driver.Resume();
    case MCI_STOP:
        return driver.Stop();
    case MCI_SEEK:
        return seek(driver, flags, record<MCI_SEEK_PARMS>(params));
    case MCI_STEP:
        return step(driver, flags, record<MCI_ANIM_STEP_PARMS>(params));
    case MCI_STATUS:
        return status(driver, flags, record<MCI_STATUS_PARMS>(params));
    case MCI_SET:
        return set(driver, flags, record<MCI_SET_PARMS>(params));
    case MCI_SETAUDIO:
        return setAudio(driver, flags, record<MCI_DGV_SETAUDIO_PARMSA>(params));
    case MCI_LIST:
        return list(driver, flags, record<MCI_DGV_LIST_PARMSA>(params));
    case MCI_GETDEVCAPS:
        return capabilities(driver, flags, record<MCI_GETDEVCAPS_PARMS>(params));
    case MCI_WINDOW:
        return window(driver, flags, record<MCI_ANIM_WINDOW_PARMSA>(params));
    case MCI_PUT:
        return put(driver, flags, record<MCI_ANIM_RECT_PARMS>(params));
    case MCI_WHERE:
        return where(driver, flags, record<MCI_ANIM_RECT_PARMS>(params));
    default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

} // namespace platform::mci
