#include "windows/AboutBoxUnit.h"

#include "system/DATAssociation.h"
#include "system/SettingsStore.h"
#include "windows/LinkLabel.h"
#include "windows/ProgramPicture.h"

#include "platform/shell/shell.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <memory>
#include <qdrawutil.h>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

TAboutBox* AboutBox = nullptr;

// Resources of a static library must be registered by hand, from outside any
// namespace.
static void loadGlyphs() {
    Q_INIT_RESOURCE(windows_glyphs);
}

namespace {

// A panel with a lowered outer bevel around a raised inner one.
class BevelledPanel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), true, 1);
        qDrawShadePanel(&painter, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

QLabel* productLabel(QWidget* parent, const QRect& geometry, const QColor& colour) {
    auto* label = new QLabel(QStringLiteral("Quelvo Player"), parent);
    label->setGeometry(geometry);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(29);
    font.setBold(true);
    label->setFont(font);
    QPalette text;
    text.setColor(QPalette::WindowText, colour);
    label->setPalette(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Labels take the size of their text, from the position of the layout: the
// fonts that stand in for the design's are a little wider.
TLinkLabel* repairLink(QWidget* parent, const QRect& geometry, const QString& caption,
                       const QString& hint) {
    auto* link = new TLinkLabel(parent);
    link->setText(caption);
    link->setGeometry(geometry);
    link->adjustSize();
    link->setToolTip(hint);
    return link;
}

} // namespace

QString MakerHomePage() {
    return QStringLiteral(QUELVO_MAKER_HOME_PAGE);
}

QString MakerIndexPage() {
    return QUrl(MakerHomePage()).resolved(QUrl(QStringLiteral("/index.html"))).toString();
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    AboutBox = this;
    loadGlyphs();
    setWindowTitle(tr("About Quelvo Player"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(312, 216);

    Panel1 = new BevelledPanel(this);
    Panel1->setGeometry(8, 8, 297, 89);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(10, 10, 64, 64);
    ProgramIcon->setPixmap(ProgramPicture(64, devicePixelRatioF()));

    ProductName = productLabel(Panel1, {88, 8, 195, 35}, QColor(128, 128, 128));
    lblProduct2 = productLabel(Panel1, {86, 6, 195, 35}, palette().color(QPalette::WindowText));

    lblversion = new QLabel(tr("Version ?"), Panel1);
    lblversion->setGeometry(86, 46, 54, 13);
    QFont bold;
    bold.setBold(true);
    lblversion->setFont(bold);

    lblnorvane = new QLabel(QStringLiteral("Norvane Software"), Panel1);
    lblnorvane->setGeometry(197, 64, 79, 13);
    QPalette blue;
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    lblnorvane->setPalette(blue);
    QFont underlined;
    underlined.setUnderline(true);
    lblnorvane->setFont(underlined);
    lblnorvane->setCursor(Qt::PointingHandCursor);
    lblnorvane->adjustSize();
    lblnorvane->setToolTip(MakerHomePage());
    lblnorvane->installEventFilter(this);

    GroupBox2 = new QGroupBox(tr(" DAT Support "), this);
    GroupBox2->setGeometry(8, 103, 297, 74);
    LinkLabel1 =
        repairLink(GroupBox2, {52, 22, 200, 17}, tr("Set DAT format to Windows default driver"),
                   tr("Uses the default Windows driver for playback of DAT files.  Use this option "
                      "if you get errors when trying to playback VCD disks in Quelvo Player"));
    LinkLabel1->OnClick = [this](QObject*) { LinkLabel1Click(); };
    LinkLabel2 =
        repairLink(GroupBox2, {67, 44, 154, 17}, tr("Set DAT format to MPEG Driver"),
                   tr("Uses the MPEG driver for playback of DAT files (as VCD files are in MPEG "
                      "format).  Use this option if you tried the above option and it did not "
                      "work."));
    LinkLabel2->OnClick = [this](QObject*) { LinkLabel2Click(); };

    BitBtn1 = new QPushButton(QIcon(QStringLiteral(":/glyphs/door.svg")), tr("&Close"), this);
    BitBtn1->setGeometry(228, 184, 75, 25);
    BitBtn1->setIconSize(QSize(16, 16));
    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
    BitBtn1->setFocus();
}

TAboutBox::~TAboutBox() {
    if (AboutBox == this)
        AboutBox = nullptr;
}

int TAboutBox::ShowModal() {
    return exec();
}

void TAboutBox::FormShow() {
    lblversion->setText(QString::fromStdString(GetProgramVersion()));
    lblversion->adjustSize();
}

void TAboutBox::lblnorvaneClick() {
    platform::ShellExecuteA(this, "open", MakerIndexPage().toUtf8().constData(), nullptr, nullptr,
                            platform::SW_SHOWMAXIMIZED);
}

void TAboutBox::LinkLabel1Click() {
    CheckDATAssociation(false, false, true);
}

void TAboutBox::LinkLabel2Click() {
    CheckDATAssociation(false, true, true);
}

void TAboutBox::BitBtn1Click() {
    close();
}

void TAboutBox::showEvent(QShowEvent* event) {
    platform::CenterOnScreen(*this);
    QDialog::showEvent(event);
    if (!event->spontaneous())
        platform::RunHandler([this] { FormShow(); });
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblnorvane && event->type() == QEvent::MouseButtonPress)
        FMakerClick.Pressed(*static_cast<QMouseEvent*>(event));
    if (watched == lblnorvane && event->type() == QEvent::MouseButtonRelease &&
        FMakerClick.Released(*lblnorvane, *static_cast<QMouseEvent*>(event)))
        platform::RunHandler([this] { lblnorvaneClick(); });
    return QDialog::eventFilter(watched, event);
}

void ShowAboutBox(QWidget* owner) {
    const std::unique_ptr<TAboutBox> box(new TAboutBox(owner));
    box->ShowModal();
}
