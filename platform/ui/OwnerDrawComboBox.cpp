#include "platform/ui/OwnerDrawComboBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QStyleOptionComboBox>

namespace platform {
namespace {

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    explicit OwnerDrawDelegate(OwnerDrawComboBox* combo)
        : QStyledItemDelegate(combo), FCombo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TOwnerDrawState state;
        if (option.state & QStyle::State_Selected)
            state |= odSelected;
        if (option.state & QStyle::State_HasFocus)
            state |= odFocused;
        FCombo->DrawItem(*painter, index.row(), option.rect, state);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FCombo->ItemHeight()};
    }

private:
    OwnerDrawComboBox* FCombo;
};

QColor BackgroundOf(const QPalette& colours, TOwnerDrawState state) {
    return colours.color(state.testFlag(odSelected) ? QPalette::Highlight : QPalette::Base);
}

} // namespace

TCanvas::TCanvas(QPainter& painter, QColor brush, QColor text)
    : FPainter(painter), FBrush(brush), FText(text) {
}

void TCanvas::FillRect(const QRect& rect) {
    FPainter.fillRect(rect, FBrush);
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    FPainter.save();
    FPainter.setPen(FText);
    const QFontMetrics metrics = FPainter.fontMetrics();
    FPainter.drawText(QPoint(x, y + metrics.ascent()), text);
    FPainter.restore();
}

OwnerDrawComboBox::OwnerDrawComboBox(int itemHeight, QWidget* parent)
    : QComboBox(parent), FItemHeight(itemHeight) {
    setItemDelegate(new OwnerDrawDelegate(this));
}

void OwnerDrawComboBox::DrawItem(QPainter& painter, int index, const QRect& rect,
                                 TOwnerDrawState state) {
    const bool selected = state.testFlag(odSelected);
    const QPalette& colours = palette();
    TCanvas canvas(painter, BackgroundOf(colours, state),
                   colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(font());
    if (OnDrawItem)
        OnDrawItem(this, index, rect, state, canvas);
}

// The closed box shows its selected entry the owner's way too, never the raw
// item text.
void OwnerDrawComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    TOwnerDrawState state = odComboBoxEdit;
    if (hasFocus())
        state |= odSelected | odFocused;
    // The owner draws its text on the entry's top edge; in the field that
    // edge is put where the line of text stands centred, as the plain lists
    // beside it centre theirs.
    if (currentIndex() >= 0) {
        painter.setClipRect(field);
        painter.fillRect(field, BackgroundOf(palette(), state));
        const int top = field.top() + (field.height() - fontMetrics().height()) / 2;
        DrawItem(painter, currentIndex(), QRect(field.left(), top, field.width(), FItemHeight),
                 state);
    }
}

} // namespace platform
