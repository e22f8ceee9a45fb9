#include "app/TrackFolder.h"

#include "app/FileSearch.h"
#include "system/EError.h"
#include "system/SettingsStore.h"

#include <QCoreApplication>

// The Video CD folder is tested, and logged, also when the Super Video CD
// folder was found: the log then shows the found folder twice.
QString FindTrackFolder(const QString& Drive, const std::function<void(const QString&)>& Log) {
    QString candidate = AddSlash(Drive) + QStringLiteral("MPEG2\\");
    bool exists = DirectoryExistsQuiet(candidate);
    Log(QCoreApplication::translate("TrackFolder", "SVCD Folder Exists (%1): %2")
            .arg(candidate, QString::fromStdString(BoolToText(exists))));
    if (!exists)
        candidate = AddSlash(Drive) + QStringLiteral("MPEGAV\\");
    exists = DirectoryExistsQuiet(candidate);
    Log(QCoreApplication::translate("TrackFolder", "VCD Folder Exists (%1): %2")
            .arg(candidate, QString::fromStdString(BoolToText(exists))));
    if (!exists) {
        candidate = AddSlash(Drive);
        if (!DirectoryExistsQuiet(candidate))
            throw EError(
                QCoreApplication::translate("TrackFolder", "Cannot access CD").toStdString());
    }
    return candidate;
}
