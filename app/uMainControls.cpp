// The main window's transport, position, zoom, loop and full-screen
// controls, and the panel events that write the toolbar back.
#include "app/uMain.h"

#include "display/MMDisplay2.h"
#include "system/FormPlacement.h"

#include "platform/ui/Application.h"
#include "platform/ui/KeyPreview.h"
#include "platform/ui/Keys.h"

#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

namespace {

// Holds `Updating` for one panel event handler: the window's own writes to
// its controls raise their change events, and those must not act.
class UpdatingScope {
public:
    explicit UpdatingScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~UpdatingScope() { FFlag = false; }
    UpdatingScope(const UpdatingScope&) = delete;
    UpdatingScope& operator=(const UpdatingScope&) = delete;

private:
    bool& FFlag;
};

using WindowHandler = void (TdlgMain::*)();

// Rewind and fast-forward repeat while their key is held; the others act
// once a press.
WindowHandler ShortcutOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier && key.key() == Qt::Key_Q && !key.isAutoRepeat())
        return &TdlgMain::ToolbarButton975Click;
    if (modifiers != Qt::NoModifier)
        return nullptr;
    switch (key.key()) {
    case Qt::Key_Left:
        return &TdlgMain::btnrwClick;
    case Qt::Key_Right:
        return &TdlgMain::btnffClick;
    case Qt::Key_Space:
        return key.isAutoRepeat() ? nullptr : &TdlgMain::btnpauseClick;
    case Qt::Key_F:
        return key.isAutoRepeat() ? nullptr : &TdlgMain::MMpanelDblClick;
    case Qt::Key_PageDown:
        return key.isAutoRepeat() ? nullptr : &TdlgMain::MMpanelNextChapter;
    case Qt::Key_PageUp:
        return key.isAutoRepeat() ? nullptr : &TdlgMain::MMpanelPreviousChapter;
    case Qt::Key_A:
        return key.isAutoRepeat() ? nullptr : &TdlgMain::MMpanelNextAudioChannel;
    default:
        return nullptr;
    }
}

} // namespace

void TdlgMain::bindControls() {
    const auto bind = [this](QToolButton* button, void (TdlgMain::*handler)()) {
        connect(button, &QToolButton::clicked, this,
                platform::Guarded([this, handler] { (this->*handler)(); }));
    };
    bind(btnplay, &TdlgMain::btnplayClick);
    bind(btnpause, &TdlgMain::btnpauseClick);
    bind(btnstop, &TdlgMain::btnstopClick);
    bind(btnrw, &TdlgMain::btnrwClick);
    bind(btnff, &TdlgMain::btnffClick);
    bind(btnLoop, &TdlgMain::btnLoopClick);
    bind(btnFullScreen, &TdlgMain::btnFullScreenClick);
    // Every change of the value, the window's own included: keyboard and
    // assistive tools move the slider without dragging it.
    connect(trkmm, &QSlider::valueChanged, this, platform::Guarded([this] { trkmmChange(); }));

    MMpanel->OnStatusChanged = [this](QObject*) { MMpanelStatusChanged(); };
    MMpanel->OnPositionChanged = [this](QObject* Sender, const QString& strStatus) {
        MMpanelPositionChanged(Sender, strStatus);
    };
    MMpanel->OnDblClick = [this](QObject*) { MMpanelDblClick(); };
    bindPanelMenu();

    // The window sees every key before its controls do, the picture's own
    // native window included.
    auto* keyPreview = new platform::KeyPreview(this);
    keyPreview->OnKeyUp = [this](platform::WORD Key) { FormKeyUp(Key); };
}

void TdlgMain::btnplayClick() {
    if (novalidfile() || Updating)
        return;
    if (MMpanel->Status() != mmNotReady || MMpanel->FileName() == CurrentFile)
        MMpanel->Play();
    else
        cmbtrackChange();
    StatusResyncPending = true;
}

void TdlgMain::btnpauseClick() {
    if (noopentrack())
        return;
    if (!Updating)
        MMpanel->Pause();
    StatusResyncPending = true;
}

void TdlgMain::btnstopClick() {
    if (noopentrack())
        return;
    if (!Updating)
        MMpanel->Stop();
    StatusResyncPending = true;
}

void TdlgMain::btnrwClick() {
    if (!noopentrack())
        MMpanel->StepBack();
}

void TdlgMain::btnffClick() {
    if (!noopentrack())
        MMpanel->StepForward();
}

void TdlgMain::trkmmChange() {
    if (Updating || noopentrack())
        return;
    MMpanel->SetPosition(trkmm->value());
}

void TdlgMain::MMpanelStatusChanged() {
    StatusResyncPending = false;
    UpdatingScope updating(Updating);
    const TMMStatus status = MMpanel->Status();
    btnplay->setChecked(status == mmPlaying);
    btnpause->setChecked(status == mmPaused);
    btnstop->setChecked(status == mmStopped || status == mmNotReady);
    if (btnstop->isChecked()) {
        lblmmstatus->setText(QStringLiteral(" - "));
        trkmm->setValue(0);
    }
    if (OnPlaybackChanged)
        OnPlaybackChanged();
}

void TdlgMain::MMpanelPositionChanged(QObject*, const QString& strStatus) {
    UpdatingScope updating(Updating);
    lblmmstatus->setText(QLatin1Char(' ') + strStatus + QLatin1Char(' '));
    const int length = MMpanel->Length();
    trkmm->setMaximum(length);
    trkmm->setTickInterval(length / 20);
    // Keys and wheel move through the track in proportion to it, whatever
    // its units: an arrow key 1 %, a page 10 %.
    trkmm->setSingleStep(std::max(1, length / 100));
    trkmm->setPageStep(std::max(1, length / 10));
    trkmm->setValue(MMpanel->Position());
}

void TdlgMain::btnLoopClick() {
    MMpanel->Loop = btnLoop->isChecked();
}

// The button has flipped before this runs; a refused request flips it back,
// so that it never shows a mode the window is not in.
void TdlgMain::btnFullScreenClick() {
    if (novalidfile()) {
        btnFullScreen->setChecked(!btnFullScreen->isChecked());
        return;
    }
    btnstopClick();
    platform::PostMessageA(this, WM_FULLSCREEN, 0, 0);
}

// Leaving puts the frame back before the placement is restored, so that the
// stored rectangle is applied to a framed window.
void TdlgMain::WMFullScreen() {
    if (btnFullScreen->isChecked()) {
        FormPlacement1->StorePlacement();
        FormPlacement1->Active = false;
        showFullScreen();
        setContentsMargins(0, 0, 0, 0);
        Toolbar971->hide();
    } else {
        showNormal();
        Toolbar971->show();
        setContentsMargins(1, 1, 1, 1);
        FormPlacement1->LoadPlacement();
        FormPlacement1->Active = true;
    }
    btnplayClick();
}

void TdlgMain::MMpanelDblClick() {
    btnFullScreen->setChecked(!btnFullScreen->isChecked());
    btnFullScreenClick();
}

void TdlgMain::FormKeyUp(int Key) {
    if (btnFullScreen->isChecked() && Key == platform::VK_ESCAPE)
        MMpanelDblClick();
}

// The window's own keys, each the handler of its toolbar button. Only keys
// that the focused control has left alone arrive here, so a list or the
// slider with the focus keeps its arrows, and a focused button its Space.
void TdlgMain::keyPressEvent(QKeyEvent* event) {
    const auto handler = ShortcutOf(*event);
    if (!handler) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    platform::RunHandler([this, handler] { (this->*handler)(); });
}
