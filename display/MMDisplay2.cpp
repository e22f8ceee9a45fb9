#include "display/MMDisplay2.h"

#include "display/GradientFill.h"
#include "display/MediaPlayer.h"
#include "display/PositionText.h"
#include "display/VideoPlacement.h"

#include "platform/ascii_case.h"
#include "platform/paths/path_parts.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

#include <cstdint>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>

using namespace platform;

namespace {

// The panel's file names are the drive paths the scan writes, with
// backslashes: its name part follows the last backslash or colon.
constexpr std::string_view kPanelSeparators = "\\:";

QString namePart(const QString& path) {
    return QString::fromStdString(std::string(NamePart(path.toStdString(), kPanelSeparators)));
}

} // namespace

TMMDisplay2::TMMDisplay2(QWidget* parent) : QFrame(parent) {
}

// The owned device goes first, closing an open device while the panel it
// shows its video in still stands.
TMMDisplay2::~TMMDisplay2() {
    delete FMediaPlayer;
}

void TMMDisplay2::SetBackgroundColor(TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TMMDisplay2::SetCenter(bool value) {
    if (value == FCenter)
        return;
    FCenter = value;
    ResizeVideo();
}

void TMMDisplay2::SetStretchToFit(bool value) {
    if (value == FStretchToFit)
        return;
    FStretchToFit = value;
    ResizeVideo();
}

void TMMDisplay2::SetShrinkToFit(bool value) {
    if (value == FShrinkToFit)
        return;
    FShrinkToFit = value;
    ResizeVideo();
}

void TMMDisplay2::SetDrawGradient(bool value) {
    if (value == FDrawGradient)
        return;
    FDrawGradient = value;
    update();
}

void TMMDisplay2::SetGradientColor2(TColor value) {
    if (value == FGradientColor2)
        return;
    FGradientColor2 = value;
    update();
}

void TMMDisplay2::SetZoom(int value) {
    if (value == FZoom)
        return;
    FZoom = value;
    ResizeVideo();
}

int TMMDisplay2::Length() const {
    if (!FMediaPlayer)
        throw EMCIDeviceError(
            QCoreApplication::translate("TMediaPlayer", "No MCI device open").toStdString());
    return static_cast<int>(FMediaPlayer->Length());
}

void TMMDisplay2::CreatePlayer() {
    FCreated = true;
    FMediaPlayer = new TMediaPlayer(this);
    FMediaPlayer->SetDisplay(this);
    FMediaPlayer->OnNotify = [this] { PlayerNotify(); };
    FMediaPlayer->AutoRewind = true;

    FTimer = new QTimer(this);
    FTimer->setInterval(200);
    connect(FTimer, &QTimer::timeout, this, Guarded([this] { TimerTick(); }));

    FCaptionLabel = new QLabel(this);
    QFont font = FCaptionLabel->font();
    font.setBold(true);
    font.setPointSize(14);
    FCaptionLabel->setFont(font);
    FCaptionLabel->setStyleSheet(QStringLiteral("color: #FFFFFF; background: transparent;"));
    FCaptionLabel->setAlignment(Qt::AlignCenter);
    FCaptionLabel->setWordWrap(true);
    FCaptionLabel->hide();
    PlaceLabels();
}

void TMMDisplay2::PlayFile(const QString& fileName) {
    PlayFileEx(fileName, true);
}

void TMMDisplay2::Play() {
    PlayFileEx(QString(), false);
}

void TMMDisplay2::PlayFileEx(QString name, bool resetZoom) {
    if (!FCreated)
        CreatePlayer();
    FCaptionText.clear();
    if (!name.isEmpty())
        FFileName = name;
    else
        name = FFileName;
    const std::string extension =
        AsciiUpper(std::string(ExtensionPart(name.toStdString(), kPanelSeparators)));
    FIsMidi = extension == ".MID" || extension == ".MIDI" || extension == ".RMI";
    FEndHandled = false;

    if (FActive && FMediaPlayer->Mode() == dmPaused && name == FMediaPlayer->FileName) {
        Pause();
        return;
    }
    if (!name.isEmpty() && name != FMediaPlayer->FileName)
        OpenFile(name, resetZoom);
    FMediaPlayer->SetNotify(true);
    FMediaPlayer->Rewind();
    FMediaPlayer->Play();
    FTimer->start();
}

void TMMDisplay2::OpenFile(const QString& name, bool resetZoom) {
    if (!FCreated)
        CreatePlayer();
    Close();
    FCaptionText.clear();
    const QString shown = namePart(name);
    ShowCaptionText(shown, shown.length() >= 60 ? 11 : 14);
    FVideoWidth = 0;
    FVideoHeight = 0;
    if (resetZoom)
        FZoom = DefaultZoom;
    FMediaPlayer->FileName = name;
    FMediaPlayer->SetDisplay(OwnVideoWindow ? nullptr : this);
    if (!FActive) {
        FMediaPlayer->SetNotify(true);
        try {
            FMediaPlayer->Open();
        } catch (const std::exception& error) {
            // Without a device there is no current file: the next play of the
            // same name must try the open again (after a repaired association,
            // a reinserted disc) instead of failing on a device that is not there.
            FMediaPlayer->FileName.clear();
            ShowMessage(QString::fromUtf8(error.what()));
            MessageBeep(0);
        }
    }
    FChaptersKnown = false;
    ApplyAudioChoices();
    if (FMediaPlayer->DeviceID() != 0 && FMediaPlayer->HasVideo()) {
        const RECT natural = FMediaPlayer->DisplayRect();
        FVideoWidth = natural.right;
        FVideoHeight = natural.bottom;
    }
    ResizeVideo();
    FTimer->start();
}

void TMMDisplay2::Close() {
    if (!FCreated)
        return;
    try {
        FTimer->stop();
        if (FMediaPlayer->Mode() != dmNotReady) {
            FActive = false;
            FMediaPlayer->SetNotify(true);
            FMediaPlayer->Close();
            FMediaPlayer->FileName.clear();
            FStatus = mmNotReady;
        }
        repaint();
    } catch (...) {
        // Closing is a side action: whatever the device says, the panel is done with it.
    }
}

void TMMDisplay2::Stop() {
    if (!playerActive())
        return;
    FLoopAllowed = false;
    FMediaPlayer->SetNotify(true);
    FMediaPlayer->Stop();
}

void TMMDisplay2::Pause() {
    if (!playerActive())
        return;
    FMediaPlayer->SetNotify(true);
    FMediaPlayer->TogglePause();
}

void TMMDisplay2::StepBack() {
    if (!playerActive())
        return;
    FMediaPlayer->FrameStepBack();
    FMediaPlayer->SetNotify(true);
    FMediaPlayer->Resume();
}

void TMMDisplay2::StepForward() {
    if (!playerActive())
        return;
    FMediaPlayer->FrameStepForward();
    FMediaPlayer->SetNotify(true);
    FMediaPlayer->Resume();
}

void TMMDisplay2::SetPosition(int value) {
    if (!FActive)
        return;
    try {
        if (static_cast<DWORD>(value) == FMediaPlayer->Position())
            return;
        FMediaPlayer->Seek(static_cast<DWORD>(value));
        FMediaPlayer->SetStartPosition(static_cast<DWORD>(value));
        FMediaPlayer->Play();
        FEndHandled = false;
    } catch (...) {
        // A seek that fails leaves playback where it was.
    }
}

TMMStatus TMMDisplay2::GetDeviceStatus() const {
    switch (FMediaPlayer->Mode()) {
    case dmPlaying:
        return mmPlaying;
    case dmPaused:
        return mmPaused;
    case dmStopped:
        return mmStopped;
    default:
        return mmNotReady;
    }
}

void TMMDisplay2::PlayerNotify() {
    const TMPModes mode = FMediaPlayer->Mode();
    FActive = mode == dmOpen || mode == dmPlaying || mode == dmPaused;
    FPlaying = mode == dmPlaying;
    SetStatus(GetDeviceStatus());
    if (FPlaying) {
        FEndHandled = false;
        FLoopAllowed = true;
    }
    if (FMediaPlayer->Mode() == dmStopped)
        TrackFinished(false);
}

void TMMDisplay2::TimerTick() {
    try {
        PollChapters();
        UpdatePosition();
        FPlaying = FMediaPlayer->Mode() == dmPlaying;
        if (FPlaying && FStatus != mmPlaying)
            SetStatus(GetDeviceStatus());
    } catch (...) {
        // A device that cannot be polled any more ends the polling, quietly.
        FTimer->stop();
    }
}

void TMMDisplay2::UpdatePosition() {
    if (ShowCaption) {
        int size = -1;
        if (FCaptionText.isEmpty()) {
            size = FMediaPlayer->FileName.length() >= 60 ? 11 : 14;
            FCaptionText = namePart(FMediaPlayer->FileName);
            PlaceLabels();
        }
        ShowCaptionText(FCaptionText + QStringLiteral("\r\n(") + GetPositionText(true) +
                            QLatin1Char(')'),
                        size);
    }
    const int position = static_cast<int>(FMediaPlayer->Position());
    if (position != FPosition) {
        FStallCount = 0;
        FPosition = position;
        if (OnPositionChanged)
            OnPositionChanged(this, GetPositionText(false));
    } else if (FMediaPlayer->Mode() != dmPaused) {
        ++FStallCount;
    }
    if (FMediaPlayer->Position() >= FMediaPlayer->Length())
        TrackFinished(true);
    if (FStallCount > (static_cast<std::int64_t>(TimeOut) * 1000) / FTimer->interval())
        Stop();
}

void TMMDisplay2::TrackFinished(bool immediate) {
    if (FEndHandled)
        return;
    FEndHandled = true;
    if (Loop && FLoopAllowed && (immediate || !OwnVideoWindow)) {
        Play();
        return;
    }
    Close();
    if (OnTrackEnded)
        OnTrackEnded(this);
}

void TMMDisplay2::SetStatus(TMMStatus value) {
    if (value == FStatus && value == mmPlaying)
        return;
    FStatus = value;
    if (OnStatusChanged)
        OnStatusChanged(this);
}

QString TMMDisplay2::GetPositionText(bool withUnits) {
    FMediaPlayer->SetTimeFormat(FIsMidi ? MCI_FORMAT_MILLISECONDS : MCI_FORMAT_HMS);
    const DWORD timeFormat = FMediaPlayer->TimeFormat();
    const DWORD position = FMediaPlayer->Position();
    const DWORD length = FMediaPlayer->Length();
    return PositionText(timeFormat, position, length, withUnits);
}

void TMMDisplay2::ShowCaptionText(const QString& text, int fontSize) {
    if (ShowCaption && FVideoWidth < 3 && width() > 50) {
        if (fontSize > 0) {
            QFont font = FCaptionLabel->font();
            font.setPointSize(fontSize);
            FCaptionLabel->setFont(font);
        }
        FCaptionLabel->setText(text);
        if (FCaptionLabel->isHidden())
            FCaptionLabel->show();
    } else {
        FCaptionLabel->hide();
        FCaptionLabel->clear();
    }
}

void TMMDisplay2::PlaceLabels() {
    if (!FCaptionLabel)
        return;
    FCaptionLabel->setGeometry(0, height() / 4, width(), 150);
}

// Places the video: the zoomed natural size, fitted to the panel when asked,
// centred when asked. A panel with no room, or a zoom of nothing, lays out
// nothing and reports nothing.
void TMMDisplay2::ResizeVideo() {
    if (FVideoWidth < 3)
        return;
    if (FStretchToFit || FShrinkToFit)
        FZoom = DefaultZoom;
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->geometry() : QRect(0, 0, 0, 0);
    const std::optional<TVideoPlacement> placement =
        PlaceVideo({FVideoWidth, FVideoHeight, FZoom, width(), height(), Border, FCenter,
                    FStretchToFit, FShrinkToFit, screen.width(), screen.height()});
    if (!placement)
        return;
    FMediaPlayer->SetDisplayRect(placement->Rect);
    FZoom = placement->Zoom;
    if (OnZoomChanged)
        OnZoomChanged(this, FZoom);
}

void TMMDisplay2::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(ColorToRGB(FColor)));
    painter.end();
    QFrame::paintEvent(event);
    if (FDrawGradient && FColor != FGradientColor2) {
        QPainter canvas(this);
        FillGradient({0, 0, width(), height()}, &canvas, FColor, FGradientColor2, true);
    }
    // The keyboard's focus is shown inside the bevel, where the video leaves
    // room for it.
    if (hasFocus()) {
        QStylePainter marker(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        option.backgroundColor = ToQColor(ColorToRGB(FColor));
        marker.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void TMMDisplay2::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void TMMDisplay2::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

void TMMDisplay2::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    RunHandler([this] {
        ResizeVideo();
        PlaceLabels();
    });
}

void TMMDisplay2::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    if (OnDblClick)
        RunHandler([this] { OnDblClick(this); });
}
