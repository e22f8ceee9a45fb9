// The main window's toolbar: its glyphs, its controls in their order, and
// the bindings of the controls whose handlers live in the window itself.
#include "app/MainFonts.h"
#include "app/uMain.h"

#include "platform/ui/AccessibleControls.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProxyStyle>
#include <QSlider>
#include <QStyleFactory>
#include <QToolBar>
#include <QToolButton>

namespace {

// The places of the glyphs in ImageList1, and their files in that order.
enum Glyph : int {
    glyphRescan,
    glyphPause,
    glyphPlay,
    glyphStop,
    glyphFastForward,
    glyphRewind,
    glyphAbout,
    glyphExit,
    glyphLoop,
    glyphFullScreen,
    glyphCount
};
const char* const GlyphFiles[glyphCount] = {"rescan", "pause", "play", "stop", "fastforward",
                                            "rewind", "about", "exit", "loop", "fullscreen"};

// Items stand edge to edge, as laid out, with only the frame around them:
// the style's gaps and margins would push the last buttons into the
// extension menu at the default width once the position reads the minutes
// and seconds of a long track. As a style, it holds when the style changes.
class TightToolbarStyle : public QProxyStyle {
public:
    // On the application's own style, so that the toolbar looks like the rest.
    explicit TightToolbarStyle(QObject* owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ToolBarItemSpacing || metric == PM_ToolBarItemMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

// Resources of a static library must be registered by hand, from outside any
// namespace.
void TdlgMain::loadGlyphs() {
    Q_INIT_RESOURCE(app_glyphs);
    for (const char* name : GlyphFiles)
        ImageList1.append(QIcon(QStringLiteral(":/glyphs/%1.svg").arg(QLatin1String(name))));
}

QToolButton* TdlgMain::addButton(const QString& hint, const QIcon& glyph) {
    auto* button = new QToolButton(Toolbar971);
    platform::PressLikeAClick(*button);
    button->setAutoRaise(true);
    button->setFixedSize(23, 22);
    button->setIconSize(QSize(16, 16));
    button->setIcon(glyph);
    button->setToolTip(hint);
    Toolbar971->addWidget(button);
    return button;
}

QLabel* TdlgMain::addCaptionLabel(const QString& caption) {
    auto* label = new QLabel(caption, Toolbar971);
    label->setFont(tahoma(11, true));
    label->setForegroundRole(QPalette::Dark);
    Toolbar971->addWidget(label);
    return label;
}

// A gap narrower than a separator's: the toolbar has no pixel to spare.
void TdlgMain::addBlankSeparator() {
    auto* blank = new QWidget(Toolbar971);
    blank->setFixedWidth(4);
    Toolbar971->addWidget(blank);
}

void TdlgMain::buildToolbar() {
    Toolbar971 = new QToolBar(QStringLiteral("Toolbar971"), this);
    Toolbar971->setObjectName(QStringLiteral("Toolbar971"));
    Toolbar971->setAllowedAreas(Qt::AllToolBarAreas);
    Toolbar971->setMovable(true);
    Toolbar971->setFloatable(true);
    Toolbar971->setStyle(new TightToolbarStyle(Toolbar971));
    addToolBar(Qt::TopToolBarArea, Toolbar971);

    Label1 = addCaptionLabel(tr("  CD Drive: "));
    Label1->installEventFilter(this);

    cmbcd = new QComboBox(Toolbar971);
    platform::NameListByItsAccessibleName(*cmbcd);
    cmbcd->setFixedWidth(40);
    cmbcd->setFont(tahoma(10, false));
    cmbcd->setToolTip(tr("Select your CD-ROM drive"));
    connect(cmbcd, &QComboBox::activated, this, platform::Guarded([this] {
                FDriveChosenByHand = true;
                cmbcdChange();
            }));
    Toolbar971->addWidget(cmbcd);
    Toolbar971->addSeparator();

    Label2 = addCaptionLabel(tr(" Track:  "));
    cmbtrack = new platform::OwnerDrawComboBox(16, Toolbar971);
    platform::NameListByItsAccessibleName(*cmbtrack);
    cmbtrack->setFixedWidth(44);
    cmbtrack->setToolTip(tr("Select which VCD track you want to play"));
    connect(cmbtrack, &QComboBox::activated, this, platform::Guarded([this] { cmbtrackChange(); }));
    cmbtrack->OnDrawItem = [this](QWidget* control, int index, const QRect& rect,
                                  platform::TOwnerDrawState state, platform::TCanvas& canvas) {
        cmbtrackDrawItem(control, index, rect, state, canvas);
    };
    Toolbar971->addWidget(cmbtrack);

    ToolbarButton9710 = addButton(tr("Check the VCD for new tracks"), ImageList1[glyphRescan]);
    connect(ToolbarButton9710, &QToolButton::clicked, this,
            platform::Guarded([this] { cmbcdChange(); }));
    Toolbar971->addSeparator();

    btnrw = addButton(tr("Rewind the VCD"), ImageList1[glyphRewind]);
    btnff = addButton(tr("FF the VCD"), ImageList1[glyphFastForward]);
    btnplay = addButton(tr("Play the VCD"), ImageList1[glyphPlay]);
    btnpause = addButton(tr("Pause the VCD"), ImageList1[glyphPause]);
    btnstop = addButton(tr("Stop the VCD"), ImageList1[glyphStop]);
    for (QToolButton* stateButton : {btnplay, btnpause, btnstop})
        stateButton->setCheckable(true);
    Toolbar971->addSeparator();
    addBlankSeparator();

    Image3 = new QLabel(Toolbar971);
    Image3->setFixedSize(16, 16);
    Image3->setPixmap(QIcon(QStringLiteral(":/glyphs/clock.svg")).pixmap(16, 16));
    Toolbar971->addWidget(Image3);

    trkmm = new QSlider(Qt::Horizontal, Toolbar971);
    trkmm->setFixedWidth(98);
    trkmm->setTickPosition(QSlider::NoTicks);
    trkmm->setTickInterval(1);
    trkmm->setValue(0);
    trkmm->setToolTip(tr("The position of the VCD"));
    Toolbar971->addWidget(trkmm);

    lblmmstatus = new QLabel(QStringLiteral("-"), Toolbar971);
    lblmmstatus->setFont(tahoma(8, true));
    lblmmstatus->setForegroundRole(QPalette::Dark);
    Toolbar971->addWidget(lblmmstatus);
    addBlankSeparator();

    btnLoop = addButton(tr("Loop playback of the VCD"), ImageList1[glyphLoop]);
    btnLoop->setCheckable(true);
    Toolbar971->addSeparator();

    Label3 = addCaptionLabel(tr(" Zoom:  "));
    cmbzoom = new platform::OwnerDrawComboBox(16, Toolbar971);
    platform::NameListByItsAccessibleName(*cmbzoom);
    cmbzoom->setFixedWidth(62);
    cmbzoom->setToolTip(tr("The zoom of the VCD"));
    cmbzoom->addItems({"Fit", "25", "50", "75", "100", "200", "400", "500"});
    cmbzoom->setCurrentIndex(-1);
    cmbzoom->OnDrawItem = [this](QWidget* control, int index, const QRect& rect,
                                 platform::TOwnerDrawState state, platform::TCanvas& canvas) {
        cmbzoomDrawItem(control, index, rect, state, canvas);
    };
    connect(cmbzoom, &QComboBox::activated, this, platform::Guarded([this] { cmbzoomChange(); }));
    Toolbar971->addWidget(cmbzoom);
    addBlankSeparator();

    btnFullScreen = addButton(tr("Display the window full size (click Esc to cancel)"),
                              ImageList1[glyphFullScreen]);
    btnFullScreen->setCheckable(true);
    Toolbar971->addSeparator();

    ToolbarButton971 =
        addButton(tr("Display logging information"), QIcon(QStringLiteral(":/glyphs/log.svg")));
    connect(ToolbarButton971, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton971Click(); }));
    ToolbarButton976 = addButton(tr("About the program"), ImageList1[glyphAbout]);
    connect(ToolbarButton976, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton976Click(); }));
    Toolbar971->addSeparator();
    ToolbarButton975 = addButton(tr("Exit program"), ImageList1[glyphExit]);
    connect(ToolbarButton975, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton975Click(); }));
}

// What a screen reader says for each control; the hints stay its
// description.
void TdlgMain::nameControls() {
    const std::pair<QWidget*, const char*> names[] = {
        {btnplay, QT_TR_NOOP("Play")},          {btnpause, QT_TR_NOOP("Pause")},
        {btnstop, QT_TR_NOOP("Stop")},          {btnrw, QT_TR_NOOP("Rewind")},
        {btnff, QT_TR_NOOP("Fast forward")},    {ToolbarButton9710, QT_TR_NOOP("Rescan")},
        {btnLoop, QT_TR_NOOP("Loop")},          {btnFullScreen, QT_TR_NOOP("Full screen")},
        {ToolbarButton971, QT_TR_NOOP("Log")},  {ToolbarButton976, QT_TR_NOOP("About")},
        {ToolbarButton975, QT_TR_NOOP("Exit")}, {trkmm, QT_TR_NOOP("Position")},
        {cmbcd, QT_TR_NOOP("Drive")},           {cmbtrack, QT_TR_NOOP("Track")},
        {cmbzoom, QT_TR_NOOP("Zoom")},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(tr(name));
        control->setAccessibleDescription(control->toolTip());
    }
}
