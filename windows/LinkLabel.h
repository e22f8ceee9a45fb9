#pragma once
// A label that looks and acts like a web link: blue, underlined, a hand
// cursor, left out of the Tab order. A click opens its Link, if it has one,
// through the shell and then fires OnClick.
#include "windows/LabelClick.h"

#include <functional>
#include <QLabel>
#include <QString>

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* owner = nullptr);

    const QString& Link() const { return FLink; }
    // Also makes the text the label's hint.
    void SetLink(const QString& link);

    // What a user's click does: the hourglass while the shell is asked to
    // open Link (the result is not looked at), then OnClick once the
    // hourglass is gone.
    void Click();

    std::function<void(QObject* Sender)> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString FLink;
    TLabelClick FClick;
};
