#include "windows/uLogging.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Banner = "Quelvo Player v1.30 Logging\n" + QString(67, '*');

TEST(LogWindow, StartsWithTheBannerAndIsTheGlobalLogWindowWhileItLives) {
    {
        TdlgLog log;
        EXPECT_EQ(dlgLog, &log);
        EXPECT_EQ(log.Memo1->toPlainText(), Banner);
        EXPECT_EQ(log.windowTitle(), "Logging Information");
        EXPECT_EQ(log.size(), QSize(313, 217));
        EXPECT_FALSE(log.Memo1->isReadOnly());
    }
    EXPECT_EQ(dlgLog, nullptr);
}

TEST(LogWindow, CopyTakesEverythingIncludingTypedTextAndLeavesNothingSelected) {
    TdlgLog log;
    log.Memo1->appendPlainText("");
    log.Memo1->appendPlainText("No CD drives were found");
    log.Memo1->moveCursor(QTextCursor::End);
    log.Memo1->insertPlainText(" (typed)");
    QGuiApplication::clipboard()->clear();

    log.ToolbarButton971->click();

    EXPECT_EQ(QGuiApplication::clipboard()->text(), Banner + "\n\nNo CD drives were found (typed)");
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats(), QStringList({"text/plain"}))
        << "plain text only";
    EXPECT_FALSE(log.Memo1->textCursor().hasSelection());
    EXPECT_EQ(log.Memo1->textCursor().position(), 0);
}

TEST(LogWindow, ClosingAndShowingAgainKeepsTheLines) {
    TdlgLog log;
    log.Memo1->appendPlainText("Opening MPEG file: D:\\MPEGAV\\AVSEQ01.DAT");
    for (int showing = 0; showing < 2; ++showing) {
        QTimer::singleShot(0, &log, [&log] { log.BitBtn1->click(); });
        log.ShowModal();
        EXPECT_FALSE(log.isVisible());
    }
    EXPECT_EQ(log.Memo1->toPlainText(), Banner + "\nOpening MPEG file: D:\\MPEGAV\\AVSEQ01.DAT");
}

TEST(LogWindow, TabLeavesTheTextBoxInsteadOfTypingIntoIt) {
    TdlgLog log;
    log.show();
    log.Memo1->setFocus();
    QTest::keyClick(log.Memo1, Qt::Key_Tab);
    EXPECT_EQ(log.Memo1->toPlainText(), Banner);
    EXPECT_FALSE(log.Memo1->hasFocus());
}

} // namespace
