#pragma once
// The program's catalogues as the build compiled them, for tests that read
// the program in another language.
#include <QObject>
#include <QString>

// The build tree's share/quelvo-player/translations.
QString BuiltCatalogues();

// Installs the built catalogues for LOCALE (like "zh_CN") while it lives;
// Language() is the language used, empty when none matched.
class CatalogueScope {
public:
    explicit CatalogueScope(const char* locale);
    QString Language() const { return FLanguage; }

private:
    QObject FTranslators;
    QString FLanguage;
};
