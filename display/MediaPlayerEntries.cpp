// The device's entry points, audio channels and audio streams.
#include "display/MediaPlayer.h"

using namespace platform;

std::optional<std::vector<DWORD>> TMediaPlayer::EntryPositions() const {
    if (FDeviceID == 0)
        return std::vector<DWORD>{};
    const DWORD count = status(MCI_STATUS_NUMBER_OF_TRACKS);
    if (FLastError == MCIERR_DEVICE_NOT_READY)
        return std::nullopt;
    std::vector<DWORD> positions;
    for (DWORD track = 1; FLastError == 0 && track <= count; ++track) {
        MCI_STATUS_PARMS parms{};
        parms.dwItem = MCI_STATUS_POSITION;
        parms.dwTrack = track;
        if (send(MCI_STATUS, MCI_WAIT | MCI_STATUS_ITEM | MCI_TRACK, &parms) == 0)
            positions.push_back(static_cast<DWORD>(parms.dwReturn));
    }
    // A device that counts no tracks has no entries.
    if (FLastError != 0)
        return std::vector<DWORD>{};
    return positions;
}

bool TMediaPlayer::HasAudio() const {
    if (FDeviceID == 0)
        return false;
    MCI_GETDEVCAPS_PARMS caps{};
    caps.dwItem = MCI_GETDEVCAPS_HAS_AUDIO;
    return send(MCI_GETDEVCAPS, MCI_WAIT | MCI_GETDEVCAPS_ITEM, &caps) == 0 && caps.dwReturn != 0;
}

void TMediaPlayer::SetAudioChannels(bool left, bool right) {
    MCI_SET_PARMS parms{};
    parms.dwAudio = MCI_SET_AUDIO_LEFT;
    send(MCI_SET, MCI_WAIT | MCI_SET_AUDIO | (left ? MCI_SET_ON : MCI_SET_OFF), &parms);
    parms.dwAudio = MCI_SET_AUDIO_RIGHT;
    send(MCI_SET, MCI_WAIT | MCI_SET_AUDIO | (right ? MCI_SET_ON : MCI_SET_OFF), &parms);
}

int TMediaPlayer::AudioStreams() const {
    if (FDeviceID == 0)
        return 0;
    MCI_DGV_LIST_PARMSA parms{};
    parms.dwItem = MCI_DGV_LIST_AUDIO_STREAM;
    if (send(MCI_LIST, MCI_WAIT | MCI_DGV_LIST_ITEM | MCI_DGV_LIST_COUNT, &parms) != 0)
        return 0;
    return static_cast<int>(parms.dwNumber);
}

int TMediaPlayer::AudioStream() const {
    if (FDeviceID == 0)
        return 0;
    const DWORD stream = status(MCI_DGV_STATUS_AUDIO_STREAM);
    return FLastError == 0 ? static_cast<int>(stream) : 0;
}

void TMediaPlayer::SetAudioStream(int stream) {
    MCI_DGV_SETAUDIO_PARMSA parms{};
    parms.dwItem = MCI_DGV_SETAUDIO_STREAM;
    parms.dwValue = static_cast<DWORD>(stream);
    send(MCI_SETAUDIO, MCI_WAIT | MCI_DGV_SETAUDIO_ITEM | MCI_DGV_SETAUDIO_VALUE, &parms);
}
