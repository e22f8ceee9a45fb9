#pragma once
#include <QDialog>

class TdlgLog : public QDialog {
    Q_OBJECT
public:
    explicit TdlgLog(QWidget* parent = nullptr);
};
