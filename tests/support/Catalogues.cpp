#include "tests/support/Catalogues.h"

#include "platform/ui/Translations.h"

QString BuiltCatalogues() {
    return qEnvironmentVariable("QUELVO_BUILD_DIR") +
           QStringLiteral("/share/quelvo-player/translations");
}

CatalogueScope::CatalogueScope(const char* locale)
    : FLanguage(platform::InstallTranslations(FTranslators, QLocale(QString::fromLatin1(locale)),
                                              BuiltCatalogues())) {
}
