#include "platform/ui/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {
namespace {

const QString CatalogueName = QStringLiteral("quelvo-player");

bool IsSourceLanguage(const QLocale& language) {
    return language.language() == QLocale::English || language.language() == QLocale::C;
}

// A translator that could not be loaded is not installed: an empty one
// would still be asked for every text.
bool Install(QObject& owner, const QLocale& language, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&owner);
    if (translator->load(language, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace

QString TranslationsFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/quelvo-player/translations"));
}

QString InstallTranslations(QObject& owner, const QLocale& locale, const QString& folder) {
    for (const QString& name : locale.uiLanguages()) {
        const QLocale language(name);
        if (IsSourceLanguage(language))
            break;
        if (!Install(owner, language, CatalogueName, folder))
            continue;
        Install(owner, language, QStringLiteral("qtbase"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return name;
    }
    return {};
}

} // namespace platform
