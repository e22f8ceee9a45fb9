#include "platform/mci/drivers/mpv/picture_widget.h"

#include <QPainter>

namespace platform::mci {

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted here; nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (Picture.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), Picture);
}

void PictureWidget::resizeEvent(QResizeEvent*) {
    if (OnResized)
        OnResized();
}

} // namespace platform::mci
