#pragma once
// A media driver whose state a test sets and advances by hand: it sits in the
// same driver table as the real ones, so device selection and every
// notification rule of the media control interface apply to it unchanged.
// Positions are kept in frames and reported in the device's time format.
#include "platform/mci/driver.h"

#include <string>
#include <vector>

// What a scripted device finds when it opens.
struct ScriptedMedia {
    platform::DWORD lengthFrames = 250;
    double framesPerSecond = 25;
    bool hasVideo = true;
    bool hasAudio = true;
    int width = 352;
    int height = 288;
    // Counts in packed hours, minutes and seconds too, as some devices do;
    // otherwise, like the video driver, in frames (the default) when there
    // is video and in milliseconds.
    bool offersHms = false;
    // Opens counting milliseconds, as the video driver does, instead of frames.
    bool opensInMilliseconds = false;
};

class ScriptedDriver final : public platform::mci::Driver {
public:
    using DWORD = platform::DWORD;
    using MCIERROR = platform::MCIERROR;

    static inline ScriptedMedia NextMedia;
    static inline MCIERROR NextOpenError = 0;

    // Opens through `driverName` (in system.ini [MCI32]) make a ScriptedDriver.
    static void Register(const std::string& driverName);
    // On a cleared configuration: files ending in ".scr" open on a
    // ScriptedDriver, and the next one opens on fresh default media.
    static void Install();
    // The driver of the device opened last, while it is open; else null.
    static ScriptedDriver* Latest();

    explicit ScriptedDriver(platform::mci::DriverEvents& events);
    ~ScriptedDriver() override;

    // Script.
    void SetMode(DWORD mode) { FMode = mode; }
    void SetPositionFrames(DWORD frames) { FPosition = frames; }
    DWORD PositionFrames() const { return FPosition; }
    // Plays on by `frames`; at the end the device stops and its play
    // notification is due, as with a real driver.
    void Advance(DWORD frames);
    // Playback breaks off as on a read error.
    void FailPlayback();

    // What the device was told.
    std::string Element;
    platform::HWND Window = nullptr;
    std::vector<std::string> Calls;

    MCIERROR Open(const std::string& element) override;
    MCIERROR Play(std::optional<DWORD> from) override;
    MCIERROR Pause() override;
    MCIERROR Resume() override;
    MCIERROR Stop() override;
    MCIERROR Seek(DWORD to) override;
    MCIERROR Step(DWORD frames, bool reverse) override;
    DWORD Mode() const override { return FMode; }
    DWORD Position() const override;
    DWORD Length() const override;
    DWORD TimeFormat() const override { return FTimeFormat; }
    MCIERROR SetTimeFormat(DWORD format) override;
    bool HasVideo() const override { return FMedia.hasVideo; }
    bool HasAudio() const override { return FMedia.hasAudio; }
    MCIERROR SetWindow(platform::HWND window) override;
    MCIERROR PutDestination(const platform::RECT& rect) override;
    platform::RECT Destination() const override { return FDestination; }
    platform::RECT Source() const override;

private:
    DWORD toUnits(DWORD frames) const;
    DWORD toFrames(DWORD units) const;
    void endPlay(platform::mci::PlaybackEnd how);

    platform::mci::DriverEvents& FEvents;
    ScriptedMedia FMedia;
    DWORD FMode = platform::MCI_MODE_NOT_READY;
    DWORD FPosition = 0;
    DWORD FTimeFormat = platform::MCI_FORMAT_FRAMES;
    platform::RECT FDestination{};
};
