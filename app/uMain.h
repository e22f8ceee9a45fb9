#pragma once
// The main window: the toolbar with the drive and track lists and the
// transport controls, the display panel beneath it, and the settings it keeps.
#include "platform/ui/Messages.h"
#include "platform/ui/OwnerDrawComboBox.h"

#include <functional>
#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QString>

class QComboBox;
class QLabel;
class QMenu;
class QSlider;
class QToolBar;
class QToolButton;
class TFormPlacement;
class TMMDisplay2;
namespace platform {
class ApplicationEvents;
}

constexpr platform::UINT WM_OPENTRACK = platform::WM_USER + 1234;
constexpr platform::UINT WM_FULLSCREEN = platform::WM_USER + 1235;

class TdlgMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TdlgMain(QWidget* parent = nullptr);
    ~TdlgMain() override;
    QMenu* createPopupMenu() override;

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void Label1MouseDown(Qt::KeyboardModifiers shift);
    void ApplicationEvents1Idle();
    void ToolbarButton971Click();
    void ToolbarButton975Click();
    void ToolbarButton976Click();

    void cmbcdChange();
    void cmbtrackChange();
    void cmbzoomChange();
    void cmbzoomDrawItem(QWidget* control, int index, const QRect& rect,
                         platform::TOwnerDrawState state, platform::TCanvas& canvas);
    void cmbtrackDrawItem(QWidget* control, int index, const QRect& rect,
                          platform::TOwnerDrawState state, platform::TCanvas& canvas);
    void btnplayClick();
    void btnpauseClick();
    void btnstopClick();
    void btnrwClick();
    void btnffClick();
    void trkmmChange();
    void MMpanelStatusChanged();
    void MMpanelPositionChanged(QObject* Sender, const QString& strStatus);
    void btnLoopClick();
    void btnFullScreenClick();
    void MMpanelDblClick();
    void FormKeyUp(int Key);
    void MMpanelNextChapter();
    void MMpanelPreviousChapter();
    void MMpanelNextAudioChannel();
    void MMpanelChaptersKnown(int Count);
    void MMpanelContextPopup(const QPoint& where);
    void CheckDATExtension(bool Ask, bool UseMPEGDriver, bool ShowNoChange);
    bool novalidfile();
    // The guard of the controls that act on the track already open.
    bool noopentrack();

    QList<QIcon> ImageList1;
    QToolBar* Toolbar971;
    QLabel* Label1;
    QComboBox* cmbcd;
    QLabel* Label2;
    platform::OwnerDrawComboBox* cmbtrack;
    QToolButton* ToolbarButton9710;
    QToolButton* btnrw;
    QToolButton* btnff;
    QToolButton* btnplay;
    QToolButton* btnpause;
    QToolButton* btnstop;
    QLabel* Image3;
    QSlider* trkmm;
    QLabel* lblmmstatus;
    QToolButton* btnLoop;
    QLabel* Label3;
    platform::OwnerDrawComboBox* cmbzoom;
    QToolButton* btnFullScreen;
    QToolButton* ToolbarButton971;
    QToolButton* ToolbarButton976;
    QToolButton* ToolbarButton975;
    TMMDisplay2* MMpanel;
    QLabel* lblwarning;
    platform::ApplicationEvents* ApplicationEvents1;
    TFormPlacement* FormPlacement1;

    QString CurrentFile;
    bool Updating = false;
    bool StatusResyncPending = false;

    // Told after the panel's status has been written into the toolbar.
    std::function<void()> OnPlaybackChanged;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WMOpenTrack();
    void WMFullScreen();
    void loadGlyphs();
    void buildToolbar();
    void bindControls();
    void bindPanelMenu();
    void addAudioStreams(QMenu& menu);
    void nameControls();
    QToolButton* addButton(const QString& hint, const QIcon& glyph);
    QLabel* addCaptionLabel(const QString& caption);
    void addBlankSeparator();

    bool FDriveChosenByHand = false;
};

// The one main window, from its creation until it is destroyed.
extern TdlgMain* dlgMain;

// Appends one line to the log window when there is one; never fails.
void AddLog(const QString& Line);
