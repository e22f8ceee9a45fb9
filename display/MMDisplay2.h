#pragma once
// The media display panel: plays one file at a time on a media device and
// shows the video inside itself, placed by zoom, fit and centre settings. A
// 200 ms poll turns the device's state into status, position, zoom and
// end-of-track events, stops a device that stalls, and loops on request.
#include "platform/ui/Colors.h"

#include <functional>
#include <QFrame>
#include <QString>

class QLabel;
class QTimer;
class TMediaPlayer;

enum TMMStatus { mmNotReady, mmStopped, mmPlaying, mmPaused };

// Events are fired only when assigned.
using TNotifyStatusChanged = std::function<void(QObject* Sender)>;
using TNotifyPositionChanged = std::function<void(QObject* Sender, const QString& strStatus)>;
using TNotifyZoomChanged = std::function<void(QObject* Sender, int Zoom)>;
using TNotifyTrackEnded = std::function<void(QObject* Sender)>;

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
};
