// The main window's transport, position, zoom, loop and full-screen
// controls, and the panel events that write the toolbar back.
#include "app/uMain.h"

#include "display/MMDisplay2.h"
#include "system/FormPlacement.h"

#include "platform/ui/Application.h"
#include "platform/ui/KeyPreview.h"
#include "platform/ui/Keys.h"

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
    if (novalidfile())
        return;
    if (!Updating)
        MMpanel->Pause();
    StatusResyncPending = true;
}

void TdlgMain::btnstopClick() {
    if (novalidfile())
        return;
    if (!Updating)
        MMpanel->Stop();
    StatusResyncPending = true;
}

void TdlgMain::btnrwClick() {
    if (!novalidfile())
        MMpanel->StepBack();
}

void TdlgMain::btnffClick() {
    if (!novalidfile())
        MMpanel->StepForward();
}

void TdlgMain::trkmmChange() {
    if (Updating || novalidfile())
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
}

void TdlgMain::MMpanelPositionChanged(QObject*, const QString& strStatus) {
    UpdatingScope updating(Updating);
    lblmmstatus->setText(QLatin1Char(' ') + strStatus + QLatin1Char(' '));
    const int length = MMpanel->Length();
    trkmm->setMaximum(length);
    trkmm->setTickInterval(length / 20);
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
