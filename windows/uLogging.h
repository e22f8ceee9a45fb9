#pragma once
// The log window: an in-memory list of diagnostic lines, shown on demand as a
// modal dialog and copied to the clipboard in one click.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TdlgLog : public QDialog {
    Q_OBJECT
public:
    explicit TdlgLog(QWidget* parent = nullptr);
    ~TdlgLog() override;

    // Shows the window until it is closed; it is only hidden afterwards.
    int ShowModal();

    void ToolbarButton971Click();
    void BitBtn1Click();

    QPlainTextEdit* Memo1;
    QToolButton* ToolbarButton971;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
};

// The one log window, alive from start-up to exit; null before and after.
extern TdlgLog* dlgLog;
