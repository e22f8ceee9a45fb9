// The main window's toolbar: its glyphs, its controls in their order, and
// the bindings of the controls whose handlers live in the window itself.
#include "app/MainFonts.h"
#include "app/uMain.h"

#include "platform/ui/AccessibleControls.h"
#include "platform/ui/Application.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QSlider>
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

void TdlgMain::addBlankSeparator() {
    auto* blank = new QWidget(Toolbar971);
    blank->setFixedWidth(6);
    Toolbar971->addWidget(blank);
}

void TdlgMain::buildToolbar() {
    Toolbar971 = new QToolBar(QStringLiteral("Toolbar971"), this);
    Toolbar971->setObjectName(QStringLiteral("Toolbar971"));
    Toolbar971->setAllowedAreas(Qt::AllToolBarAreas);
    Toolbar971->setMovable(true);
    Toolbar971->setFloatable(true);
    // Items stand edge to edge, as laid out; the style's gap between them
    // would push the last buttons into the extension menu at the default width.
    Toolbar971->layout()->setSpacing(0);
    addToolBar(Qt::TopToolBarArea, Toolbar971);

    Label1 = addCaptionLabel(QStringLiteral("  CD Drive: "));
    Label1->installEventFilter(this);

    cmbcd = new QComboBox(Toolbar971);
    platform::NameListByItsAccessibleName(*cmbcd);
    cmbcd->setFixedWidth(40);
    cmbcd->setFont(tahoma(10, false));
    cmbcd->setToolTip(QStringLiteral("Select your CD-ROM drive"));
    connect(cmbcd, &QComboBox::activated, this, platform::Guarded([this] { cmbcdChange(); }));
    Toolbar971->addWidget(cmbcd);
    Toolbar971->addSeparator();

    Label2 = addCaptionLabel(QStringLiteral(" Track:  "));
    cmbtrack = new platform::OwnerDrawComboBox(16, Toolbar971);
    platform::NameListByItsAccessibleName(*cmbtrack);
    cmbtrack->setFixedWidth(44);
    cmbtrack->setToolTip(QStringLiteral("Select which VCD track you want to play"));
    connect(cmbtrack, &QComboBox::activated, this, platform::Guarded([this] { cmbtrackChange(); }));
    cmbtrack->OnDrawItem = [this](QWidget* control, int index, const QRect& rect,
                                  platform::TOwnerDrawState state, platform::TCanvas& canvas) {
        cmbtrackDrawItem(control, index, rect, state, canvas);
    };
    Toolbar971->addWidget(cmbtrack);

    ToolbarButton9710 =
        addButton(QStringLiteral("Check the VCD for new tracks"), ImageList1[glyphRescan]);
    connect(ToolbarButton9710, &QToolButton::clicked, this,
            platform::Guarded([this] { cmbcdChange(); }));
    Toolbar971->addSeparator();

    btnrw = addButton(QStringLiteral("Rewind the VCD"), ImageList1[glyphRewind]);
    btnff = addButton(QStringLiteral("FF the VCD"), ImageList1[glyphFastForward]);
    btnplay = addButton(QStringLiteral("Play the VCD"), ImageList1[glyphPlay]);
    btnpause = addButton(QStringLiteral("Pause the VCD"), ImageList1[glyphPause]);
    btnstop = addButton(QStringLiteral("Stop the VCD"), ImageList1[glyphStop]);
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
    trkmm->setToolTip(QStringLiteral("The position of the VCD"));
    Toolbar971->addWidget(trkmm);

    lblmmstatus = new QLabel(QStringLiteral("-"), Toolbar971);
    lblmmstatus->setFont(tahoma(8, true));
    lblmmstatus->setForegroundRole(QPalette::Dark);
    Toolbar971->addWidget(lblmmstatus);
    addBlankSeparator();

    btnLoop = addButton(QStringLiteral("Loop playback of the VCD"), ImageList1[glyphLoop]);
    btnLoop->setCheckable(true);
    Toolbar971->addSeparator();

    Label3 = addCaptionLabel(QStringLiteral(" Zoom:  "));
    cmbzoom = new platform::OwnerDrawComboBox(16, Toolbar971);
    platform::NameListByItsAccessibleName(*cmbzoom);
    cmbzoom->setFixedWidth(62);
    cmbzoom->setToolTip(QStringLiteral("The zoom of the VCD"));
    cmbzoom->addItems({"Fit", "25", "50", "75", "100", "200", "400", "500"});
    cmbzoom->setCurrentIndex(-1);
    cmbzoom->OnDrawItem = [this](QWidget* control, int index, const QRect& rect,
                                 platform::TOwnerDrawState state, platform::TCanvas& canvas) {
        cmbzoomDrawItem(control, index, rect, state, canvas);
    };
    connect(cmbzoom, &QComboBox::activated, this, platform::Guarded([this] { cmbzoomChange(); }));
    Toolbar971->addWidget(cmbzoom);
    addBlankSeparator();

    btnFullScreen = addButton(QStringLiteral("Display the window full size (click Esc to cancel)"),
                              ImageList1[glyphFullScreen]);
    btnFullScreen->setCheckable(true);
    Toolbar971->addSeparator();

    ToolbarButton971 = addButton(QStringLiteral("Display logging information"),
                                 QIcon(QStringLiteral(":/glyphs/log.svg")));
    connect(ToolbarButton971, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton971Click(); }));
    ToolbarButton976 = addButton(QStringLiteral("About the program"), ImageList1[glyphAbout]);
    connect(ToolbarButton976, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton976Click(); }));
    Toolbar971->addSeparator();
    ToolbarButton975 = addButton(QStringLiteral("Exit program"), ImageList1[glyphExit]);
    connect(ToolbarButton975, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton975Click(); }));
}

// What a screen reader says for each control; the hints stay its
// description.
void TdlgMain::nameControls() {
    const std::pair<QWidget*, const char*> names[] = {
        {btnplay, "Play"},          {btnpause, "Pause"},
        {btnstop, "Stop"},          {btnrw, "Rewind"},
        {btnff, "Fast forward"},    {ToolbarButton9710, "Rescan"},
        {btnLoop, "Loop"},          {btnFullScreen, "Full screen"},
        {ToolbarButton971, "Log"},  {ToolbarButton976, "About"},
        {ToolbarButton975, "Exit"}, {trkmm, "Position"},
        {cmbcd, "Drive"},           {cmbtrack, "Track"},
        {cmbzoom, "Zoom"},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(QString::fromLatin1(name));
        control->setAccessibleDescription(control->toolTip());
    }
}
