#include "platform/ui/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {
namespace {

// The system colours a desktop theme gives, by their Windows index.
bool systemRole(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role) {
    group = QPalette::Active;
    switch (index) {
    case 1:  // COLOR_BACKGROUND (desktop)
    case 15: // COLOR_BTNFACE
    case 4:  // COLOR_MENU
        role = QPalette::Button;
        return true;
    case 5: // COLOR_WINDOW
        role = QPalette::Base;
        return true;
    case 6:  // COLOR_WINDOWFRAME
    case 16: // COLOR_BTNSHADOW
        role = QPalette::Dark;
        return true;
    case 7: // COLOR_MENUTEXT
    case 8: // COLOR_WINDOWTEXT
        role = QPalette::Text;
        return true;
    case 13: // COLOR_HIGHLIGHT
        role = QPalette::Highlight;
        return true;
    case 14: // COLOR_HIGHLIGHTTEXT
        role = QPalette::HighlightedText;
        return true;
    case 17: // COLOR_GRAYTEXT
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true;
    case 18: // COLOR_BTNTEXT
        role = QPalette::ButtonText;
        return true;
    case 20: // COLOR_BTNHIGHLIGHT
        role = QPalette::Light;
        return true;
    default:
        return false;
    }
}

} // namespace

DWORD GetSysColor(int index) {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!systemRole(index, group, role))
        return 0;
    const QColor colour = QGuiApplication::palette().color(group, role);
    return static_cast<DWORD>(RGB(colour.red(), colour.green(), colour.blue()));
}

TColor ColorToRGB(TColor color) {
    if (color & clSystemColor)
        return static_cast<TColor>(GetSysColor(color & 0xFF));
    return color;
}

QColor ToQColor(TColor color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

} // namespace platform
