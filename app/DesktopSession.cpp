#include "app/DesktopSession.h"

#include "app/uMain.h"
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

#include "platform/desktop/idle_inhibitor.h"
#include "platform/desktop/media_controls.h"
#include "platform/files/files.h"
#include "platform/mci/mci.h"
#include "platform/ui/Application.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCoreApplication>
#include <QSlider>
#include <QToolButton>

namespace {

// The label of the disc that holds `path` ("D:\MPEGAV\AVSEQ01.DAT"); empty
// when the drive cannot say.
QString DiscLabel(const QString& path) {
    char label[64] = {};
    const std::string root = path.left(3).toStdString();
    if (!platform::GetVolumeInformationA(root.c_str(), label, sizeof label))
        return {};
    return QString::fromLatin1(label);
}

} // namespace

TDesktopSession::TDesktopSession(TdlgMain& window)
    : FWindow(window), FInhibitor(std::make_unique<platform::IdleInhibitor>(
                           QStringLiteral("Quelvo Player"),
                           QCoreApplication::translate("TDesktopSession", "Playing a video"))) {
    // A request from the desktop never opens a box: with nothing listed it
    // does nothing, and while a box is up the user is answering it.
    const auto media = [this](auto action) {
        return [this, action](auto... arguments) {
            platform::RunHandler([&] {
                if (TakesMediaRequests())
                    action(arguments...);
            });
        };
    };
    platform::MediaCommands commands;
    commands.Play = media([this] { Play(); });
    commands.PlayPause = media([this] { PlayPause(); });
    commands.Pause = media([this] {
        if (FWindow.MMpanel->Status() == mmPlaying)
            FWindow.btnpauseClick();
    });
    commands.Stop = media([this] { FWindow.btnstopClick(); });
    commands.Next = media([this] { StepTrack(1); });
    commands.Previous = media([this] { StepTrack(-1); });
    commands.Raise = [this] {
        if (FWindow.isMinimized())
            FWindow.showNormal();
        FWindow.raise();
        FWindow.activateWindow();
    };
    commands.Quit = platform::Guarded([this] {
        if (!QApplication::activeModalWidget())
            FWindow.ToolbarButton975Click();
    });
    commands.Seek = media([this](std::int64_t offset) { SeekTo(PositionNow() + offset); });
    commands.SetPosition = media([this](std::int64_t position) { SeekTo(position); });
    commands.Position = [this] { return PositionNow(); };
    FControls = platform::MediaControls::Register(
        QStringLiteral("quelvo"), QStringLiteral("Quelvo Player"),
        QStringLiteral("com.norvane.QuelvoPlayer"), std::move(commands));
    FWindow.OnPlaybackChanged = [this] { PlaybackChanged(); };
    // What the desktop may ask for follows the track list too: a rescan that
    // finds nothing leaves a playing track with nothing listed.
    const QAbstractItemModel* tracks = FWindow.cmbtrack->model();
    for (const auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        QObject::connect(tracks, changed, FTrackListWatch.get(), [this] { PlaybackChanged(); });
    QObject::connect(tracks, &QAbstractItemModel::modelReset, FTrackListWatch.get(),
                     [this] { PlaybackChanged(); });
    PlaybackChanged();
}

TDesktopSession::~TDesktopSession() {
    FWindow.OnPlaybackChanged = nullptr;
}

bool TDesktopSession::HasTracks() const {
    return FWindow.cmbtrack->count() > 0;
}

bool TDesktopSession::TakesMediaRequests() const {
    return HasTracks() && !QApplication::activeModalWidget();
}

// Play on a desktop's media widget never restarts a playing track, which
// the toolbar's play button does.
void TDesktopSession::Play() {
    if (FWindow.MMpanel->Status() != mmPlaying)
        FWindow.btnplayClick();
}

void TDesktopSession::PlayPause() {
    const TMMStatus status = FWindow.MMpanel->Status();
    if (status == mmPlaying || status == mmPaused)
        FWindow.btnpauseClick();
    else
        FWindow.btnplayClick();
}

// The next or previous track is chosen in the track list and opened the way
// the list opens a track the user picks.
void TDesktopSession::StepTrack(int delta) {
    const int index = FWindow.cmbtrack->currentIndex() + delta;
    if (index < 0 || index >= FWindow.cmbtrack->count())
        return;
    FWindow.cmbtrack->setCurrentIndex(index);
    FWindow.cmbtrackChange();
}

// Through the position slider, as a user would move it; a seek past the end
// goes on to the next track.
void TDesktopSession::SeekTo(std::int64_t position) {
    const double scale = MicrosecondsPerUnit();
    if (scale <= 0)
        return;
    const std::int64_t length = static_cast<std::int64_t>(FWindow.MMpanel->Length() * scale);
    if (position > length) {
        StepTrack(1);
        return;
    }
    position = std::max<std::int64_t>(position, 0);
    QSlider* slider = FWindow.trkmm;
    slider->setMaximum(std::max(slider->maximum(), FWindow.MMpanel->Length()));
    slider->setValue(static_cast<int>(position / scale));
    if (FControls)
        FControls->Seeked(position);
}

std::int64_t TDesktopSession::PositionNow() {
    const double scale = MicrosecondsPerUnit();
    return scale > 0 ? static_cast<std::int64_t>(FWindow.MMpanel->Position() * scale) : 0;
}

// Measured once a track: the length in the device's own units and in
// milliseconds, the device put back to its units in between.
double TDesktopSession::MicrosecondsPerUnit() {
    TMediaPlayer* player = FWindow.MMpanel->MediaPlayer();
    if (!player || player->DeviceID() == 0)
        return 0;
    if (FScaleFile == player->FileName && FScale > 0)
        return FScale;
    FScale = 0;
    FScaleFile = player->FileName;
    try {
        const platform::DWORD format = player->TimeFormat();
        const platform::DWORD units = player->Length();
        if (format == platform::MCI_FORMAT_MILLISECONDS) {
            FScale = 1000;
        } else if (units > 0) {
            player->SetTimeFormat(platform::MCI_FORMAT_MILLISECONDS);
            const platform::DWORD milliseconds = player->Length();
            player->SetTimeFormat(format);
            FScale = 1000.0 * milliseconds / units;
        }
    } catch (const std::exception&) {
        // A device that cannot tell its length gives the desktop no times.
    }
    return FScale;
}

platform::MediaState TDesktopSession::CurrentState() {
    platform::MediaState state;
    const TMMStatus status = FWindow.MMpanel->Status();
    const bool started = status == mmPlaying || status == mmPaused;
    state.playback = status == mmPlaying  ? platform::PlaybackState::Playing
                     : status == mmPaused ? platform::PlaybackState::Paused
                                          : platform::PlaybackState::Stopped;
    const int index = FWindow.cmbtrack->currentIndex();
    const int count = FWindow.cmbtrack->count();
    if (index >= 0) {
        state.track = index + 1;
        state.title = QCoreApplication::translate("TDesktopSession", "Track %1").arg(state.track);
        state.album = FLabel;
    }
    if (started) {
        const double scale = MicrosecondsPerUnit();
        state.length = static_cast<std::int64_t>(FWindow.MMpanel->Length() * scale);
        state.canSeek = count > 0 && scale > 0;
    }
    state.canPlay = count > 0;
    state.canGoNext = index >= 0 && index + 1 < count;
    state.canGoPrevious = index > 0;
    return state;
}

// A track that starts (not one that resumes) may come from another disc:
// its label is read then, while the drive is busy with it anyway.
void TDesktopSession::PlaybackChanged() {
    const TMMStatus status = FWindow.MMpanel->Status();
    const bool started = status == mmPlaying || status == mmPaused;
    if (started && !FStarted)
        FLabel = DiscLabel(FWindow.CurrentFile);
    FStarted = started;
    FInhibitor->SetHeld(status == mmPlaying);
    if (FControls)
        FControls->Update(CurrentState());
}
