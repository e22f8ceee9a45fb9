#include "windows/LinkLabel.h"

#include "platform/shell/shell.h"
#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget* owner) : QLabel(owner) {
    setCursor(Qt::PointingHandCursor);
    // Only the colour and the underline are set here; the rest of the font and
    // palette still comes from the parent.
    QPalette blue;
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(blue);
    QFont underlined;
    underlined.setUnderline(true);
    setFont(underlined);
    setFocusPolicy(Qt::NoFocus);
}

void TLinkLabel::SetLink(const QString& link) {
    FLink = link;
    setToolTip(link);
}

void TLinkLabel::Click() {
    {
        const platform::HourglassCursor hourglass;
        if (!FLink.isEmpty())
            platform::ShellExecuteA(this, "open", FLink.toUtf8().constData(), nullptr, nullptr,
                                    platform::SW_SHOWMAXIMIZED);
    }
    if (OnClick)
        OnClick(this);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event) {
    FClick.Pressed(*event);
    QLabel::mousePressEvent(event);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = FClick.Released(*this, *event);
    QLabel::mouseReleaseEvent(event);
    if (clicked)
        platform::RunHandler([this] { Click(); });
}
