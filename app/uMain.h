#pragma once
#include <QMainWindow>

class TdlgMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TdlgMain(QWidget* parent = nullptr);
};
