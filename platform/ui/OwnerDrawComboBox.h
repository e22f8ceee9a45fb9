#pragma once
// A fixed-height owner-drawn list: the owner paints every entry, in the
// drop-down and in the closed box's own field, through OnDrawItem.
#include <functional>
#include <QColor>
#include <QComboBox>
#include <QFlags>

class QPainter;

namespace platform {

// The surface a draw handler paints on, with the colours already chosen for
// the entry's state (selection colours for a selected entry).
class TCanvas {
public:
    TCanvas(QPainter& painter, QColor brush, QColor text);
    void FillRect(const QRect& rect);
    // Draws text whose top-left corner is at (x, y).
    void TextOut(int x, int y, const QString& text);

private:
    QPainter& FPainter;
    QColor FBrush;
    QColor FText;
};

enum OwnerDrawStateFlag { odSelected = 0x1, odFocused = 0x10, odComboBoxEdit = 0x1000 };
using TOwnerDrawState = QFlags<OwnerDrawStateFlag>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TOwnerDrawState)

using TDrawItemEvent = std::function<void(QWidget* control, int index, const QRect& rect,
                                          TOwnerDrawState state, TCanvas& canvas)>;

class OwnerDrawComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit OwnerDrawComboBox(int itemHeight, QWidget* parent = nullptr);

    TDrawItemEvent OnDrawItem;
    int ItemHeight() const { return FItemHeight; }

    // Runs OnDrawItem for one entry; the drop-down and the field both come here.
    void DrawItem(QPainter& painter, int index, const QRect& rect, TOwnerDrawState state);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FItemHeight;
};

} // namespace platform
