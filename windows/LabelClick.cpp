#include "windows/LabelClick.h"

#include <QMouseEvent>
#include <QWidget>

void TLabelClick::Pressed(const QMouseEvent& event) {
    FPressed = event.button() == Qt::LeftButton;
}

bool TLabelClick::Released(const QWidget& label, const QMouseEvent& event) {
    const bool clicked = FPressed && event.button() == Qt::LeftButton &&
                         label.rect().contains(event.position().toPoint());
    FPressed = false;
    return clicked;
}
