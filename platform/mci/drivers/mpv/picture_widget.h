#pragma once
// An ordinary widget that shows the last picture made for it, and asks for a
// new one whenever its size changes.
#include <functional>
#include <QImage>
#include <QWidget>

namespace platform::mci {

class PictureWidget final : public QWidget {
public:
    explicit PictureWidget(QWidget* parent);

    // At the widget's size in device pixels, so that painting is a copy.
    QImage Picture;
    std::function<void()> OnResized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace platform::mci
