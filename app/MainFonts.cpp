#include "app/MainFonts.h"

QFont tahoma(int points, bool bold) {
    QFont font(QStringLiteral("Tahoma"), points);
    font.setBold(bold);
    return font;
}
