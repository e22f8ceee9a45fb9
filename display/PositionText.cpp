#include "display/PositionText.h"

using namespace platform;

namespace {

QString twoDigits(DWORD n) {
    QString text = QString::number(n);
    return text.length() == 1 ? QLatin1Char('0') + text : text;
}

// Minutes live in one byte of the packed time, so they wrap above 255.
DWORD packedFromMilliseconds(DWORD milliseconds) {
    const DWORD seconds = milliseconds / 1000;
    return MCI_MAKE_HMS(0, (seconds / 60) & 0xFF, seconds % 60);
}

} // namespace

QString FormatTime(DWORD packed, bool withUnits) {
    const DWORD hours = MCI_HMS_HOUR(packed);
    const DWORD minutes = MCI_HMS_MINUTE(packed);
    const DWORD seconds = MCI_HMS_SECOND(packed);
    QString prefix;
    QString minuteText;
    if (hours > 0) {
        prefix = QString::number(hours) + (withUnits ? QStringLiteral("h:") : QStringLiteral(":"));
        minuteText = twoDigits(minutes);
    } else {
        minuteText = QString::number(minutes);
    }
    if (withUnits)
        return prefix + minuteText + QStringLiteral("m:") + twoDigits(seconds) +
               QStringLiteral("s");
    return prefix + minuteText + QLatin1Char(':') + twoDigits(seconds);
}

QString PositionText(DWORD timeFormat, DWORD position, DWORD length, bool withUnits) {
    switch (timeFormat) {
    case MCI_FORMAT_MILLISECONDS:
        return FormatTime(packedFromMilliseconds(position), withUnits) + QStringLiteral(" / ") +
               FormatTime(packedFromMilliseconds(length), withUnits);
    case MCI_FORMAT_HMS:
        return FormatTime(position, withUnits) + QStringLiteral(" / ") +
               FormatTime(length, withUnits);
    case MCI_FORMAT_FRAMES:
        return QString::number(position) + QStringLiteral(" / ") + QString::number(length) +
               QStringLiteral(" frames");
    default:
        return QString();
    }
}
