#include "platform/ui/Fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes() {
    // Liberation Sans keeps Arial's widths, which both design fonts are near.
    const QStringList sameWidths = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                    QStringLiteral("Nimbus Sans"), QStringLiteral("Arial")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sameWidths);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sameWidths);
}

} // namespace platform
