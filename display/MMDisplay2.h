#pragma once
#include <QFrame>

class TMMDisplay2 : public QFrame {
    Q_OBJECT
public:
    explicit TMMDisplay2(QWidget* parent = nullptr);
};
