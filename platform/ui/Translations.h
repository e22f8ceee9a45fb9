#pragma once
// The program's texts in the user's language. The English texts in the code
// are the source of every catalogue: where no catalogue matches, nothing is
// translated and the program reads as it always did.
#include <QLocale>
#include <QString>

class QObject;

namespace platform {

// Where the program's catalogues are installed: share/quelvo-player/
// translations beside the folder that holds the program (bin/ when
// installed, the build tree's app/ when run from there).
QString TranslationsFolder();

// Installs the catalogue in `folder` for the first of the locale's
// languages that has one, and the toolkit's own catalogue for that language
// (its standard buttons: Yes, No, OK). English stops the search: a user who
// lists English before another language reads the source texts. The
// translators belong to `owner`; deleting it takes them out again. Returns
// the language used, or an empty text when none was.
QString InstallTranslations(QObject& owner, const QLocale& locale, const QString& folder);

} // namespace platform
