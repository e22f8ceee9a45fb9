#pragma once
// The media display panel: plays one file at a time on a media device and
// shows the video inside itself, placed by zoom, fit and centre settings. A
// 200 ms poll turns the device's state into status, position, zoom and
// end-of-track events, stops a device that stalls, and loops on request.
#include "platform/ui/Colors.h"

#include <functional>
#include <QFrame>
#include <QString>
#include <vector>

class QLabel;
class QTimer;
class TMediaPlayer;

enum TMMStatus { mmNotReady, mmStopped, mmPlaying, mmPaused };

// Events are fired only when assigned.
using TNotifyStatusChanged = std::function<void(QObject* Sender)>;
using TNotifyPositionChanged = std::function<void(QObject* Sender, const QString& strStatus)>;
using TNotifyZoomChanged = std::function<void(QObject* Sender, int Zoom)>;
using TNotifyTrackEnded = std::function<void(QObject* Sender)>;
using TNotifyChaptersKnown = std::function<void(QObject* Sender, int Count)>;

// What a karaoke disc's viewer hears: both channels, or one on both speakers.
enum TAudioChannel { acStereo, acLeftChannel, acRightChannel };

class TMMDisplay2 : public QFrame {
    Q_OBJECT
public:
    explicit TMMDisplay2(QWidget* parent = nullptr);
    ~TMMDisplay2() override;

    // Published properties.
    platform::TColor BackgroundColor() const { return FColor; }
    void SetBackgroundColor(platform::TColor value);
    int DefaultZoom = 100;
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Loop = false;
    bool OwnVideoWindow = false;
    bool StretchToFit() const { return FStretchToFit; }
    void SetStretchToFit(bool value);
    bool ShrinkToFit() const { return FShrinkToFit; }
    void SetShrinkToFit(bool value);
    int Border = 1;
    int TimeOut = 3;
    bool ShowCaption = true;
    bool DrawGradient() const { return FDrawGradient; }
    void SetDrawGradient(bool value);
    platform::TColor GradientColor2() const { return FGradientColor2; }
    void SetGradientColor2(platform::TColor value);
    TNotifyStatusChanged OnStatusChanged;
    TNotifyPositionChanged OnPositionChanged;
    TNotifyZoomChanged OnZoomChanged;
    TNotifyTrackEnded OnTrackEnded;
    std::function<void(QObject* Sender)> OnDblClick;
    // Fired once for each opened file, when its entry points are known.
    TNotifyChaptersKnown OnChaptersKnown;

    // Run-time properties.
    TMMStatus Status() const { return FStatus; }
    const QString& FileName() const { return FFileName; }
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Length() const;
    int Zoom() const { return FZoom; }
    void SetZoom(int value);

    void PlayFile(const QString& fileName);
    void Play();
    void Pause();
    void Stop();
    void StepBack();
    void StepForward();
    void Close();

    // The open file's entry points (a disc's chapters), as positions in the
    // device's time format; none until they are known.
    std::vector<int> Chapters() const;
    // The same in milliseconds, for showing them.
    std::vector<int> ChapterMilliseconds() const;
    // The chapter playing, -1 before the first or without chapters.
    int CurrentChapter() const;
    // Play from a chapter's start; the next, or the previous one as players
    // step back. Nothing without a device or chapters.
    void PlayChapter(int index);
    void NextChapter();
    void PreviousChapter();
    bool HasAudio() const;
    // Applied at once and to every file opened after; kept for the run only.
    TAudioChannel AudioChannel() const { return FAudioChannel; }
    void SetAudioChannel(TAudioChannel value);
    // The track's audio streams, and the one heard (from 1; 0 without sound).
    // A stream chosen is heard on every file opened after that has it; kept
    // for the run only.
    int AudioStreams() const;
    int AudioStream() const;
    void SetAudioStream(int stream);

    // The owned parts, for those who need to look inside (tests, benchmarks).
    TMediaPlayer* MediaPlayer() const { return FMediaPlayer; }
    QTimer* Timer() const { return FTimer; }
    QLabel* CaptionLabel() const { return FCaptionLabel; }
    int StallCount() const { return FStallCount; }
    void TimerTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void CreatePlayer();
    void PlayFileEx(QString name, bool resetZoom);
    void OpenFile(const QString& name, bool resetZoom);
    void PlayerNotify();
    void UpdatePosition();
    void TrackFinished(bool immediate);
    void SetStatus(TMMStatus value);
    TMMStatus GetDeviceStatus() const;
    QString GetPositionText(bool withUnits);
    void ShowCaptionText(const QString& text, int fontSize);
    void PlaceLabels();
    void ResizeVideo();
    bool playerActive() const { return FActive || FPlaying; }
    void PollChapters();
    void ApplyAudioChoices();
    std::vector<platform::DWORD> millisecondChapters(platform::DWORD& position) const;

    platform::TColor FColor = platform::clBlack;
    bool FCenter = false;
    bool FStretchToFit = false;
    bool FShrinkToFit = false;
    bool FDrawGradient = false;
    platform::TColor FGradientColor2 = platform::clNavy;

    TMediaPlayer* FMediaPlayer = nullptr;
    QTimer* FTimer = nullptr;
    QLabel* FCaptionLabel = nullptr;

    TMMStatus FStatus = mmNotReady;
    QString FFileName;
    int FZoom = 100;
    int FPosition = 0;
    int FVideoWidth = 0;
    int FVideoHeight = 0;
    bool FIsMidi = false;
    QString FCaptionText;
    bool FCreated = false;
    bool FActive = false;
    bool FPlaying = false;
    bool FLoopAllowed = true;
    int FStallCount = 0;
    bool FEndHandled = false;
    bool FChaptersKnown = false;
    TAudioChannel FAudioChannel = acStereo;
    int FAudioStream = 1;
};
