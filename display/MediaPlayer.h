#pragma once
// One media device, opened by file with the device chosen by the system's
// association of the file's extension. Commands that fail without raising
// leave their code in LastError; every notification the device sends to its
// hidden window fires OnNotify.
#include "platform/mci/mci.h"

#include <functional>
#include <optional>
#include <QObject>
#include <QString>
#include <stdexcept>
#include <vector>

class EMCIDeviceError : public std::runtime_error {
public:
    explicit EMCIDeviceError(const std::string& message) : std::runtime_error(message) {}
};

enum TMPModes { dmNotReady, dmStopped, dmPlaying, dmRecording, dmSeeking, dmPaused, dmOpen };
enum TMPDeviceTypes { dtAutoSelect };

class TMediaPlayer : public QObject {
    Q_OBJECT
public:
    explicit TMediaPlayer(QObject* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName;
    const TMPDeviceTypes DeviceType = dtAutoSelect;
    bool AutoRewind = true;
    std::function<void()> OnNotify;

    QWidget* Display() const { return FDisplay; }
    void SetDisplay(QWidget* display);
    // The next command that waits also notifies; one command uses it up.
    void SetNotify(bool notify) { FNotify = notify; }
    // The next Play starts here instead of where the device stands.
    void SetStartPosition(platform::DWORD position);

    platform::MCIDEVICEID DeviceID() const { return FDeviceID; }
    bool HasVideo() const { return FHasVideo; }
    platform::DWORD StepFrames() const { return FStepFrames; }
    platform::MCIERROR LastError() const { return FLastError; }
    platform::DWORD NotifyValue() const { return FNotifyValue; }
    QString ErrorMessage() const;

    void Open();
    void Close();
    void Play();
    void Stop();
    void Pause();
    void TogglePause();
    void Resume();
    void FrameStepForward();
    void FrameStepBack();
    void Seek(platform::DWORD position);
    void Rewind();

    TMPModes Mode() const;
    platform::DWORD Position() const;
    platform::DWORD Length() const;
    platform::DWORD TimeFormat() const;
    void SetTimeFormat(platform::DWORD format);
    // Left, top, width and height of the video inside the display window.
    platform::RECT DisplayRect() const;
    void SetDisplayRect(const platform::RECT& rect);

    // The positions of the media's entry points (a disc's chapters) in the
    // current time format, ascending; nothing while the device is still
    // finding them out, none without a device.
    std::optional<std::vector<platform::DWORD>> EntryPositions() const;
    bool HasAudio() const;
    // Which channels are heard: both (stereo), or one of them on both speakers.
    void SetAudioChannels(bool left, bool right);
    // The media's audio streams (an SVCD may carry two) and the one heard,
    // counted from 1; no streams without a device or sound.
    int AudioStreams() const;
    int AudioStream() const;
    void SetAudioStream(int stream);

protected:
    bool event(QEvent* event) override;

private:
    void checkIfOpen() const;
    platform::DWORD waitFlags();
    platform::MCIERROR send(platform::UINT message, platform::DWORD flags, void* params) const;
    platform::DWORD status(platform::DWORD item) const;
    platform::DWORD_PTR callback() const;
    void showVideoIn(QWidget* display);
    platform::DWORD lengthInFrames();

    platform::MCIDEVICEID FDeviceID = 0;
    QWidget* FDisplay = nullptr;
    bool FNotify = false;
    bool FUseFrom = false;
    platform::DWORD FFrom = 0;
    bool FHasVideo = false;
    platform::DWORD FStepFrames = 0;
    mutable platform::MCIERROR FLastError = 0;
    platform::DWORD FNotifyValue = 0;
};
