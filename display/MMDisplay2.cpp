#include "display/MMDisplay2.h"

#include <QPainter>

TMMDisplay2::TMMDisplay2(QWidget* parent) : QFrame(parent) {
}

void TMMDisplay2::SetBackgroundColor(platform::TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    update();
}

void TMMDisplay2::SetCenter(bool value) {
    FCenter = value;
}

void TMMDisplay2::SetDrawGradient(bool value) {
    if (value == FDrawGradient)
        return;
    FDrawGradient = value;
    update();
}

void TMMDisplay2::SetGradientColor2(platform::TColor value) {
    if (value == FGradientColor2)
        return;
    FGradientColor2 = value;
    update();
}

void TMMDisplay2::SetStretchToFit(bool value) {
    FStretchToFit = value;
}

void TMMDisplay2::SetShrinkToFit(bool value) {
    FShrinkToFit = value;
}

void TMMDisplay2::SetZoom(int value) {
    FZoom = value;
}

void TMMDisplay2::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), platform::ToQColor(FColor));
    painter.end();
    QFrame::paintEvent(event);
}
