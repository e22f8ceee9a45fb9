#pragma once
// Lets a window see every key released in it before its controls do,
// including keys that reach a native child window of its own (a video
// surface) rather than a widget.
#include "platform/wintypes.h"

#include <functional>
#include <QObject>

class QWidget;

namespace platform {

class KeyPreview : public QObject {
public:
    // `window` owns the preview; OnKeyUp gets the virtual-key code.
    explicit KeyPreview(QWidget* window);

    std::function<void(WORD key)> OnKeyUp;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* FWindow;
};

} // namespace platform
