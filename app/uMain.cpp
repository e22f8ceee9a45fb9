#include "app/uMain.h"

#include "app/FileSearch.h"
#include "app/MainFonts.h"
#include "app/TrackFolder.h"
#include "display/MMDisplay2.h"
#include "system/DATAssociation.h"
#include "system/EError.h"
#include "system/FormPlacement.h"
#include "system/SettingsStore.h"
#include "windows/AboutBoxUnit.h"
#include "windows/uLogging.h"

#include "platform/drives/drives.h"
#include "platform/drives/run_drive.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ListItems.h"
#include "platform/ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>

TdlgMain* dlgMain = nullptr;

namespace {

const std::string Product = "Quelvo Player";

// A whole number in decimal, optionally signed and padded with blanks;
// anything else gives the fallback.
int StrToIntDef(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : fallback;
}

// A stored setting that cannot be read (stored as a number, say) is shown as
// the error it is and then reads as a missing one, so that it costs only
// itself and never the settings after it.
std::string LoadSettingOrEmpty(const std::string& name) {
    try {
        return LoadSetting(Product, "", name);
    } catch (const std::exception& error) {
        platform::Application::ShowException(error);
        return {};
    }
}

QSize DesignedSize() {
    return {849, 480};
}

// The room a first-run window has on the primary screen, its frame and
// title bar taken off: at a high scale factor a small screen is smaller than
// the designed size. A stored placement later replaces the size anyway.
QSize FirstRunRoom(const QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return DesignedSize();
    const int frame = platform::GetSystemMetrics(platform::SM_CXFRAME);
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return screen->availableSize() - QSize(2 * frame, 2 * frame + titleBar);
}

} // namespace

void AddLog(const QString& Line) {
    try {
        if (dlgLog)
            dlgLog->Memo1->appendPlainText(Line);
    } catch (...) {
        // The log is a side channel: losing a line must never stop the caller.
    }
}

TdlgMain::TdlgMain(QWidget* parent) : QMainWindow(parent) {
    dlgMain = this;
    loadGlyphs();

    setFont(tahoma(8, false));
    resize(DesignedSize().boundedTo(FirstRunRoom(*this)));
    setContentsMargins(1, 1, 1, 1);
    platform::SetApplicationMainWindow(this);

    MMpanel = new TMMDisplay2(this);
    MMpanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    MMpanel->setLineWidth(1);
    MMpanel->SetBackgroundColor(platform::RGB(38, 5, 92));
    MMpanel->SetCenter(true);
    MMpanel->SetDrawGradient(true);
    MMpanel->SetGradientColor2(platform::clBlack);
    setCentralWidget(MMpanel);
    MMpanel->installEventFilter(this);

    lblwarning = new QLabel(MMpanel);
    lblwarning->hide();
    lblwarning->setAlignment(Qt::AlignCenter);
    lblwarning->setWordWrap(true);
    lblwarning->setAttribute(Qt::WA_TranslucentBackground);
    lblwarning->setFont(tahoma(10, true));
    lblwarning->setStyleSheet(QStringLiteral("color: red; background: transparent;"));

    buildToolbar();
    bindControls();
    nameControls();
    // The panel takes the keys first: on the drive list an arrow key would
    // switch the drive and rescan.
    MMpanel->setFocusPolicy(Qt::StrongFocus);
    MMpanel->setFocus(Qt::OtherFocusReason);

    FormPlacement1 =
        new TFormPlacement(this, QStringLiteral("Quelvo Player"), QStringLiteral("Quelvo Player"));

    ApplicationEvents1 = new platform::ApplicationEvents(this);
    ApplicationEvents1->OnIdle = [this] { ApplicationEvents1Idle(); };

    // An error while the window is being created is shown, and the window is
    // created all the same.
    platform::RunHandler([this] { FormCreate(); });
}

TdlgMain::~TdlgMain() {
    platform::RunHandler([this] { FormPlacement1->FormDestroying(); });
    if (dlgMain == this)
        dlgMain = nullptr;
}

void TdlgMain::FormCreate() {
    const std::string version = GetProgramVersion();
    setWindowTitle(QStringLiteral("Quelvo Player ") + QString::fromStdString(version));

    QStringList drives;
    GetDriveList(drives, {platform::DRIVE_CDROM});
    cmbcd->addItems(drives);
    cmbcd->setCurrentIndex(-1);

    // The stored version is only written at close, so a run that never closes
    // normally checks again next time. A check that fails is shown and the
    // window still takes its stored zoom and drive.
    if (LoadSettingOrEmpty("Version") != version)
        platform::RunHandler([this] { CheckDATExtension(true, false, false); });

    const int zoom = StrToIntDef(QString::fromStdString(LoadSettingOrEmpty("Zoom")), 5);
    cmbzoom->setCurrentIndex(zoom >= 0 && zoom < cmbzoom->count() ? zoom : -1);
    cmbzoomChange();

    // A stored drive that cannot be read counts as none: the first drive is
    // chosen all the same.
    try {
        const int drive =
            StrToIntDef(QString::fromStdString(LoadSetting(Product, "", "Drive")), -1);
        cmbcd->setCurrentIndex(drive >= 0 && drive < cmbcd->count() ? drive : -1);
    } catch (...) {
    }
    if (cmbcd->currentIndex() == -1 && cmbcd->count() > 0)
        cmbcd->setCurrentIndex(0);
}

void TdlgMain::FormShow() {
    cmbcdChange();
}

void TdlgMain::FormClose() {
    SettingValues values{{"Zoom", std::to_string(cmbzoom->currentIndex())}};
    // A disc named on the command line is chosen for that run only: the
    // stored drive stays the one the user chose before, unless the user has
    // chosen one in the list since, that letter included.
    if (FDriveChosenByHand || !platform::IsDriveForThisRun(cmbcd->currentText().toStdString()))
        values.emplace_back("Drive", std::to_string(cmbcd->currentIndex()));
    values.emplace_back("Version", GetProgramVersion());
    // One save for all, so that a close cut short never mixes old and new.
    SaveSettings(Product, "", values);
}

void TdlgMain::FormResize() {
    if (!lblwarning->isHidden())
        lblwarning->setGeometry(0, 0, MMpanel->width(), MMpanel->height());
}

// Ctrl+Alt on the drive label points the player at drive C:, where a copied
// disc can be played. An empty drive list has no entry to replace: that is
// an error and nothing is scanned.
void TdlgMain::Label1MouseDown(Qt::KeyboardModifiers shift) {
    if (!shift.testFlag(Qt::ControlModifier) || !shift.testFlag(Qt::AltModifier))
        return;
    platform::PutItem(*cmbcd, 0, QStringLiteral("C:"));
    cmbcd->setCurrentIndex(0);
    cmbcdChange();
}

void TdlgMain::ApplicationEvents1Idle() {
    if (StatusResyncPending)
        MMpanelStatusChanged();
}

void TdlgMain::ToolbarButton971Click() {
    if (dlgLog)
        dlgLog->ShowModal();
}

void TdlgMain::ToolbarButton975Click() {
    close();
}

void TdlgMain::ToolbarButton976Click() {
    ShowAboutBox(this);
}

// The disc scan: the first of MPEG2\, MPEGAV\ and the root that exists on
// the selected drive gives the tracks; track 1 is opened once the scan has
// returned. A failure is logged and shown over the panel, nowhere else.
void TdlgMain::cmbcdChange() {
    cmbtrack->clear();
    AddLog(QString());
    if (cmbcd->count() == 0) {
        AddLog(tr("No CD drives were found"));
        return;
    }
    if (cmbcd->currentIndex() < 0) {
        AddLog(tr("No CD drive is selected"));
        return;
    }
    const QString drive = cmbcd->currentText();
    try {
        AddLog(tr("Connecting to drive %1 of %2: \"%3\"")
                   .arg(cmbcd->currentIndex() + 1)
                   .arg(cmbcd->count())
                   .arg(drive));
        const QString candidate = FindTrackFolder(drive, AddLog);

        lblwarning->hide();
        lblwarning->setGeometry(0, 0, 1, 1);
        QStringList tracks;
        BuildFileList(tracks, candidate, QStringLiteral("*.dat;*.mpg;*.mpeg;"), true, false, true,
                      QString());
        cmbtrack->addItems(tracks);
        // The list shows numbers; a screen reader says them as tracks, not
        // as the paths behind them.
        for (int index = 0; index < cmbtrack->count(); ++index)
            cmbtrack->setItemData(index, tr("Track %1").arg(index + 1), Qt::AccessibleTextRole);
        AddLog(tr("MPEG files found in %1: %2").arg(candidate, QString::number(cmbtrack->count())));
        if (cmbtrack->count() == 0)
            throw EError(tr("No valid files found").toStdString());
        cmbtrack->setCurrentIndex(0);
        cmbtrackChange();
    } catch (const std::exception& error) {
        AddLog(tr("VCD Load Error: ") + QString::fromUtf8(error.what()));
        lblwarning->setGeometry(0, 0, MMpanel->width(), MMpanel->height());
        lblwarning->setText(tr("Quelvo Player did not find a valid VCD on drive %1\r\n\r\nPlease "
                               "ensure you have selected the correct CD-ROM drive and inserted a "
                               "valid VCD disk.")
                                .arg(drive));
        lblwarning->show();
    }
}

void TdlgMain::cmbtrackChange() {
    platform::PostMessageA(this, WM_OPENTRACK, 0, 0);
}

void TdlgMain::cmbzoomChange() {
    const int index = cmbzoom->currentIndex();
    const QString text = index >= 0 ? cmbzoom->itemText(index) : QString();
    MMpanel->DefaultZoom = StrToIntDef(text, 100);
    if (index == 0) {
        MMpanel->SetStretchToFit(true);
        MMpanel->SetShrinkToFit(true);
    } else {
        MMpanel->SetStretchToFit(false);
        MMpanel->SetShrinkToFit(false);
        MMpanel->SetZoom(StrToIntDef(text, 100));
    }
}

void TdlgMain::cmbzoomDrawItem(QWidget*, int index, const QRect& rect, platform::TOwnerDrawState,
                               platform::TCanvas& canvas) {
    canvas.FillRect(rect);
    const QString text = index == 0 ? tr("Fit") : cmbzoom->itemText(index) + QLatin1Char('%');
    canvas.TextOut(rect.left() + 2, rect.top(), text);
}

void TdlgMain::cmbtrackDrawItem(QWidget*, int index, const QRect& rect, platform::TOwnerDrawState,
                                platform::TCanvas& canvas) {
    canvas.FillRect(rect);
    canvas.TextOut(rect.left() + 2, rect.top(), QString::number(index + 1));
}

void TdlgMain::CheckDATExtension(bool Ask, bool UseMPEGDriver, bool ShowNoChange) {
    CheckDATAssociation(Ask, UseMPEGDriver, ShowNoChange);
}

bool TdlgMain::novalidfile() {
    if (cmbtrack->count() != 0)
        return false;
    platform::ShowInformation(tr("Please insert a valid VCD file."));
    return true;
}

// A track still open after a failed rescan emptied the list can be paused,
// stopped and moved through: the sound must never be beyond the user's
// reach. Only with nothing open does an empty list refuse, as for play.
bool TdlgMain::noopentrack() {
    return MMpanel->Status() == mmNotReady && novalidfile();
}

void TdlgMain::WMOpenTrack() {
    if (cmbtrack->currentIndex() < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorRestore {
        ~CursorRestore() { QApplication::restoreOverrideCursor(); }
    } restore;
    cmbzoomChange();
    CurrentFile = cmbtrack->currentText();
    AddLog(tr("Opening MPEG file: ") + CurrentFile);
    MMpanel->PlayFile(CurrentFile);
}

bool TdlgMain::event(QEvent* event) {
    if (event->type() == platform::MessageEvent::EventType()) {
        switch (static_cast<platform::MessageEvent*>(event)->Msg) {
        case WM_OPENTRACK:
            platform::RunHandler([this] { WMOpenTrack(); });
            return true;
        case WM_FULLSCREEN:
            platform::RunHandler([this] { WMFullScreen(); });
            return true;
        default:
            return false;
        }
    }
    return QMainWindow::event(event);
}

// The warning follows the panel, whose size changes with the window and
// also when the toolbar moves to another edge, floats or hides.
bool TdlgMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MMpanel && event->type() == QEvent::Resize)
        platform::RunHandler([this] { FormResize(); });
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress) {
        const Qt::KeyboardModifiers shift = static_cast<QMouseEvent*>(event)->modifiers();
        platform::RunHandler([this, shift] { Label1MouseDown(shift); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TdlgMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    platform::RunHandler([this] { FormPlacement1->FormShowing(); });
    platform::RunHandler([this] { FormShow(); });
}

// A close whose settings cannot be written still closes once the error has
// been shown: a window that can never be closed would be worse than a lost
// setting.
void TdlgMain::closeEvent(QCloseEvent* event) {
    platform::RunHandler([this] { FormPlacement1->FormCloseQueried(); });
    platform::RunHandler([this] { FormClose(); });
    event->accept();
}

// No menu offers to hide the toolbar: hidden, it could not be brought back.
QMenu* TdlgMain::createPopupMenu() {
    return nullptr;
}
