#include "windows/uLogging.h"

#include "system/SettingsStore.h"

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>

TdlgLog* dlgLog = nullptr;

// Resources of a static library must be registered by hand, from outside any
// namespace.
static void loadGlyphs() {
    Q_INIT_RESOURCE(windows_glyphs);
}

TdlgLog::TdlgLog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    dlgLog = this;
    loadGlyphs();
    setWindowTitle(tr("Logging Information"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(313, 217);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 8, 297, 169);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab leaves the box for the buttons, as in any dialog.
    Memo1->setTabChangesFocus(true);

    ToolbarButton971 = new QToolButton(this);
    ToolbarButton971->setGeometry(8, 184, 23, 22);
    ToolbarButton971->setAutoRaise(true);
    ToolbarButton971->setIcon(QIcon(QStringLiteral(":/glyphs/copy.svg")));
    ToolbarButton971->setIconSize(QSize(16, 16));
    ToolbarButton971->setToolTip(tr("Copy log to clipboard"));
    connect(ToolbarButton971, &QToolButton::clicked, this,
            platform::Guarded([this] { ToolbarButton971Click(); }));

    BitBtn1 = new QPushButton(QIcon(QStringLiteral(":/glyphs/door.svg")), tr("&Close"), this);
    BitBtn1->setGeometry(230, 184, 75, 25);
    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));

    setTabOrder(BitBtn1, Memo1);
    BitBtn1->setFocus();

    FormCreate();
}

TdlgLog::~TdlgLog() {
    if (dlgLog == this)
        dlgLog = nullptr;
}

void TdlgLog::FormCreate() {
    Memo1->clear();
    Memo1->appendPlainText(
        tr("Quelvo Player %1 Logging").arg(QString::fromStdString(GetProgramVersion())));
    Memo1->appendPlainText(QString(67, QLatin1Char('*')));
}

int TdlgLog::ShowModal() {
    return exec();
}

void TdlgLog::showEvent(QShowEvent* event) {
    platform::CenterOnScreen(*this);
    QDialog::showEvent(event);
}

// Copies everything the box holds, typed text included, as plain text only
// (the box's own copy would offer formatted text too), and leaves nothing
// selected with the caret at the start.
void TdlgLog::ToolbarButton971Click() {
    QTextCursor cursor = Memo1->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    Memo1->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(cursor.selection().toPlainText());
    cursor.setPosition(0);
    Memo1->setTextCursor(cursor);
}

void TdlgLog::BitBtn1Click() {
    close();
}
