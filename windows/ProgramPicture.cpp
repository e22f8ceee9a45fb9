#include "windows/ProgramPicture.h"

#include <cmath>
#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library must be registered by hand, from outside any
// namespace.
static void loadGlyphs() {
    Q_INIT_RESOURCE(windows_glyphs);
}

QImage KeyOutBottomLeftColour(QImage image) {
    if (image.isNull())
        return image;
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == key)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

QPixmap ProgramPicture(int size, qreal devicePixelRatio) {
    loadGlyphs();
    const int pixels = static_cast<int>(std::lround(size * devicePixelRatio));
    QImage drawn(pixels, pixels, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QSvgRenderer renderer(QStringLiteral(":/glyphs/program.svg"));
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    QPixmap picture = QPixmap::fromImage(KeyOutBottomLeftColour(drawn));
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(ProgramPicture(size, 1.0));
    return icon;
}
